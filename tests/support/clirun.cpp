#include "support/clirun.h"

#include "cli/clicommands.h"

#include <QTextStream>

namespace Orlenda {

int runCliForTest(const QStringList& args, QString* errText, QString* outText) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = runCli(args, o, e);
    e.flush();
    o.flush();
    if (errText)
        *errText = err;
    if (outText)
        *outText = out;
    return status;
}

} // namespace Orlenda
