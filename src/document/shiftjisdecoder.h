#pragma once

#include <QByteArray>
#include <QString>

namespace Orlenda {

// Text decoded from a file, with the first place where bytes did not form a
// character.
struct DecodedText {
    QString text;
    // 1-based line of the first byte sequence that is not a character; 0 when none.
    int firstInvalidLine = 0;
};

// Decodes Shift-JIS (the Windows code page 932 repertoire). A byte sequence
// that is not a character becomes U+FFFD; control bytes and ASCII stay as
// they are.
DecodedText decodeShiftJis(const QByteArray& bytes);

// The 1-based line on which position lies; CR LF, LF and CR each end a line.
int lineAt(QStringView text, qsizetype position);

} // namespace Orlenda
