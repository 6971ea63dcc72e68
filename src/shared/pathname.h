#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Orlenda {

// Names of files as the user gave them: made absolute once, so that a later
// change of the working folder cannot turn them into another file, and
// refused when their bytes cannot be read as UTF-8, so that a mangled name is
// never opened or written.

// path joined to the working folder when it is relative; an absolute or empty
// path is returned as it is, and so is any path while the working folder has
// no name (it has been removed), which then names no file. Nothing else changes: links are not resolved and
// "." and ".." stay as typed, since "a/link/../b" can name another file than
// "a/b".
QString absolutePath(const QString& path);

// The name held by bytes given on the command line, or nothing when they are
// not valid UTF-8.
std::optional<QString> nameFromBytes(const QByteArray& bytes);

// bytes for a message: valid UTF-8 as it reads, any other byte as \xNN.
QString shownName(const QByteArray& bytes);

// Whether a name handed over by a dialog or a drop holds U+FFFD, which is
// what decoding left of bytes that are not UTF-8.
bool holdsUnreadableBytes(const QString& name);

// The reason for refusing such a name.
QString unreadableNameDescription();

// The notice of the editor refusing the name shown.
QString unreadableNameText(const QString& shown);

} // namespace Orlenda
