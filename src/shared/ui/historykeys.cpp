#include "shared/ui/historykeys.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

namespace Orlenda {

HistoryKeys::HistoryKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo)
    : QObject(window) {
    auto* undoKey = new QShortcut(window);
    undoKey->setKeys(undoKeys());
    connect(undoKey, &QShortcut::activated, this, std::move(undo));
    auto* redoKey = new QShortcut(window);
    redoKey->setKeys(redoKeys());
    connect(redoKey, &QShortcut::activated, this, std::move(redo));
}

QList<QKeySequence> HistoryKeys::undoKeys() {
    return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
}

QList<QKeySequence> HistoryKeys::redoKeys() {
    return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
}

void HistoryKeys::keepFrom(QWidget* field) {
    field->installEventFilter(this);
}

bool HistoryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        if (undoKeys().contains(key) || redoKeys().contains(key))
            return true; // not accepted: the window's shortcut gets the key
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Orlenda
