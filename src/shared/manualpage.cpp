#include "shared/manualpage.h"

#include <QRegularExpression>
#include <QTextDocument>

namespace Orlenda {

QString manualHtml(const QString& markdown) {
    QTextDocument document;
    document.setMarkdown(markdown);
    QString html = document.toHtml();
    // The rich-text writer pins every block to zero margins and leaves the
    // font family empty; a browser's defaults read better.
    static const QRegularExpression blockStyle(
        QStringLiteral("<(p|h[1-6]|ul|ol|li|body) style=\"[^\"]*\""));
    html.replace(blockStyle, QStringLiteral("<\\1"));
    const QString style = QStringLiteral(
        "<style type=\"text/css\">\n"
        "body { max-width: 52em; margin: 1em auto; padding: 0 1em; line-height: 1.6;\n"
        "       font-family: sans-serif; }\n"
        "table { border-collapse: collapse; margin: 0.5em 0; }\n"
        "td, th { border: 1px solid #999; padding: 0.2em 0.5em; vertical-align: top; }\n"
        "img { max-width: 100%; }\n"
        "</style>");
    static const QRegularExpression oldStyle(QStringLiteral("<style type=\"text/css\">.*</style>"),
                                             QRegularExpression::DotMatchesEverythingOption);
    html.replace(oldStyle, style);
    html.replace(QStringLiteral("<table border=\"1\" cellspacing=\"2\">"),
                 QStringLiteral("<table>"));
    html.replace(QStringLiteral("<html>"), QStringLiteral("<html lang=\"ja\">"));
    return html;
}

} // namespace Orlenda
