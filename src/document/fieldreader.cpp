#include "document/fieldreader.h"

#include "shared/failure.h"

#include <algorithm>

namespace Orlenda {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}
bool isDelimiter(QChar c) {
    return c == QLatin1Char(',') || isLineEnd(c);
}

bool isTrailingFiller(QChar c) {
    return isBlank(c) || isLineEnd(c) || c == QChar(0x1A);
}

} // namespace

qsizetype endOfContent(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && isTrailingFiller(text.at(end - 1)))
        --end;
    return end;
}

FieldReader::FieldReader(QString text, qsizetype position)
    : mText(std::move(text)), mPosition(std::clamp<qsizetype>(position, 0, mText.size())),
      // Found once, so the end test stays cheap however many empty lines there are.
      mContentEnd(endOfContent(mText)) {}

QStringView FieldReader::readFieldView() {
    if (atEnd())
        throw StepFailure(Failure::PastEndOfFile);

    const qsizetype size = mText.size();
    qsizetype pos = mPosition;
    while (pos < size && isBlank(mText.at(pos)))
        ++pos;

    QStringView field;
    if (pos < size && mText.at(pos) == QLatin1Char('"')) {
        // An unclosed quote ends with its line rather than swallowing the rest of the file.
        const qsizetype start = ++pos;
        while (pos < size && mText.at(pos) != QLatin1Char('"') && !isLineEnd(mText.at(pos)))
            ++pos;
        field = QStringView(mText).mid(start, pos - start);
        while (pos < size && !isDelimiter(mText.at(pos)))
            ++pos;
    } else {
        const qsizetype start = pos;
        while (pos < size && !isDelimiter(mText.at(pos)))
            ++pos;
        field = QStringView(mText).mid(start, pos - start);
    }

    if (pos < size) {
        const QChar delimiter = mText.at(pos++);
        if (delimiter == QLatin1Char('\r') && pos < size && mText.at(pos) == QLatin1Char('\n'))
            ++pos;
    }
    mPosition = pos;
    return field;
}

} // namespace Orlenda
