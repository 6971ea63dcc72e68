#pragma once

#include "document/motorsoundtext.h"
#include "motorsound/motorsoundcopybuffer.h"
#include "motorsound/motorsoundeditor.h"
#include "motorsound/ui/motorsoundcsvfiles.h"
#include "shared/ui/imagesaving.h"
#include "shared/ui/subeditorframe.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;

namespace Orlenda {

class MotorSoundGraphView;
class MotorSoundViewport;
class TrainData;

// The motor-sound editor (frmMotor). It edits a working copy of the
// document's four tracks and writes them back on 適用 or OK. The object lives
// for the program run, so its copy buffer survives closing and reopening.
// A half-made edit (between its two presses) is the edit under way.
class MotorSoundWindow : public SubEditorFrame {
    Q_OBJECT

public:
    MotorSoundWindow(TrainData& data, Prompter& prompter, QWidget* owner);

    // Starts afresh from the document: its table, track P1, the index tool
    // with "無音", decimal scale, the view at the bottom-left of the graph.
    void load();
    // load, then shows the window modally until it closes.
    void openModal();

    // Asks where to save the graph image; empty for no.
    void setImagePathChooser(ImagePathChooser chooser) {
        mChooseImagePath = std::move(chooser);
    }

    // Asks for the CSV file to write or read.
    void setCsvPathChooser(CsvPathChooser chooser) { mChooseCsvPath = std::move(chooser); }

    // Where the window's size is kept between runs, in twips.
    static QString widthSetting() { return QStringLiteral("MotorWidth"); }
    static QString heightSetting() { return QStringLiteral("MotorHeight"); }
    // The prefix of its place and maximised state; its width and height keys
    // are the two above.
    static QString settingsPrefix() { return QStringLiteral("Motor"); }
    // The first opening's size: the classic one with room for the scales.
    QSize defaultSize() const;

    // A panel beside the graph, on the right, owned by the window from then
    // on; the window grows by its width. The window knows nothing of what it
    // does: whoever opens the window fills the place.
    void setSidePanel(QWidget* panel);
    QWidget* sidePanel() const { return mSidePanel; }

    // Marks the row being played on the graph and shows text in the read-out
    // strip instead of the pointer's row, until clearPlayPosition.
    void showPlayPosition(int row, const QString& text);
    void clearPlayPosition();

    const MotorSoundEditor& editor() const { return mEditor; }
    MotorSoundGraphView* graphView() const { return mGraph; }
    MotorSoundViewport* viewport() const { return mViewport; }
    QMenu* graphMenu() const { return mMenu; }

    void apply();
    void startOver();
    // Saves the graph without the rubber band as PNG, asking for the path.
    void saveGraphImage();
    // 範囲を数値で設定...: asks for a range and writes it as one edit.
    void setRangeByNumbers();
    // The current track to or from a CSV file; a read track is one edit.
    void exportTrack();
    void importTrack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool hasUnwrittenChanges() const override;
    bool isEditUnderWay() const override { return mEditor.isPending(); }
    void cancelEdit() override { mEditor.cancel(); }
    const QUndoStack& historyStack() const override { return mEditor.history().stack(); }
    // Each step shows the track it changes.
    void undoStep() override { mEditor.undo(); }
    void redoStep() override { mEditor.redo(); }
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

signals:
    // Space while the graph has the focus.
    void playKeyPressed();

private:
    QSize sidePanelSize() const;
    int sidePanelWidth() const;
    void buildControls();
    void buildViewport();
    void connectEditor();
    void buildHistory();
    void pressGraph(Qt::MouseButton button, QPointF pixel);
    void moveOverGraph(QPointF pixel);
    void showStatus(const QString& text, bool paintNow);
    void showGraphMenu(QPoint globalPosition, bool byMouse);
    QSize windowSizeFor(QSize viewportFrame) const;
    // Sets the track list, tool buttons, scale and index to the editor's choices.
    void showChoices();

    TrainData& mData;
    MotorSoundCopyBuffer mBuffer;
    MotorSoundEditor mEditor;
    ImagePathChooser mChooseImagePath;
    CsvPathChooser mChooseCsvPath;
    // The typed range's entries, offered again at the next asking.
    MotorSoundRangeInput mLastRange{QStringLiteral("0"), motorSoundRowSpeed(MotorSoundRows - 1),
                                    std::nullopt, std::nullopt, std::nullopt};
    // A right press that cancelled an edit does not also open the menu.
    bool mPressCancelledEdit = false;
    bool mPlaced = false;

    QListWidget* mLayer = nullptr;
    std::array<QRadioButton*, MotorSoundToolCount> mTools{};
    QComboBox* mIndex = nullptr;
    QCheckBox* mHex = nullptr;
    QLabel* mStatus = nullptr;
    MotorSoundViewport* mViewport = nullptr;
    MotorSoundGraphView* mGraph = nullptr;
    QMenu* mMenu = nullptr;
    QWidget* mSidePanel = nullptr;
    // The pointer's read-out, kept while playback shows its own.
    QString mPointerStatus;
    bool mShowingPlayPosition = false;
};

} // namespace Orlenda
