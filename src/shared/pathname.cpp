#include "shared/pathname.h"

#include <QDir>
#include <QStringDecoder>

namespace Orlenda {

QString absolutePath(const QString& path) {
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    QString folder = QDir::currentPath();
    // A working folder that has been removed has no name: joining nothing
    // would name a file in the root folder.
    if (folder.isEmpty())
        return path;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + path;
}

std::optional<QString> nameFromBytes(const QByteArray& bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString name = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return name;
}

QString shownName(const QByteArray& bytes) {
    QString shown;
    qsizetype i = 0;
    while (i < bytes.size()) {
        // The longest valid prefix is taken in one piece; a sequence cut
        // short or an invalid byte is shown as its code.
        qsizetype end = i;
        while (end < bytes.size() && static_cast<unsigned char>(bytes.at(end)) < 0x80)
            ++end;
        if (end > i) {
            shown += QString::fromLatin1(bytes.mid(i, end - i));
            i = end;
            continue;
        }
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::optional<QString> one = length > 1 && i + length <= bytes.size()
                                               ? nameFromBytes(bytes.mid(i, length))
                                               : std::nullopt;
        if (one) {
            shown += *one;
            i += length;
        } else {
            shown += QStringLiteral("\\x") + QString::number(lead, 16).toUpper();
            ++i;
        }
    }
    return shown;
}

bool holdsUnreadableBytes(const QString& name) {
    return name.contains(QChar::ReplacementCharacter);
}

QString unreadableNameDescription() {
    return QStringLiteral("ファイル名を UTF-8 として読み取れません。");
}

QString unreadableNameText(const QString& shown) {
    return shown + QLatin1Char('\n') + unreadableNameDescription();
}

} // namespace Orlenda
