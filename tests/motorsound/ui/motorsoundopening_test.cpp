#include "motorsound/ui/motorsoundgraphview.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "support/accelerationmotorsound.h"

using namespace Orlenda;

using MotorSoundOpening = MainWindowTest;

TEST_F(MotorSoundOpening, TheButtonOpensOneModalWindowThatKeepsItsCopyBuffer) {
    MotorSoundWindow* first = nullptr;
    openAnd<MotorSoundWindow>("cmdMotor", [&](MotorSoundWindow& w) {
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
