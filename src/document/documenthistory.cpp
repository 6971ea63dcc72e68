#include "document/documenthistory.h"

#include "document/traindata.h"

#include <QScopedValueRollback>

namespace Orlenda {

// Keeps whole states: a step is applied by putting one back, which cannot
// drift from the document the way replayed edits could.
class DocumentHistory::Step : public QUndoCommand {
public:
    Step(DocumentHistory& history, const QString& name, DocumentState before, DocumentState after)
        : QUndoCommand(name), mHistory(history), mBefore(std::move(before)),
          mAfter(std::move(after)) {}

    void undo() override { mHistory.apply(mBefore, true); }
    void redo() override {
        // Pushed after the change was made.
        if (mDone)
            mHistory.apply(mAfter, true);
        mDone = true;
    }

private:
    DocumentHistory& mHistory;
    DocumentState mBefore;
    DocumentState mAfter;
    bool mDone = false;
};

DocumentHistory::DocumentHistory(TrainData& data)
    : mData(data), mLast(data.state()) {
    mStack.setUndoLimit(StepLimit);
    if (!mData.isModified())
        mSaved = mLast;
    connect(&data, &TrainData::valueChanged, this, &DocumentHistory::dataChanged);
    connect(&mStack, &QUndoStack::undoTextChanged, this, &DocumentHistory::menuStateChanged);
    connect(&mStack, &QUndoStack::redoTextChanged, this, &DocumentHistory::menuStateChanged);
    connect(&mStack, &QUndoStack::canUndoChanged, this, &DocumentHistory::menuStateChanged);
    connect(&mStack, &QUndoStack::canRedoChanged, this, &DocumentHistory::menuStateChanged);
}

DocumentHistory::~DocumentHistory() {
    // The stack empties itself as it goes: nobody needs to hear of that.
    mStack.disconnect(this);
}

QString DocumentHistory::undoText() const {
    if (!mPending)
        return mStack.canUndo() ? mStack.undoText() : QString();
    const std::optional<TextId> field = pendingField();
    return field && mFieldNamer ? mFieldNamer(*field) : QString();
}

std::optional<TextId> DocumentHistory::pendingField() const {
    if (!mPending)
        return std::nullopt;
    for (int i = 0; i < TextFieldCount; ++i) {
        if (mData.text(TextId(i)) != mLast.texts[std::size_t(i)])
            return TextId(i);
    }
    return std::nullopt;
}

void DocumentHistory::undo() {
    if (mPending)
        apply(mLast, false);
    else
        mStack.undo();
}

void DocumentHistory::redo() {
    if (canRedo())
        mStack.redo();
}

void DocumentHistory::commit(const QString& stepName) {
    if (mQuiet)
        return;
    if (mData.holds(mLast)) {
        setPending(false);
        return;
    }
    DocumentState now = mData.state(&mLast);
    const qsizetype bytes = stateBytes(mLast, now);
    {
        QScopedValueRollback quiet(mQuiet, true);
        mPending = false;
        if (bytes > StepByteLimit) {
            // Too large to keep: the steps before it could no longer lead back.
            mStack.clear();
        } else {
            mStack.push(new Step(*this, stepName, mLast, now));
        }
        mLast = std::move(now);
    }
    updateModified();
    emit menuStateChanged();
    emit mData.stepCommitted();
}

void DocumentHistory::markSaved() {
    if (mPending) {
        const std::optional<TextId> field = pendingField();
        commit(field && mFieldNamer ? mFieldNamer(*field) : QString());
    }
    mSaved = mLast;
    updateModified();
}

void DocumentHistory::startFresh(bool unsaved) {
    {
        QScopedValueRollback quiet(mQuiet, true);
        mStack.clear();
        mLast = mData.state();
        mPending = false;
    }
    mQuiet = false; // ends beginReplacing
    if (unsaved)
        mSaved.reset();
    else
        mSaved = mLast;
    updateModified();
    emit menuStateChanged();
    emit mData.stepCommitted();
}

void DocumentHistory::dataChanged() {
    if (!mQuiet)
        setPending(!mData.holds(mLast));
}

void DocumentHistory::apply(const DocumentState& state, bool committed) {
    {
        QScopedValueRollback quiet(mQuiet, true);
        mData.restore(state);
        mLast = state;
        mPending = false;
    }
    updateModified();
    emit menuStateChanged();
    if (committed)
        emit mData.stepCommitted();
}

void DocumentHistory::setPending(bool pending) {
    if (mPending == pending)
        return;
    mPending = pending;
    updateModified();
    emit menuStateChanged();
}

void DocumentHistory::updateModified() {
    mData.setModified(mPending || !mSaved || !sameState(mLast, *mSaved));
}

} // namespace Orlenda
