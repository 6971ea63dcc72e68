#include "shared/guardedsteps.h"
#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

using namespace Orlenda;

TEST(GuardedSteps, YesReportsEachFailureAndGoesOnWithTheNextStep) {
    ScriptedPrompter prompter;
    GuardedSteps guarded(QStringLiteral("OpenDat"), prompter);
    QStringList done;
    for (int i = 0; i < 6; ++i) {
        const bool fails = i == 1 || i == 2 || i == 4;
        const bool ran = guarded([&] {
            if (fails)
                throw StepFailure(Failure::DeviceIo);
            done << QString::number(i);
        });
        EXPECT_EQ(ran, !fails) << i;
    }
    EXPECT_EQ(done, (QStringList{"0", "3", "5"}));
    EXPECT_EQ(guarded.failures(), 3);
    // The caption and text are pinned through the command line's plot report.
    ASSERT_EQ(prompter.count(), 3);
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
