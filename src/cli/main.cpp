#include "cli/clicommands.h"
#include "cli/clicommon.h"
#include "shared/failure.h"
#include "shared/platform.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    Orlenda::StandardOutput::holdClosedStreams();
    QCoreApplication app(argc, argv);
    // The result is gathered and written at the end, where a failure to write
    // it can still change the exit status.
    QString result;
    QTextStream out(&result);
    QTextStream err(stderr);
    // The bytes as given: QCoreApplication::arguments() would have turned a
    // name that is not UTF-8 into another one.
    QList<QByteArray> raw;
    for (int i = 1; i < argc; ++i)
        raw << QByteArray(argv[i]);
    const std::optional<QStringList> arguments = Orlenda::cliArguments(raw, err);
    if (!arguments)
        return Orlenda::CliFailed;
    int status = Orlenda::runCli(*arguments, out, err);
    out.flush();
    if (!result.isEmpty()) {
        const int error = Orlenda::StandardOutput::writeAndClose(result.toUtf8());
        if (error != 0) {
            // A reader that has gone, as `| head` leaves it, wants no more.
            if (!Orlenda::StandardOutput::readerGone(error))
                Orlenda::printFileError(
                    err, QStringLiteral("standard output"),
                    QStringLiteral("cannot write the result: %1")
                        .arg(Orlenda::failureDescription(
                            Orlenda::PlatformFile::failureOfError(error, true))));
            status = Orlenda::CliFailed;
        }
    }
    return status;
}
