#include "acceleration/ui/accelerationwindow.h"
#include "document/traindata.h"
#include "motorsound/ui/motorsoundgraphview.h"
#include "motorsound/ui/motorsoundwindow.h"
#include "support/scriptedprompter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace Orlenda;

// The sub-editors work on copies: only a confirmed change marks the document.

TEST(SubEditorEdits, CancelLeavesTheDocumentUnmodifiedOkOrApplyMarksIt) {
    ScriptedPrompter prompter;
    for (const char* button : {"cmdCancel", "cmdOk"}) {
        TrainData data;
        AccelerationWindow window(data, TrainConsist{35, 1, 30, 1}, prompter, nullptr);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QLineEdit* edit = window.field(NotchField::Speed1);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("40"));
        QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
        EXPECT_EQ(data.isModified(), button == std::string("cmdOk")) << button;
    }
    TrainData data;
    MotorSoundWindow window(data, prompter, nullptr);
    for (const char* button : {"cmdCancel", "cmdApply"}) {
        window.load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // A pitch line over the bottom-left corner of the graph, which the
        // window shows first.
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("optTool(1)")), Qt::LeftButton,
                          {}, QPoint(6, 6));
        for (const QPoint p : {QPoint(10, 750), QPoint(60, 700)}) {
            QTest::mouseMove(window.graphView(), p);
            QTest::mouseClick(window.graphView(), Qt::LeftButton, {}, p);
        }
        ASSERT_NE(window.editor().workingCopy(), data.motorSoundTable());
        QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
        EXPECT_EQ(data.isModified(), button == std::string("cmdApply")) << button;
    }
}
