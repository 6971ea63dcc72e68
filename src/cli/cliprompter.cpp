#include "cli/cliprompter.h"

namespace Orlenda {

bool CliPrompter::ask(const QString& caption, const QString& text, Icon) {
    ++mQuestions;
    QString oneLine = text;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
    oneLine.replace(QLatin1Char('\r'), QStringLiteral(" / "));
    oneLine.replace(QLatin1Char('\n'), QStringLiteral(" / "));
    mErr << "orlenda-cli: " << caption << ": " << oneLine << Qt::endl;
    return true;
}

} // namespace Orlenda
