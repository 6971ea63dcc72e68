#pragma once

#include <QString>
#include <QUndoCommand>
#include <QUndoStack>
#include <functional>
#include <utility>

namespace Orlenda {

// The undo history of a sub-editor's working copy. A step keeps the whole copy
// as it was before and after one finished change, and the place it changed (a
// track, a notch) so that undo and redo can show it. Whole copies are small
// (a motor-sound table is 19 KB) and cannot go wrong the way finer steps can.
template <typename Copy> class WorkingCopyHistory {
public:
    static constexpr int StepLimit = 100;
    // Puts a copy back and shows the place; called by undo and redo.
    using Restore = std::function<void(const Copy& copy, int place)>;

    explicit WorkingCopyHistory(Restore restore) : mRestore(std::move(restore)) {
        mStack.setUndoLimit(StepLimit);
    }

    // Records a change already made; one that left the copy as it was records nothing.
    void record(const QString& text, const Copy& before, const Copy& after, int place) {
        if (before != after)
            mStack.push(new Step(mRestore, text, before, after, place));
    }
    void undo() { mStack.undo(); }
    void redo() { mStack.redo(); }
    void clear() { mStack.clear(); }
    bool canUndo() const { return mStack.canUndo(); }
    bool canRedo() const { return mStack.canRedo(); }
    // Tells about every change of what undo and redo would do.
    const QUndoStack& stack() const { return mStack; }

private:
    class Step : public QUndoCommand {
    public:
        Step(const Restore& restore, const QString& text, const Copy& before, const Copy& after,
             int place)
            : QUndoCommand(text), mRestore(restore), mBefore(before), mAfter(after),
              mPlace(place) {}
        void undo() override { mRestore(mBefore, mPlace); }
        void redo() override {
            // The stack redoes a step as it is pushed; that change is made already.
            if (mMade)
                mRestore(mAfter, mPlace);
            mMade = true;
        }

    private:
        const Restore& mRestore;
        Copy mBefore;
        Copy mAfter;
        int mPlace;
        bool mMade = false;
    };

    Restore mRestore;
    QUndoStack mStack;
};

} // namespace Orlenda
