#include "document/openfile.h"

#include "document/fieldreader.h"
#include "document/legacyreader.h"
#include "document/numbertext.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "document/trainfilereader.h"
#include "shared/apptitle.h"
#include "shared/guardedsteps.h"

namespace Orlenda {

QString unsupportedVersionQuestionText(const QString& path) {
    return path + QLatin1Char('\n') +
           QStringLiteral("この車両ファイルは現在サポートされていない形式です。続行しますか？");
}

namespace {

void readInto(TrainData& data, const QString& path, Prompter& prompter) {
    GuardedSteps guarded(QStringLiteral("OpenFile"), prompter);
    guarded([&] { data.newDocument(); });

    QString text;
    if (!guarded([&] { text = decodeTrainFileBytes(readWholeFile(path)); }))
        return;
    FieldReader reader(std::move(text));

    QString first;
    guarded([&] { first = reader.readField(); });

    if (first.left(3).toUpper() == QLatin1String("QRL")) {
        // A version that cannot be read must not keep the previous file's.
        data.setFormatVersion(0);
        guarded([&] { data.setFormatVersion(toInt32(leadingNumber(QStringView(first).mid(3)))); });
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

    data.setDocumentPath(path);
}

} // namespace

void openFile(TrainData& data, const QString& path, Prompter& prompter) {
    readInto(data, path, prompter);
    // Whatever could be read is now the document as the file holds it.
    data.setModified(false);
}

} // namespace Orlenda
