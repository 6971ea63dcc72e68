#include "motorsound/motorsoundeditor.h"

#include "motorsound/motorsoundgeometry.h"
#include "motorsound/motorsoundreadout.h"
#include "motorsound/motorsoundtools.h"
#include "shared/guardedsteps.h"

#include <algorithm>

namespace Orlenda {

namespace {

// The track a change of the whole table is shown on: the current one when its
// rows changed, else the first that changed.
int changedTrack(const MotorSoundTable& before, const MotorSoundTable& after, int current) {
    if (before.tracks[std::size_t(current)] != after.tracks[std::size_t(current)])
        return current;
    for (int t = 0; t < TrackCount; ++t) {
        if (before.tracks[std::size_t(t)] != after.tracks[std::size_t(t)])
            return t;
    }
    return current;
}

} // namespace

MotorSoundEditor::MotorSoundEditor(MotorSoundCopyBuffer& buffer, Prompter& prompter,
                                   QObject* parent)
    : QObject(parent), mBuffer(buffer), mPrompter(prompter) {
    redraw();
}

void MotorSoundEditor::load(const MotorSoundTable& table) {
    mWorking = table;
    mPending = false;
    mHistory.clear();
    mView.currentTrack = 0;
    chooseIndex(SilentSoundIndex);
    // A tool chosen again keeps quiet, but the scale still returns to decimal.
    setHexScale(false);
    selectTrack(0);
    setStatus(QString(), false);
    emit workingCopyChanged();
}

void MotorSoundEditor::startOver(const MotorSoundTable& table) {
    mPending = false;
    const MotorSoundTable before = mWorking;
    mWorking = table;
    redraw();
    mHistory.record(QStringLiteral("「やり直し」ボタン"), before, mWorking,
                    changedTrack(before, mWorking, mView.currentTrack));
    emit workingCopyChanged();
}

void MotorSoundEditor::undo() {
    if (mPending) {
        cancel();
        return;
    }
    mHistory.undo();
}

void MotorSoundEditor::redo() {
    cancel();
    mHistory.redo();
}

void MotorSoundEditor::restore(const MotorSoundTable& table, int track) {
    mWorking = table;
    if (track != mView.currentTrack)
        selectTrack(track);
    else
        redraw();
    emit workingCopyChanged();
}

void MotorSoundEditor::selectTrack(int track) {
    mView.previousTrack = mView.currentTrack;
    mView.currentTrack = std::clamp(track, 0, TrackCount - 1);
    redraw();
    emit trackChanged(mView.currentTrack);
}

void MotorSoundEditor::selectTool(MotorSoundTool tool) {
    const bool changed = tool != mTool;
    mTool = tool;
    if (changed)
        emit toolChanged(tool);
    setHexScale(tool == MotorSoundTool::Volume);
}

void MotorSoundEditor::setHexScale(bool on) {
    if (on == mView.hexScale)
        return;
    mView.hexScale = on;
    redraw();
    emit hexScaleChanged(on);
}

void MotorSoundEditor::chooseIndex(int index) {
    cancel();
    mIndexChoice = std::clamp(index, SilentSoundIndex, LargestSoundIndex);
    selectTool(MotorSoundTool::Index);
}

void MotorSoundEditor::cancel() {
    if (!mPending)
        return;
    eraseBand();
    mPending = false;
    emit imageChanged();
}

void MotorSoundEditor::press(Qt::MouseButton button, double x, double y) {
    if (!insideGraph(x, y))
        return;
    GuardedSteps steps(QStringLiteral("pbxMain_MouseDown"), mPrompter);
    const bool left = button == Qt::LeftButton;
    const QPoint point = graphPressPoint(x, y);

    if (mTool == MotorSoundTool::Paste) {
        if (!left)
            return;
        mEnd = point;
        setStatus(busyText(), true);
        const MotorSoundTable before = mWorking;
        steps([&] { pasteMotorSoundRows(editedTrack(), mBuffer, mEnd.x()); });
        finishEdit(motorSoundToolCaption(MotorSoundTool::Paste), before);
        return;
    }
    if (!mPending) {
        if (!left)
            return;
        mStart = mEnd = point;
        mPending = true;
        drawBand();
        emit imageChanged();
        return;
    }
    eraseBand();
    mEnd = point;
    mPending = false;
    if (!left) {
        emit imageChanged();
        return;
    }
    setStatus(busyText(), true);
    const MotorSoundTable before = mWorking;
    const MotorSoundEdit edit{mTool, mStart, mEnd, mIndexChoice};
    if (applyMotorSoundEdit(editedTrack(), mBuffer, edit, steps))
        selectTool(MotorSoundTool::Paste);
    finishEdit(motorSoundToolCaption(edit.tool), before);
}

void MotorSoundEditor::move(double x, double y) {
    GuardedSteps steps(QStringLiteral("pbxMain_MouseMove"), mPrompter);
    steps([&] { setStatus(pointerText(x, y), false); });
    if (!mPending)
        return;
    eraseBand();
    mEnd = QPoint(graphColumn(x), snappedGraphY(y));
    drawBand();
    emit imageChanged();
}

QString MotorSoundEditor::pointerText(double x, double y) const {
    if (!insideGraph(x, y))
        return {};
    if (mPending && mTool != MotorSoundTool::Paste)
        return motorSoundEditReadout({mTool, mStart, graphPressPoint(x, y), mIndexChoice},
                                     mView.hexScale);
    return motorSoundRowReadout(mWorking.tracks[std::size_t(mView.currentTrack)], x, y,
                                mView.hexScale);
}

void MotorSoundEditor::leave() {
    setStatus(QString(), false);
}

void MotorSoundEditor::applyTypedRange(const MotorSoundRange& range) {
    cancel();
    GuardedSteps steps(QStringLiteral("pbxMain_MouseDown"), mPrompter);
    const MotorSoundTable before = mWorking;
    applyMotorSoundRange(editedTrack(), range, steps);
    finishEdit(QStringLiteral("範囲を数値で設定"), before);
}

void MotorSoundEditor::importTrack(const MotorSoundTrack& track) {
    cancel();
    const MotorSoundTable before = mWorking;
    editedTrack() = track;
    finishEdit(QStringLiteral("CSV 読み込み"), before);
}

void MotorSoundEditor::finishEdit(const QString& stepName, const MotorSoundTable& before) {
    redraw();
    setStatus(QString(), false);
    mHistory.record(stepName, before, mWorking, mView.currentTrack);
    emit workingCopyChanged();
}

void MotorSoundEditor::redraw() {
    MotorSoundGraph::paint(mImage, mWorking, mView);
    mBandDrawn = false;
    // A redraw during an edit (a scale or track change by keyboard) keeps its band.
    if (mPending)
        drawBand();
    emit imageChanged();
}

void MotorSoundEditor::drawBand() {
    eraseBand();
    mBandShape = rubberBandShape(mTool);
    mBandStart = mStart;
    mBandEnd = mEnd;
    RubberBand::draw(mImage, mBandShape, mBandStart, mBandEnd);
    mBandDrawn = true;
}

void MotorSoundEditor::eraseBand() {
    if (!mBandDrawn)
        return;
    RubberBand::draw(mImage, mBandShape, mBandStart, mBandEnd);
    mBandDrawn = false;
}

void MotorSoundEditor::setStatus(const QString& text, bool paintNow) {
    emit statusChanged(text, paintNow);
}

} // namespace Orlenda
