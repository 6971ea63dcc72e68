#pragma once

#include "acceleration/accelerationplot.h"
#include "acceleration/notchrules.h"
#include "acceleration/trainconsist.h"
#include "shared/ui/imagesaving.h"
#include "shared/ui/windowcommandguard.h"
#include "shared/workingcopyhistory.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Orlenda {

class PlotView;
class Prompter;
class TrainData;

// The acceleration curve editor: the plot of all eight notches and the five
// parameters of one. It edits a working copy of the document's table; OK
// writes it back, Cancel and the close box drop it. A field's value is applied
// when the field loses focus (Enter moves the focus to the plot), always to
// the notch it was typed for. Each stored value is a step of the window's undo
// history; closing with changes not written to the document asks first.
class AccelerationWindow : public QDialog {
    Q_OBJECT

public:
    AccelerationWindow(TrainData& data, const TrainConsist& consist, Prompter& prompter,
                       QWidget* owner, ImagePathChooser chooseImagePath = {});
    ~AccelerationWindow() override;

    // Ends the program at once when a failure prompt is declined; tests replace it.
    void setProgramEnder(std::function<void()> ender) { mGuard.setProgramEnder(std::move(ender)); }

    const TrainConsist& consist() const { return mConsist; }
    const AccelerationTable& workingTable() const { return mTable; }
    PlotChoices choices() const;
    const QImage& plotImage() const { return mPlot.image(); }
    PlotView* plotView() const { return mPlotView; }
    QLineEdit* field(NotchField field) const { return mFields[std::size_t(field)]; }
    const WorkingCopyHistory<AccelerationTable>& history() const { return mHistory; }

    // Typing not yet stored is put back first; only then do these step
    // through the history, showing the notch each step changes.
    void undo();
    void redo();
    // Closes unless there are changes and the user keeps them.
    void reject() override;

    // A reference train's curves under the document's; none removes them.
    void setReference(std::optional<ReferenceCurves> reference);

signals:
    // An edit changed the working table (not yet the document).
    void workingTableChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

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
    Prompter& mPrompter;
    ImagePathChooser mChooseImagePath;
    WindowCommandGuard mGuard;
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
