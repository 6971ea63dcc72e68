#pragma once

#include "shared/appidentity.h"

#include <QProcess>
#include <QProcessEnvironment>

struct ProgramRun {
    int status = -1; // -1: it hung or crashed
    QString out;
    QString err;
};

// Runs a built or installed program to its end, as a user would.
inline ProgramRun runProgram(const QString& program, const QStringList& arguments,
                             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The editor built with its test hooks (it types and answers as the
// environment asks); empty where the build has none.
#ifdef ORLENDA_HOOKED_EDITOR_BINARY
inline QString hookedEditor() { return QStringLiteral(ORLENDA_HOOKED_EDITOR_BINARY); }
#else
inline QString hookedEditor() { return {}; }
#endif
#define ORLENDA_SKIP_WITHOUT_HOOKED_EDITOR()                                                       \
    if (hookedEditor().isEmpty())                                                                  \
    GTEST_SKIP() << "needs orlenda-hooked: configure with -DORLENDA_TEST_HOOKS=ON, as scripts/test does"

// "1.5.0", as the build was configured.
inline QString builtVersion() {
    const Orlenda::AppIdentity id = Orlenda::appIdentity();
    return QStringLiteral("%1.%2.%3").arg(id.major).arg(id.minor).arg(id.revision);
}
