#pragma once

#include <QWidget>
#include <QWindow>

// The caption as the window system shows it, with Qt's modified mark resolved.
inline QString shownCaption(QWidget& window) {
    window.winId();
    return window.windowHandle()->title();
}
