#pragma once

#include "document/controls.h"
#include "document/documentstate.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <optional>

namespace Orlenda {

class TrainData;

// The document's undo history. Each step is what changed between two commit
// points (TrainData::commitChange): a field left with its correction and its
// rules' effects, a list or check box with its rules' effects, a table
// written by a sub-editor. A commit that leaves the document as it was records
// nothing. Changes since the last commit (typing in a field) are pending:
// undo first puts them back.
//
// The history decides the modified mark: pending changes, or a stack that is
// not at its clean state. Marking the document unmodified from outside (a
// save) makes the current state the clean one.
class DocumentHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int StepLimit = 100;
    static constexpr qsizetype StepByteLimit = 100 * 1024;

    explicit DocumentHistory(TrainData& data, QObject* parent = nullptr);
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
    void commit(const QString& stepName);

    // Runs replace, which makes another document (Open, New, a recovered
    // copy), and starts a fresh history with its outcome. What happens on the
    // way is no step; the document counts as unmodified from the start (the
    // user has already chosen to drop the old one), and afterwards unless
    // unsaved is true. The fresh history starts even if replace throws.
    void replaceDocument(const std::function<void()>& replace, bool unsaved = false);

    // Names a field's step for the menu and for pending changes committed by a save.
    void setFieldNamer(std::function<QString(TextId)> namer) { mFieldNamer = std::move(namer); }

    const QUndoStack& stack() const { return mStack; }

signals:
    // The document changed as a whole step: a commit, undo, redo, or a
    // replaced document. Windows that show the document follow this.
    void documentCommitted();
    // Something the undo menu shows changed.
    void menuStateChanged();

private:
    class Step;

    void dataChanged();
    void modifiedChangedOutside(bool modified);
    // committed: a step of the stack, not pending changes put back.
    void apply(const DocumentState& state, bool committed);
    void setPending(bool pending);
    void updateModified();
    void startFresh(bool unsaved);

    TrainData& mData;
    QUndoStack mStack;
    DocumentState mLast;
    bool mPending = false;
    bool mQuiet = false; // while the history itself changes the document or its mark
    bool mReplacing = false;
    std::function<QString(TextId)> mFieldNamer;
};

} // namespace Orlenda
