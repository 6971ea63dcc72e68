#pragma once

#include "shared/ui/windowcommandguard.h"

#include <QDialog>

class QAction;
class QMenu;
class QUndoStack;

namespace Orlenda {

class HistoryKeys;
class Prompter;

// What every sub-editor does around its working copy, so that one only writes
// the copy and its view. The window is modal. Escape first takes back an edit
// under way (typing not yet stored, a half-made edit); with none it acts as
// キャンセル. キャンセル, Escape and the close box ask before dropping changes
// not written to the document (No is the default). Undo and redo keys work
// anywhere in the window; with an edit under way undo only takes it back.
// The window's commands run through its command guard.
class SubEditorFrame : public QDialog {
    Q_OBJECT

public:
    SubEditorFrame(Prompter& prompter, QWidget* owner, Qt::WindowFlags flags);

    // Ends the program at once when a failure prompt is declined; tests replace it.
    void setProgramEnder(std::function<void()> ender) { mGuard.setProgramEnder(std::move(ender)); }

    void undo();
    void redo();
    // Closes unless there are changes and the user keeps them.
    void reject() override;
    void done(int result) override;

signals:
    // Before the discard question and before the window closes, on every path
    // (OK, キャンセル, Escape, the close box): whatever runs while the window
    // is open, such as playback, stops here.
    void aboutToQuestionOrClose();

protected:
    // Whether the working copy, with any edit under way, differs from the document.
    virtual bool hasUnwrittenChanges() const = 0;
    virtual bool isEditUnderWay() const = 0;
    // Takes back the edit under way; the working copy is as before it.
    virtual void cancelEdit() = 0;
    // The working copy's history.
    virtual const QUndoStack& historyStack() const = 0;
    virtual void undoStep() = 0;
    virtual void redoStep() = 0;

    // Text fields handed to it leave the undo keys to the window.
    HistoryKeys& historyKeys() const { return *mKeys; }
    // Undo and redo entries, named and enabled after the history each time
    // the menu opens; the keys are shown beside them.
    void addHistoryActions(QMenu* menu, QAction* before, const QString& undoName,
                           const QString& redoName);
    void showHistoryState();

    void keyPressEvent(QKeyEvent* event) override;

    Prompter& mPrompter;
    WindowCommandGuard mGuard;

private:
    HistoryKeys* mKeys = nullptr;
    QAction* mUndo = nullptr;
    QAction* mRedo = nullptr;
};

} // namespace Orlenda
