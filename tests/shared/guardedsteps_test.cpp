#include "shared/guardedsteps.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(GuardedSteps, YesContinuesWithTheNextStepLeavingTheFailedTargetUnchanged) {
    ScriptedPrompter prompter;
    GuardedSteps guarded(QStringLiteral("OpenDat"), prompter);
    int a = 1, b = 2, c = 3;
    guarded([&] { a = 10; });
    const bool ok = guarded([&] {
        throw StepFailure(Failure::Overflow);
        b = 20;
    });
    guarded([&] { c = 30; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 30);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.questions().at(0).caption, QStringLiteral("Orlenda - OpenDat"));
    EXPECT_EQ(prompter.questions().at(0).text,
              QStringLiteral("オーバーフローしました。\n続行しますか？"));
    EXPECT_EQ(prompter.questions().at(0).icon, Prompter::Icon::Error);
}

TEST(GuardedSteps, NoEndsTheProgramWithoutRunningLaterSteps) {
    ScriptedPrompter prompter;
    prompter.script({true, false});
    int reached = 0;
    auto routine = [&] {
        GuardedSteps guarded(QStringLiteral("Save"), prompter);
        for (int i = 0; i < 5; ++i) {
            guarded([&] {
                if (i % 2 == 0)
                    throw StepFailure(Failure::DiskFull);
                ++reached;
            });
        }
    };
    EXPECT_THROW(routine(), ProgramEndRequested);
    EXPECT_EQ(prompter.count(), 2);
    EXPECT_EQ(reached, 1);
}

TEST(GuardedSteps, EveryFailureInALoopIsReportedAndSkippedAlone) {
    ScriptedPrompter prompter;
    GuardedSteps guarded(QStringLiteral("Save"), prompter);
    QStringList written;
    for (int i = 0; i < 6; ++i) {
        guarded([&] {
            if (i == 1 || i == 2 || i == 4)
                throw StepFailure(Failure::DeviceIo);
            written << QString::number(i);
        });
    }
    EXPECT_EQ(prompter.count(), 3);
    EXPECT_EQ(guarded.failures(), 3);
    EXPECT_EQ(written, (QStringList{"0", "3", "5"}));
}

TEST(GuardedSteps, LimitAndQuietGroupsKeepBrokenInputFromFloodingTheUser) {
    ScriptedPrompter prompter;
    GuardedSteps guarded(QStringLiteral("OpenDat"), prompter, 3);
    auto failing = [] { throw StepFailure(Failure::TypeMismatch); };
    guarded.beginQuietGroup();
    for (int i = 0; i < 100; ++i)
        guarded(failing);
    guarded.endQuietGroup();
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_TRUE(guarded.ask(QStringLiteral("Orlenda"), QStringLiteral("x?"), Prompter::Icon::Warning));
    guarded(failing);
    EXPECT_EQ(prompter.count(), 3);
    // Past the limit nothing is asked and questions count as Yes.
    prompter.script({false});
    EXPECT_FALSE(guarded(failing));
    EXPECT_TRUE(guarded.ask(QStringLiteral("Orlenda"), QStringLiteral("y?"), Prompter::Icon::Warning));
    EXPECT_EQ(prompter.count(), 3);
    EXPECT_EQ(guarded.failures(), 102);
}
