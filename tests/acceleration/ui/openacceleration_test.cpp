#include "acceleration/ui/accelerationwindow.h"
#include "support/accelerationmotorsound.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Orlenda;

using OpenAccelerationTest = MainWindowTest;

TEST_F(OpenAccelerationTest, ConsistRoundedHalvesToEvenAndEveryOpeningStartsFresh) {
    data.setText(txtCar(0), QStringLiteral("35.5"));
    data.setText(txtCar(2), QStringLiteral("34.5"));
    data.setText(txtCar(3), QStringLiteral("2 cars")); // not a number as a whole
    openAnd<AccelerationWindow>("cmdAcc", [](AccelerationWindow& w) {
        const TrainConsist c = w.consist();
        EXPECT_EQ(QList<int>({c.motorWeight, c.motorCount, c.trailerWeight, c.trailerCount}),
                  QList<int>({36, 1, 34, 0}));
        namedChild<QComboBox>(w, "cbxIndex")->setCurrentIndex(4);
        clickIndicator(namedChild(w, "optDim(1)"));
        clickIndicator(namedChild(w, "Check1"));
        w.field(NotchField::Accel1)->setFocus();
        QTest::keyClicks(w.field(NotchField::Accel1), QStringLiteral("2"));
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
