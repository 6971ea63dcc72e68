#include "shared/standardoptions.h"

#include "shared/appidentity.h"

namespace Orlenda {

QString versionLine(const QString& program) {
    const AppIdentity identity = appIdentity();
    return QStringLiteral("%1 %2.%3.%4\n")
        .arg(program)
        .arg(identity.major)
        .arg(identity.minor)
        .arg(identity.revision);
}

std::optional<QString> standardOptionReply(const QStringList& arguments, const QString& program,
                                           const QString& usage) {
    // Help wins over version wherever each stands, as is usual.
    if (arguments.contains(QStringLiteral("--help"))) {
        return usage + QStringLiteral("\n"
                                      "  --help      show this help and exit\n"
                                      "  --version   show the version and exit\n");
    }
    if (arguments.contains(QStringLiteral("--version")))
        return versionLine(program);
    return std::nullopt;
}

} // namespace Orlenda
