#include "acceleration/ui/accelerationwindow.h"
#include "app/mainwindow.h"
#include "document/traindata.h"
#include "support/nochooser.h"
#include "support/scriptedprompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace Orlenda;

namespace {

class OpenAccelerationTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QPushButton* button() const { return window.findChild<QPushButton*>(QStringLiteral("cmdAcc")); }
    // Clicks cmdAcc and runs inside on the open, modal window.
    void openAnd(const std::function<void(AccelerationWindow&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* w = qobject_cast<AccelerationWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(w, nullptr);
            w->activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }));
            inside(*w);
            ran = true;
            if (w->isVisible())
                w->reject();
        });
        QTest::mouseClick(button(), Qt::LeftButton);
        EXPECT_TRUE(ran);
    }

    TrainData data;
    ScriptedPrompter prompter;
    NoChooser chooser;
    MainWindow window{data, prompter, chooser};
};

} // namespace

TEST_F(OpenAccelerationTest, ButtonOpensTheWindowWithTheConsistRoundedHalvesToEven) {
    ASSERT_NE(button(), nullptr);
    EXPECT_TRUE(button()->isEnabled());
    EXPECT_EQ(button()->text(), QStringLiteral("加速力曲線..."));
    data.setText(txtCar(0), QStringLiteral("35.5"));
    data.setText(txtCar(2), QStringLiteral("34.5"));
    data.setText(txtCar(3), QStringLiteral("2 cars"));
    openAnd([this](AccelerationWindow& w) {
        EXPECT_EQ(w.parentWidget(), &window);
        EXPECT_TRUE(w.isModal());
        EXPECT_EQ(w.consist().motorWeight, 36);
        EXPECT_EQ(w.consist().motorCount, 1);
        EXPECT_EQ(w.consist().trailerWeight, 34);
        EXPECT_EQ(w.consist().trailerCount, 0); // not a number as a whole
    });
}

TEST_F(OpenAccelerationTest, EveryOpeningStartsFreshFromTheDocument) {
    openAnd([](AccelerationWindow& w) {
        w.findChild<QComboBox*>(QStringLiteral("cbxIndex"))->setCurrentIndex(4);
        QTest::mouseClick(w.findChild<QRadioButton*>(QStringLiteral("optDim(1)")), Qt::LeftButton,
                          {}, QPoint(6, 6));
        QTest::mouseClick(w.findChild<QCheckBox*>(QStringLiteral("Check1")), Qt::LeftButton, {},
                          QPoint(6, 6));
        w.field(NotchField::Accel1)->setFocus();
        QTest::keyClicks(w.field(NotchField::Accel1), QStringLiteral("2"));
        QTest::keyClick(w.field(NotchField::Accel1), Qt::Key_Return);
        EXPECT_EQ(w.workingTable()[4].accel1, 2.0f);
    });
    EXPECT_EQ(data.accelerationTable(), defaultAccelerationTable());
    openAnd([](AccelerationWindow& w) {
        EXPECT_EQ(w.choices().selectedNotch, 0);
        EXPECT_EQ(w.choices().unit, AccelerationUnit::KmPerHourPerSecond);
        EXPECT_TRUE(w.choices().subtractResistance);
        EXPECT_EQ(w.workingTable()[4].accel1, 0.0f);
        EXPECT_EQ(w.field(NotchField::Accel1)->text(), QStringLiteral("0.6"));
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
    });
    EXPECT_EQ(data.accelerationTable(), defaultAccelerationTable());
}
