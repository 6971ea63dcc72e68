// The baseline for the editor's start-up time: a main window of the same size
// showing one Japanese label, ended once it has painted for the first time.
// The label makes the baseline pay for loading the Japanese font, as the
// editor does, so the ratio measures what the editor adds.
#include <QApplication>
#include <QEvent>
#include <QLabel>
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
    window.setCentralWidget(new QLabel(QStringLiteral("性能表"), &window));
    QuitOnPaint quit;
    window.installEventFilter(&quit);
    window.resize(576, 448);
    window.show();
    return app.exec();
}
