#include "cli/clicommands.h"
#include "cli/clicommon.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The bytes as given: QCoreApplication::arguments() would have turned a
    // name that is not UTF-8 into another one.
    QList<QByteArray> raw;
    for (int i = 1; i < argc; ++i)
        raw << QByteArray(argv[i]);
    const std::optional<QStringList> arguments = Orlenda::cliArguments(raw, err);
    if (!arguments)
        return Orlenda::CliFailed;
    return Orlenda::runCli(*arguments, out, err);
}
