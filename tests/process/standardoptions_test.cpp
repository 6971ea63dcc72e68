#include "process/processrun.h"

#include <gtest/gtest.h>

namespace {

// A built program with no display at all, or with one that cannot be reached.
ProgramRun runWithoutDisplay(const char* binary, const QStringList& arguments,
                             const QString& unreachableDisplay = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (!unreachableDisplay.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), unreachableDisplay);
    return runProgram(QString::fromLocal8Bit(binary), arguments, env);
}

} // namespace

TEST(StandardOptions, BothProgramsAnswerHelpAndVersionWithoutADisplay) {
    const std::pair<const char*, QString> programs[] = {{ORLENDA_EDITOR_BINARY, "orlenda"},
                                                        {ORLENDA_CLI_BINARY, "orlenda-cli"}};
    for (const auto& [binary, program] : programs) {
        SCOPED_TRACE(program.toStdString());
        const ProgramRun version = runWithoutDisplay(binary, {"--version"});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, program + ' ' + builtVersion() + '\n');
        EXPECT_EQ(version.err, QString());

        // Help wins wherever it stands, and nothing else is done.
        const ProgramRun help =
            runWithoutDisplay(binary, {"check", "/nonexistent", "--help", "--version"});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith("usage: " + program + ' ')) << help.out.toStdString();
        EXPECT_TRUE(help.out.contains("--version"));
        EXPECT_EQ(help.err, QString());
    }
}

TEST(StandardOptions, WithoutAUsableDisplayTheEditorSaysSoInOneLine) {
    // No server listens on display 87 in a test run.
    for (const QString& display : {QString(), QStringLiteral(":87")}) {
        SCOPED_TRACE(display.toStdString());
        const ProgramRun run = runWithoutDisplay(ORLENDA_EDITOR_BINARY, {"train.dat"}, display);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err,
                  QStringLiteral("orlenda: no display is available; orlenda-cli works without one.\n"));
        EXPECT_EQ(run.out, QString());
    }
}
