#pragma once

#include "performance/performancefigures.h"
#include "performance/runcurveplot.h"
#include "performance/ui/referenceactions.h"
#include "shared/ui/imagesaving.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTableView;

namespace Orlenda {

class PlotView;
class Prompter;
class ReferenceTrain;
class TextTableModel;
class TrainData;

// 性能表: the figures the acceleration model gives for each notch, the
// service braking, and the run-curve plot, for a chosen grade; beside them
// those of a reference train when one is open. Modeless: it stays open beside
// the main window and follows the document.
class PerformanceWindow : public QWidget {
    Q_OBJECT

public:
    PerformanceWindow(TrainData& data, ReferenceTrain& reference, Prompter& prompter,
                      ReferencePathChooser chooseReference, QWidget* parent,
                      ImagePathChooser chooseImagePath = {});
    ~PerformanceWindow() override;

    const PerformanceFigures& figures() const { return mFigures; }
    const QImage& plotImage() const { return mPlot.image(); }
    RunCurveChoices runChoices() const;
    // The notches whose runs are drawn (0..7); a list without one changes nothing.
    void setRunNotches(const QList<int>& notches);
    QTableView* notchView() const { return mNotchView; }
    QTableView* brakingView() const { return mBrakingView; }

    // Shows the window, brought back from minimised and in front; the first
    // time where it was last closed, or beside the main window at a size that
    // fits the screen.
    void bringUp();

public slots:
    // Computes everything again from the document (or the acceleration
    // window's working table while it is followed) and the reference.
    void refresh();
    // While the acceleration window is open its working table stands in for
    // the document's, and the window says it is not yet applied.
    void followWorkingTable(const Orlenda::AccelerationTable& table);
    void stopFollowing();
    void copyTables();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(Prompter& prompter, ReferencePathChooser chooseReference);
    void redrawPlot();
    QList<int> runNotches() const;
    void runNotchToggled();
    void showRunPoint(QPoint pixel);
    void placeFirst();

    TrainData& mData;
    ReferenceTrain& mReference;
    ImagePathChooser mChooseImagePath;
    std::optional<AccelerationTable> mWorkingTable;
    PerformanceTrain mTrain;
    PerformanceFigures mFigures;
    std::optional<PerformanceFigures> mReferenceFigures;
    RunCurvePlot mPlot;
    bool mStale = true;
    bool mPlaced = false;

    QDoubleSpinBox* mGrade = nullptr;
    QLabel* mReferenceLabel = nullptr;
    QLabel* mSummary = nullptr;
    QLabel* mNotice = nullptr;
    QLabel* mFailures = nullptr;
    TextTableModel* mNotchModel = nullptr;
    TextTableModel* mBrakingModel = nullptr;
    QTableView* mNotchView = nullptr;
    QTableView* mBrakingView = nullptr;
    std::array<QCheckBox*, NotchCount> mRunNotches{};
    QLabel* mRunStatus = nullptr;
    QSpinBox* mBrakeFrom = nullptr;
    PlotView* mPlotView = nullptr;
};

} // namespace Orlenda
