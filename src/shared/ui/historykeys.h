#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>

class QWidget;

namespace Orlenda {

// Undo (Ctrl+Z) and redo (Ctrl+Y, Ctrl+Shift+Z) anywhere in a window. A text
// field would take these keys for its own typing; fields handed to keepFrom
// leave them to the window, which decides what undo means while typing.
class HistoryKeys : public QObject {
public:
    HistoryKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo);
    // For a window whose own menu actions hold the keys: only keeps them from fields.
    explicit HistoryKeys(QObject* owner) : QObject(owner) {}

    void keepFrom(QWidget* field);

    static QList<QKeySequence> undoKeys();
    static QList<QKeySequence> redoKeys();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace Orlenda
