#include "shared/commandline.h"

namespace Orlenda {

QString rawCommandLine(const QStringList& arguments) {
    QStringList parts;
    parts.reserve(arguments.size());
    for (const QString& argument : arguments) {
        if (argument.contains(QLatin1Char(' ')))
            parts << QLatin1Char('"') + argument + QLatin1Char('"');
        else
            parts << argument;
    }
    return parts.join(QLatin1Char(' '));
}

QString commandLinePath(const QString& rawText) {
    if (rawText.isEmpty())
        return {};
    if (rawText.startsWith(QLatin1Char('"'))) {
        // Without a closing quote the rest of the line is the path.
        const qsizetype close = rawText.indexOf(QLatin1Char('"'), 1);
        return close < 0 ? rawText.mid(1) : rawText.mid(1, close - 1);
    }
    const qsizetype blank = rawText.indexOf(QLatin1Char(' '));
    return blank < 0 ? rawText : rawText.left(blank);
}

} // namespace Orlenda
