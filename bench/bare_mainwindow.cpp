// The baseline for the editor's start-up time: an empty main window of the
// same size, ended once it has painted for the first time.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

namespace {
class QuitOnPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QApplication::quit);
        return false;
    }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    QuitOnPaint quit;
    window.installEventFilter(&quit);
    window.resize(576, 448);
    window.show();
    return app.exec();
}
