#include "document/recoverycopy.h"

#include "document/fieldreader.h"
#include "document/openfile.h"
#include "document/traindata.h"
#include "document/trainfilereader.h"
#include "document/trainfilewriter.h"
#include "shared/cappedprompter.h"

#include <QUrl>

namespace Orlenda {

namespace {

constexpr QByteArrayView Head = "Orlenda recovery copy 1\n";
constexpr QByteArrayView PathKey = "path: ";
constexpr QByteArrayView TimeKey = "time: ";

// The value of "key: value\n" at position, which moves past the line.
std::optional<QByteArray> headerValue(const QByteArray& bytes, qsizetype& position,
                                      QByteArrayView key) {
    const qsizetype end = bytes.indexOf('\n', position);
    if (end < 0 || !QByteArrayView(bytes).sliced(position).startsWith(key))
        return std::nullopt;
    const QByteArray value = bytes.mid(position + key.size(), end - position - key.size());
    position = end + 1;
    return value;
}

} // namespace

QByteArray recoveryCopyBytes(const TrainData& data, const QDateTime& time) {
    QByteArray bytes;
    bytes.reserve(64 * 1024);
    // A path may hold any character but NUL, line ends included.
    bytes.append(Head).append(PathKey).append(QUrl::toPercentEncoding(data.documentPath()));
    bytes.append('\n').append(TimeKey).append(time.toUTC().toString(Qt::ISODateWithMs).toLatin1());
    bytes.append("\n\n").append(trainFileText(data).toUtf8());
    return bytes;
}

std::optional<RecoveryCopy> parseRecoveryCopy(const QByteArray& bytes) {
    if (!bytes.startsWith(Head))
        return std::nullopt;
    qsizetype position = Head.size();
    const auto path = headerValue(bytes, position, PathKey);
    const auto time = path ? headerValue(bytes, position, TimeKey) : std::nullopt;
    if (!time || bytes.mid(position, 1) != "\n")
        return std::nullopt;
    RecoveryCopy copy{QUrl::fromPercentEncoding(*path),
                      QDateTime::fromString(QString::fromLatin1(*time), Qt::ISODateWithMs),
                      QString::fromUtf8(bytes.mid(position + 1))};
    if (!copy.time.isValid())
        return std::nullopt;
    return copy;
}

void restoreRecoveryCopy(TrainData& data, const RecoveryCopy& copy, Prompter& prompter) {
    CappedPrompter capped(prompter, MaxQuestionsPerOpen);
    data.newDocument();
    FieldReader reader(copy.text);
    if (!reader.atEnd())
        reader.readField(); // the format word: the copy is always in the current layout
    data.setFormatVersion(CurrentFormatVersion);
    openDat(data, reader, capped);
    data.setDocumentPath(copy.documentPath);
}

QString recoveryQuestionText(const RecoveryCopy& copy) {
    const QString name =
        copy.documentPath.isEmpty() ? QStringLiteral("新規ドキュメント") : copy.documentPath;
    return QStringLiteral(
               "保存されていない変更が残っています。復元しますか？\n\n%1\n%2 の時点の内容\n\n"
               "「いいえ」を選ぶと、この変更は削除されます。")
        .arg(name, copy.time.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
}

} // namespace Orlenda
