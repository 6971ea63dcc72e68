#pragma once

#include "acceleration/accelerationplot.h"
#include "acceleration/notchrules.h"
#include "acceleration/trainconsist.h"
#include "shared/ui/imagesaving.h"
#include "shared/ui/subeditorframe.h"
#include "shared/workingcopyhistory.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Orlenda {

class PlotView;
class TrainData;

// The acceleration curve editor: the plot of all eight notches and the five
// parameters of one. It edits a working copy of the document's table; OK
// writes it back, Cancel and the close box drop it. A field's value is applied
// when the field loses focus (Enter moves the focus to the plot), always to
// the notch it was typed for. Each stored value is a step of the window's undo
// history; typing not yet stored is the edit under way.
class AccelerationWindow : public SubEditorFrame {
    Q_OBJECT

public:
    AccelerationWindow(TrainData& data, const TrainConsist& consist, Prompter& prompter,
                       QWidget* owner, ImagePathChooser chooseImagePath = {});
    ~AccelerationWindow() override;

    const TrainConsist& consist() const { return mConsist; }
    const AccelerationTable& workingTable() const { return mTable; }
    PlotChoices choices() const;
    const QImage& plotImage() const { return mPlot.image(); }
    PlotView* plotView() const { return mPlotView; }
    QLineEdit* field(NotchField field) const { return mFields[std::size_t(field)]; }
    const WorkingCopyHistory<AccelerationTable>& history() const { return mHistory; }

    // A reference train's curves under the document's; none removes them.
    void setReference(std::optional<ReferenceCurves> reference);

signals:
    // An edit changed the working table (not yet the document).
    void workingTableChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool hasUnwrittenChanges() const override;
    bool isEditUnderWay() const override { return typingField() != nullptr; }
    void cancelEdit() override { showNotch(); }
    const QUndoStack& historyStack() const override { return mHistory.stack(); }
    // Each step shows the notch it changes.
    void undoStep() override { mHistory.undo(); }
    void redoStep() override { mHistory.redo(); }

private:
    void buildControls();
    void selectNotch(int notch);
    void showNotch();
    void applyField(NotchField which, bool andRedraw = true);
    void applyFocusedField();
    // The focused field while it holds typing not yet stored.
    QLineEdit* typingField() const;
    void restore(const AccelerationTable& table, int notch);
    void redraw();
    void showReadout(QPoint pixel);
    void saveImage();
    void accept() override;

    TrainData& mData;
    TrainConsist mConsist;
    ImagePathChooser mChooseImagePath;
    AccelerationTable mTable;
    int mNotch = 0;
    AccelerationPlot mPlot;

    PlotView* mPlotView = nullptr;
    QComboBox* mNotchList = nullptr;
    std::array<QLineEdit*, 5> mFields{};
    QRadioButton* mKmhs = nullptr;
    QRadioButton* mKgft = nullptr;
    QCheckBox* mSubtract = nullptr;
    QLabel* mReadout = nullptr;

    WorkingCopyHistory<AccelerationTable> mHistory{
        [this](const AccelerationTable& table, int notch) { restore(table, notch); }};
};

} // namespace Orlenda
