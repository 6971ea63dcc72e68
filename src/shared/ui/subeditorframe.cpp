#include "shared/ui/subeditorframe.h"

#include "shared/prompter.h"
#include "shared/ui/historykeys.h"
#include "shared/ui/historylabel.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QUndoStack>

namespace Orlenda {

SubEditorFrame::SubEditorFrame(Prompter& prompter, QWidget* owner, Qt::WindowFlags flags)
    : QDialog(owner, flags), mPrompter(prompter),
      mKeys(new HistoryKeys(
          this, [this] { undo(); }, [this] { redo(); })) {
    setModal(true);
}

void SubEditorFrame::undo() {
    if (isEditUnderWay()) {
        mGuard.run([this] { cancelEdit(); });
        return;
    }
    mGuard.run([this] { undoStep(); });
}

void SubEditorFrame::redo() {
    mGuard.run([this] {
        if (isEditUnderWay())
            cancelEdit();
        redoStep();
    });
}

void SubEditorFrame::reject() {
    if (hasUnwrittenChanges()) {
        emit aboutToQuestionOrClose();
        if (!mPrompter.askToDiscardChanges())
            return;
    }
    QDialog::reject();
}

void SubEditorFrame::done(int result) {
    emit aboutToQuestionOrClose();
    QDialog::done(result);
}

void SubEditorFrame::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel) && isEditUnderWay()) {
        mGuard.run([this] { cancelEdit(); });
        return;
    }
    // Escape without an edit under way rejects, as キャンセル does.
    QDialog::keyPressEvent(event);
}

void SubEditorFrame::addHistoryActions(QMenu* menu, QAction* before, const QString& undoName,
                                       const QString& redoName) {
    mUndo = new QAction(menu);
    mUndo->setObjectName(undoName);
    mUndo->setShortcuts(HistoryKeys::undoKeys());
    // The window's own keys act; these only show them in the menu.
    mUndo->setShortcutContext(Qt::WidgetShortcut);
    connect(mUndo, &QAction::triggered, this, &SubEditorFrame::undo);
    mRedo = new QAction(menu);
    mRedo->setObjectName(redoName);
    mRedo->setShortcuts(HistoryKeys::redoKeys());
    mRedo->setShortcutContext(Qt::WidgetShortcut);
    connect(mRedo, &QAction::triggered, this, &SubEditorFrame::redo);
    menu->insertActions(before, {mUndo, mRedo});
    menu->insertSeparator(before);
    connect(menu, &QMenu::aboutToShow, this, &SubEditorFrame::showHistoryState);
    showHistoryState();
}

void SubEditorFrame::showHistoryState() {
    if (!mUndo)
        return;
    const QUndoStack& history = historyStack();
    const bool underWay = isEditUnderWay();
    // With an edit under way, undo takes back that edit, which has no name.
    mUndo->setText(undoLabel(underWay ? QString() : history.undoText()));
    mUndo->setEnabled(underWay || history.canUndo());
    mRedo->setText(redoLabel(history.redoText()));
    mRedo->setEnabled(history.canRedo());
}

} // namespace Orlenda
