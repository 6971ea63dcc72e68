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
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        // Left unaccepted, the override lets the window's shortcut take the
        // key; a press that reaches here found it disabled, and the field
        // must not undo its own typing instead.
        if (undoKeys().contains(key) || redoKeys().contains(key))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Orlenda
