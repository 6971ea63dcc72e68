#include "process/processrun.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef ORLENDA_SOUND
// The audio libraries come with a module the editor loads when it needs it;
// a module that does not load (a symbol the editor does not export, a wrong
// path) would only show when an author opens the motor-sound window.
TEST(AuditionModule, TheBuiltEditorLoadsItsModule) {
    ORLENDA_SKIP_WITHOUT_HOOKED_EDITOR();
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("XDG_STATE_HOME"), config.path());
    env.insert(QStringLiteral("ORLENDA_TEST_AUDITION"), QStringLiteral("1"));
    const ProgramRun run = runProgram(hookedEditor(), {}, env);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.toStdString(), "audition: loaded\n") << run.err.toStdString();
}
#endif
