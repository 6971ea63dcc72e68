#include "app/mainwindow.h"
#include "document/traindata.h"
#include "motorsound/ui/motorsoundgraphview.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "support/nochooser.h"
#include "support/scriptedprompter.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Orlenda;

TEST(MotorSoundOpening, TheButtonOpensOneModalWindowThatKeepsItsCopyBuffer) {
    TrainData data;
    ScriptedPrompter prompter;
    NoChooser chooser;
    MainWindow main(data, prompter, chooser);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    auto* button = main.findChild<QPushButton*>(QStringLiteral("cmdMotor"));
    ASSERT_TRUE(button && button->isEnabled());

    QList<MotorSoundWindow*> opened;
    QList<bool> modal;
    // Runs inside the window's own event loop; the first visit copies rows 0..1.
    auto visit = [&] {
        auto* w = qobject_cast<MotorSoundWindow*>(QApplication::activeModalWidget());
        opened.append(w);
        if (!w)
            return;
        modal.append(w->isModal() && w->parentWidget() == &main);
        if (opened.size() == 1) {
            w->findChild<QWidget*>(QStringLiteral("optTool(3)"))->setProperty("checked", true);
            QTest::mouseClick(w->graphView(), Qt::LeftButton, {}, QPoint(1, 500));
            QTest::mouseClick(w->graphView(), Qt::LeftButton, {}, QPoint(2, 500));
        }
        w->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    };
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, &main, visit);
        button->click();
    }
    ASSERT_EQ(opened.size(), 2);
    ASSERT_NE(opened.at(0), nullptr);
    EXPECT_EQ(opened.at(0), opened.at(1));
    EXPECT_EQ(modal, QList<bool>({true, true}));
    const MotorSoundCopyBuffer& buffer = opened.at(1)->editor().copyBuffer();
    EXPECT_EQ(buffer.records[0], data.motorSoundTable()[Track::P1][1]);
    EXPECT_EQ(buffer.records[1], data.motorSoundTable()[Track::P1][2]);
    EXPECT_EQ(buffer.records[2].pitch, 0);
    EXPECT_EQ(data.motorSoundTable(), defaultMotorSoundTable());
}
