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

// "1.5.0", as the build was configured.
inline QString builtVersion() {
    const Orlenda::AppIdentity id = Orlenda::appIdentity();
    return QStringLiteral("%1.%2.%3").arg(id.major).arg(id.minor).arg(id.revision);
}
