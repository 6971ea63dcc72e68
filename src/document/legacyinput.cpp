#include "document/legacyinput.h"

#include "document/fieldreader.h"

#include <algorithm>

namespace Orlenda {

namespace {
constexpr char16_t Cr = u'\r';
constexpr char16_t Lf = u'\n';
constexpr char16_t Comma = u',';
constexpr char16_t Quote = u'"';
} // namespace

LegacyInput::LegacyInput(const QString& text, qsizetype position)
    // The file ends with its last real character, so a section cut short
    // there is noticed rather than filled from padding.
    : mText(text), mEnd(endOfContent(mText)), mPos(std::clamp<qsizetype>(position, 0, mEnd)) {}

bool LegacyInput::isLineEnd(qsizetype at) const {
    return at < mEnd && (mText.at(at) == Cr || mText.at(at) == Lf);
}

bool LegacyInput::isBlank(qsizetype at) const {
    return at < mEnd && (mText.at(at) == u' ' || mText.at(at) == u'\t');
}

void LegacyInput::skipBlanks() {
    while (isBlank(mPos))
        ++mPos;
}

void LegacyInput::consumeLineEnd() {
    if (atEnd())
        return;
    if (mText.at(mPos) == Cr) {
        ++mPos;
        if (!atEnd() && mText.at(mPos) == Lf)
            ++mPos;
    } else if (mText.at(mPos) == Lf) {
        ++mPos;
    }
}

void LegacyInput::skipPastDelimiter() {
    while (!atEnd() && !isLineEnd(mPos) && mText.at(mPos) != Comma)
        ++mPos;
    if (!atEnd() && mText.at(mPos) == Comma)
        ++mPos;
    else
        consumeLineEnd();
}

QString LegacyInput::readLine() {
    const qsizetype start = mPos;
    while (!atEnd() && !isLineEnd(mPos))
        ++mPos;
    const QString line = mText.mid(start, mPos - start);
    consumeLineEnd();
    return line;
}

std::optional<QString> LegacyInput::readField(FieldKind kind) {
    skipBlanks();
    if (atEnd())
        return std::nullopt;

    if (mText.at(mPos) == Quote) {
        const qsizetype start = ++mPos;
        while (!atEnd() && !isLineEnd(mPos) && mText.at(mPos) != Quote)
            ++mPos;
        const QString field = mText.mid(start, mPos - start);
        if (!atEnd() && mText.at(mPos) == Quote)
            ++mPos;
        skipPastDelimiter();
        return field;
    }

    const qsizetype start = mPos;
    while (!atEnd() && !isLineEnd(mPos) && mText.at(mPos) != Comma
           && !(kind == FieldKind::Number && isBlank(mPos)))
        ++mPos;
    QString field = mText.mid(start, mPos - start);
    // A number that ended at a blank still owns the comma or line end after it,
    // so "1 , 2" holds two values, not three.
    skipBlanks();
    if (!atEnd() && mText.at(mPos) == Comma)
        ++mPos;
    else
        consumeLineEnd();
    if (kind == FieldKind::Text) {
        while (!field.isEmpty() && (field.back() == u' ' || field.back() == u'\t'))
            field.chop(1);
    }
    return field;
}

} // namespace Orlenda
