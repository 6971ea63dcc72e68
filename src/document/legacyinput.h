#pragma once

#include <QString>
#include <optional>

namespace Orlenda {

// Sequential reading of a decoded legacy train file: whole lines for section
// heads, value fields for what follows them. Lines end with CR LF, CR or LF;
// blanks, line ends and Ctrl-Z at the end of the text are padding.
// Every read that succeeds consumes at least one character, so a loop that
// stops at the end of the text always terminates.
class LegacyInput {
public:
    enum class FieldKind { Number, Text };

    LegacyInput(const QString& text, qsizetype position);

    bool atEnd() const { return mPos >= mEnd; }

    // The rest of the current line without its line end; empty at the end.
    QString readLine();

    // One value field: leading blanks skipped; it ends at a comma or the line
    // end, a number also at a blank; a double-quoted field loses its quotes.
    // The delimiter is consumed. None when the text has ended.
    std::optional<QString> readField(FieldKind kind);

private:
    bool isLineEnd(qsizetype at) const;
    bool isBlank(qsizetype at) const;
    void skipBlanks();
    void consumeLineEnd();
    // Drops everything up to and including the next comma or line end.
    void skipPastDelimiter();

    QString mText;
    qsizetype mEnd = 0; // after the last character that is not padding
    qsizetype mPos = 0;
};

} // namespace Orlenda
