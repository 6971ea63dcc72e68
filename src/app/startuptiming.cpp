#include "app/startuptiming.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace Orlenda {

namespace {

class QuitOnFirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QApplication::quit);
        return false;
    }
};

} // namespace

void quitAfterFirstPaint(QWidget& window) { window.installEventFilter(new QuitOnFirstPaint(&window)); }

} // namespace Orlenda
