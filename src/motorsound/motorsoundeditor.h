#pragma once

#include "document/motorsoundtable.h"
#include "motorsound/motorsoundcopybuffer.h"
#include "motorsound/motorsoundgraph.h"
#include "motorsound/motorsoundrange.h"
#include "motorsound/motorsoundtool.h"
#include "shared/workingcopyhistory.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>

namespace Orlenda {

class Prompter;

// Everything the motor-sound window does, without the window: the working
// copy of the table, the track, tool and scale choices, the graph image with
// its rubber band, and the two-press edits. An edit is idle or pending
// between its first and second press; any press other than the left one
// cancels a pending edit. Every finished change of the working copy (a tool's
// edit, a paste, a start over) is a step of its undo history.
//
// The copy buffer belongs to the caller so that it outlives the window.
// Press and move report failures under "pbxMain_MouseDown" and
// "pbxMain_MouseMove"; a declined prompt surfaces as ProgramEndRequested.
class MotorSoundEditor : public QObject {
    Q_OBJECT

public:
    static QString busyText() { return QStringLiteral("処理中..."); }

    MotorSoundEditor(MotorSoundCopyBuffer& buffer, Prompter& prompter, QObject* parent = nullptr);

    // A fresh start from the document: its table, track P1, the index tool
    // with "silent", decimal scale, nothing pending. The copy buffer stays.
    void load(const MotorSoundTable& table);
    // Back to the document's table, as one undoable step; a pending edit is dropped.
    void startOver(const MotorSoundTable& table);
    const MotorSoundTable& workingCopy() const { return mWorking; }

    void selectTrack(int track);
    int currentTrack() const { return mView.currentTrack; }
    int previousTrack() const { return mView.previousTrack; }

    // The volume tool switches the hexadecimal scale on, every other tool off.
    void selectTool(MotorSoundTool tool);
    MotorSoundTool tool() const { return mTool; }
    void setHexScale(bool on);
    bool hexScale() const { return mView.hexScale; }
    // Cancels a pending edit, then selects the index tool.
    void chooseIndex(int index);
    int indexChoice() const { return mIndexChoice; }

    // Graph pixel positions. A press outside the graph (the graph holds the
    // mouse while another button is down) is ignored.
    void press(Qt::MouseButton button, double x, double y);
    void move(double x, double y);
    // Drops a pending edit and its rubber band; nothing else changes.
    void cancel();

    // The pointer left the graph: the read-out is cleared.
    void leave();

    // Whole-range edits of the current track, each as one change of the
    // working copy after a pending edit is cancelled: the rows a typed range
    // names, written by the tools' own edit; a track read from elsewhere.
    void applyTypedRange(const MotorSoundRange& range);
    void importTrack(const MotorSoundTrack& track);

    bool isPending() const { return mPending; }
    QPoint startPoint() const { return mStart; }
    const MotorSoundCopyBuffer& copyBuffer() const { return mBuffer; }

    // Undo with an edit pending only cancels that edit. Undo and redo show the
    // track whose rows they change.
    void undo();
    void redo();
    const WorkingCopyHistory<MotorSoundTable>& history() const { return mHistory; }

    // The graph as shown, rubber band included.
    const QImage& image() const { return mImage; }
    // The graph alone.
    QImage graphImage() const { return MotorSoundGraph::render(mWorking, mView); }

signals:
    void imageChanged();
    // The working copy is another table: loaded, edited, undone, redone or
    // started over.
    void workingCopyChanged();
    void trackChanged(int track);
    void toolChanged(Orlenda::MotorSoundTool tool);
    void hexScaleChanged(bool on);
    // paintNow: the text must be on screen before the call returns.
    void statusChanged(const QString& text, bool paintNow);

private:
    void redraw();
    void drawBand();
    void eraseBand();
    void setStatus(const QString& text, bool paintNow);
    void finishEdit(const QString& stepName, const MotorSoundTable& before);
    void restore(const MotorSoundTable& table, int track);
    QString pointerText(double x, double y) const;
    MotorSoundTrack& editedTrack() { return mWorking.tracks[std::size_t(mView.currentTrack)]; }

    MotorSoundCopyBuffer& mBuffer;
    Prompter& mPrompter;
    MotorSoundTable mWorking{};
    MotorSoundView mView;
    MotorSoundTool mTool = MotorSoundTool::Index;
    int mIndexChoice = SilentSoundIndex;
    QImage mImage;

    bool mPending = false;
    QPoint mStart;
    QPoint mEnd;
    // The band on the image, as drawn: erasing repeats exactly this figure,
    // even when the tool or the image changed in between.
    bool mBandDrawn = false;
    RubberBand::Shape mBandShape = RubberBand::Shape::None;
    QPoint mBandStart;
    QPoint mBandEnd;

    WorkingCopyHistory<MotorSoundTable> mHistory{
        [this](const MotorSoundTable& table, int track) { restore(table, track); }};
};

} // namespace Orlenda
