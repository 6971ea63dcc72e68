#include "document/openfile.h"

#include "document/diskfingerprint.h"
#include "document/fieldreader.h"
#include "document/legacyreader.h"
#include "document/numbertext.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfileformat.h"
#include "document/trainfilereader.h"
#include "shared/apptitle.h"
#include "shared/cappedprompter.h"
#include "shared/guardedsteps.h"
#include "shared/pathname.h"
#include "shared/textutil.h"

namespace Orlenda {

QString unsupportedVersionQuestionText(const QString& path) {
    return path + QLatin1Char('\n') +
           QStringLiteral("この車両ファイルは現在サポートされていない形式です。続行しますか？");
}

QString invalidBytesDescription(int line) {
    return failureDescription(Failure::InvalidBytes) + QStringLiteral(" (%1 行目)").arg(line);
}

namespace {

void readInto(TrainData& data, const QString& path, Prompter& outer) {
    CappedPrompter prompter(outer, MaxQuestionsPerOpen);
    GuardedSteps guarded(QStringLiteral("OpenFile"), prompter);
    guarded([&] { data.newDocument(); });

    DecodedText file;
    QByteArray bytes;
    qint64 modifiedMs = 0;
    if (!guarded([&] {
            // The time before the read: see fingerprintOfBytes.
            modifiedMs = modifiedMsOf(path);
            bytes = readTrainFileBytes(path);
            file = decodeTrainFile(bytes);
        }))
        return;
    FieldReader reader(std::move(file.text));

    QString first;
    if (!reader.atEnd())
        guarded([&] { first = reader.readField(); });
    const bool currentFormat =
        equalsLatinUpper(QStringView(first).left(ProductWord.size()), ProductWord);

    // A text without a single section head is some other file: adopting it
    // would let the next Save overwrite it.
    if (!currentFormat && !hasLegacySectionHead(reader.text())) {
        guarded.report(StepFailure(Failure::NotATrainFile, path).description());
        return;
    }
    if (file.firstInvalidLine > 0)
        guarded.report(invalidBytesDescription(file.firstInvalidLine));

    if (currentFormat) {
        // A version that cannot be read must not keep the previous file's.
        data.setFormatVersion(0);
        guarded([&] {
            data.setFormatVersion(
                toInt32(leadingNumber(QStringView(first).mid(ProductWord.size()))));
        });
        const std::int32_t version = data.formatVersion();
        if (version < OldestSupportedVersion || version > NewestSupportedVersion) {
            if (!prompter.ask(applicationTitle(), unsupportedVersionQuestionText(path),
                              Prompter::Icon::Warning))
                return;
        }
        openDat(data, reader, prompter);
    } else {
        openTrn(data, reader.text(), reader.position(), prompter);
    }

    // What a later save compares the disk with: the bytes as read, not as the
    // reader understood them.
    data.setDiskFingerprint(fingerprintOfBytes(bytes, modifiedMs));
    data.setDocumentPath(path);
}

} // namespace

void openFile(TrainData& data, const QString& path, Prompter& prompter) {
    // Absolute at once: the working folder may change before the next save.
    readInto(data, absolutePath(path), prompter);
    // Whatever could be read is now the document as the file holds it.
    data.markSaved();
}

} // namespace Orlenda
