#pragma once

#include "document/controls.h"
#include "document/documentstate.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <optional>

namespace Orlenda {

class TrainData;

// The document's undo history, kept by the document itself
// (TrainData::keepHistory). Each step is what changed in one TrainData::edit:
// a field left with its correction and its rules' effects, a list or check box
// with its rules' effects, a table written by a sub-editor. An edit that
// leaves the document as it was records nothing. Changes since the last step
// (TrainData::type, typing in a field) are pending: undo first puts them back.
//
// The history decides the modified mark: pending changes, or a last step
// whose state is not the saved one. The saved state is compared after every
// step, so that a change and its reverse leave the document unmodified.
class DocumentHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int StepLimit = 100;
    static constexpr qsizetype StepByteLimit = 100 * 1024;

    ~DocumentHistory() override;

    bool canUndo() const { return mPending || mStack.canUndo(); }
    bool canRedo() const { return !mPending && mStack.canRedo(); }
    // The step names; while changes are pending the undo name is that of the
    // first field they touch (see setFieldNamer), empty if none does.
    QString undoText() const;
    QString redoText() const { return canRedo() ? mStack.redoText() : QString(); }
    bool hasPendingChanges() const { return mPending; }
    std::optional<TextId> pendingField() const;

    void undo();
    void redo();

    // The document as it is now was written: it becomes the saved state, and
    // typing saved with it becomes a step.
    void markSaved();

    // Names a field's step for the menu and for pending changes committed by a save.
    void setFieldNamer(std::function<QString(TextId)> namer) { mFieldNamer = std::move(namer); }

    const QUndoStack& stack() const { return mStack; }

signals:
    // Something the undo menu shows changed.
    void menuStateChanged();

private:
    friend class TrainData;
    class Step;

    explicit DocumentHistory(TrainData& data);

    // The end of an edit: what changed since the last step becomes one named step.
    void commit(const QString& stepName);
    // Around TrainData::adopt: what happens in between is no step.
    void beginReplacing() { mQuiet = true; }
    void startFresh(bool unsaved);

    void dataChanged();
    // committed: a step of the stack, not pending changes put back.
    void apply(const DocumentState& state, bool committed);
    void setPending(bool pending);
    void updateModified();

    TrainData& mData;
    QUndoStack mStack;
    DocumentState mLast;
    // None when no state of this history was ever saved (a recovered copy).
    std::optional<DocumentState> mSaved;
    bool mPending = false;
    bool mQuiet = false; // while the history itself changes the document
    std::function<QString(TextId)> mFieldNamer;
};

} // namespace Orlenda
