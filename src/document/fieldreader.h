#pragma once

#include <QString>
#include <QStringView>

namespace Orlenda {

// Reads a decoded train file field by field. A field ends at a comma or a line
// end (CR LF, LF or CR), whichever comes first, so "a,b" on one line reads the
// same as "a" and "b" on two. Blanks in front of a field are skipped; trailing
// blanks of an unquoted field are kept because a text field may hold them.
// Where a text's content ends: blanks, line ends and a Ctrl-Z filler that old
// editors leave at the end of a file carry nothing, so a file reads the same
// with or without them.
qsizetype endOfContent(const QString& text);

class FieldReader {
public:
    explicit FieldReader(QString text, qsizetype position = 0);

    // True when only blanks and line ends remain, so a file that ends with
    // extra empty lines reads like one that does not.
    bool atEnd() const { return mPosition >= mContentEnd; }

    // The next field; StepFailure(PastEndOfFile) when atEnd().
    QString readField() { return readFieldView().toString(); }
    // The same without a copy; valid while the reader lives.
    QStringView readFieldView();

    // The whole text and the position of the next field, for a reader that
    // takes over from here.
    const QString& text() const { return mText; }
    qsizetype position() const { return mPosition; }

private:
    QString mText;
    qsizetype mPosition = 0;
    qsizetype mContentEnd = 0; // just after the last character that is not a blank or line end
};

} // namespace Orlenda
