#include "acceleration/ui/accelerationwindow.h"
#include "motorsound/ui/motorsoundgraphview.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "support/apptest.h"

#include <QComboBox>

using namespace Orlenda;

using SubEditorOpening = MainWindowFixture<>;

TEST_F(SubEditorOpening, AccelerationRoundsTheConsistHalvesToEvenAndEveryOpeningStartsFresh) {
    data.type([&] { data.setText(txtCar(0), QStringLiteral("35.5")); });
    data.type([&] { data.setText(txtCar(2), QStringLiteral("34.5")); });
    data.type([&] { data.setText(txtCar(3), QStringLiteral("2 cars")); }); // not a number as a whole
    showActive();
    openAnd<AccelerationWindow>("cmdAcc", [](AccelerationWindow& w) {
        EXPECT_TRUE(w.isModal());
        const TrainConsist c = w.consist();
        EXPECT_EQ(QList<int>({c.motorWeight, c.motorCount, c.trailerWeight, c.trailerCount}),
                  QList<int>({36, 1, 34, 0}));
        namedChild<QComboBox>(w, "cbxIndex")->setCurrentIndex(4);
        clickIndicator(namedChild(w, "optDim(1)"));
        clickIndicator(namedChild(w, "Check1"));
        typeOver(w.field(NotchField::Accel1), QStringLiteral("2"));
        QTest::keyClick(w.field(NotchField::Accel1), Qt::Key_Return);
        EXPECT_EQ(w.workingTable()[4].accel1, 2.0f);
    });
    EXPECT_EQ(data.accelerationTable(), defaultAccelerationTable());
    openAnd<AccelerationWindow>("cmdAcc", [](AccelerationWindow& w) {
        EXPECT_EQ(w.choices().selectedNotch, 0);
        EXPECT_EQ(w.choices().unit, AccelerationUnit::KmPerHourPerSecond);
        EXPECT_TRUE(w.choices().subtractResistance);
        EXPECT_EQ(w.workingTable()[4].accel1, 0.0f);
        EXPECT_EQ(w.field(NotchField::Accel1)->text(), QStringLiteral("0.6"));
    });
}

TEST_F(SubEditorOpening, MotorSoundIsOneModalWindowThatKeepsItsCopyBuffer) {
    showActive();
    MotorSoundWindow* first = nullptr;
    openAnd<MotorSoundWindow>("cmdMotor", [&](MotorSoundWindow& w) {
        EXPECT_TRUE(w.isModal());
        first = &w; // copies rows 0..1 of P1
        namedChild(w, "optTool(3)")->setProperty("checked", true);
        QTest::mouseClick(w.graphView(), Qt::LeftButton, {}, QPoint(1, 500));
        QTest::mouseClick(w.graphView(), Qt::LeftButton, {}, QPoint(2, 500));
        namedChild<QPushButton>(w, "cmdCancel")->click();
    });
    openAnd<MotorSoundWindow>("cmdMotor", [&](MotorSoundWindow& w) {
        EXPECT_EQ(&w, first);
        const MotorSoundCopyBuffer& buffer = w.editor().copyBuffer();
        EXPECT_EQ(buffer.records[0], data.motorSoundTable()[Track::P1][1]);
        EXPECT_EQ(buffer.records[1], data.motorSoundTable()[Track::P1][2]);
        EXPECT_EQ(buffer.records[2].pitch, 0);
    });
    EXPECT_EQ(data.motorSoundTable(), defaultMotorSoundTable());
}
