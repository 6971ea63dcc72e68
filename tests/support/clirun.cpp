#include "support/clirun.h"

#include "cli/clicommands.h"

#include <QTextStream>

namespace Orlenda {

int runCliForTest(const QStringList& args, QString* errText) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = runCli(args, o, e);
    e.flush();
    if (errText)
        *errText = err;
    return status;
}

} // namespace Orlenda
