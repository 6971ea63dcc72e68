#include "performance/texttable.h"

#include <algorithm>

namespace Orlenda {

namespace {

QList<QStringList> lines(const TextTable& table) {
    const bool rowHeads = !table.rowHeaders.isEmpty();
    QList<QStringList> out;
    QStringList head;
    if (rowHeads)
        head << QString();
    head << table.columnHeaders;
    out << head;
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        QStringList line;
        if (rowHeads)
            line << table.rowHeaders.value(r);
        for (const TextTable::Cell& c : table.rows.at(r))
            line << c.text;
        out << line;
    }
    return out;
}

int displayWidth(const QString& text) {
    int width = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                          (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                          (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                          (u >= 0xFFE0 && u <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

} // namespace

QString tabSeparated(const TextTable& table) {
    QString text;
    for (const QStringList& line : lines(table))
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

QString alignedText(const TextTable& table) {
    const QList<QStringList> all = lines(table);
    const bool rowHeads = !table.rowHeaders.isEmpty();
    QList<int> widths;
    for (const QStringList& line : all) {
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (widths.size() <= i)
                widths << 0;
            widths[i] = std::max(widths[i], displayWidth(line.at(i)));
        }
    }
    QString text;
    for (const QStringList& line : all) {
        QString out;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QString pad(widths[i] - displayWidth(line.at(i)), QLatin1Char(' '));
            // The first column (the row heads) reads left-aligned, numbers right-aligned.
            out += i == 0 && rowHeads ? line.at(i) + pad : pad + line.at(i);
            if (i + 1 < line.size())
                out += QStringLiteral("  ");
        }
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        text += out + QLatin1Char('\n');
    }
    return text;
}

} // namespace Orlenda
