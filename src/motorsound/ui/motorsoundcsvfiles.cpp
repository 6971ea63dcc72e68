#include "motorsound/ui/motorsoundcsvfiles.h"

#include "motorsound/motorsoundcsv.h"
#include "shared/failure.h"
#include "shared/prompter.h"
#include "shared/ui/nameonlyiconprovider.h"

#include <QFileDialog>
#include <QFileInfo>

namespace Orlenda {

CsvPathChooser csvPathDialog(const QString& suggestedName) {
    return [suggestedName](QWidget* parent, bool forSaving) {
        static NameOnlyIconProvider icons;
        QFileDialog dialog(parent,
                           forSaving ? QStringLiteral("CSV に書き出す")
                                     : QStringLiteral("CSV から読み込む"),
                           forSaving ? suggestedName : QString(),
                           QStringLiteral("CSV ファイル (*.csv);;すべてのファイル (*)"));
        dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setIconProvider(&icons);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        QString path = dialog.selectedFiles().constFirst();
        if (forSaving && QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".csv");
        return path;
    };
}

void exportTrackCsv(QWidget* window, const MotorSoundTrack& track, const CsvPathChooser& choose,
                    Prompter& prompter) {
    const QString path = choose(window, true);
    if (path.isEmpty())
        return;
    try {
        writeMotorSoundCsvFile(path, motorSoundCsv(track));
    } catch (const StepFailure& failure) {
        prompter.tell(window->windowTitle(), QStringLiteral("CSV に書き出せませんでした。\n%1\n%2")
                                                 .arg(path, failure.description()));
    }
}

std::optional<MotorSoundTrack> importTrackCsv(QWidget* window, const CsvPathChooser& choose,
                                              Prompter& prompter) {
    const QString path = choose(window, false);
    if (path.isEmpty())
        return std::nullopt;
    const MotorSoundCsvResult read = readMotorSoundCsvFile(path);
    if (!read.ok()) {
        prompter.tell(window->windowTitle(),
                      QStringLiteral("CSV を読み込めませんでした。トラックは変わりません。\n%1\n%2")
                          .arg(path, read.errorText()));
        return std::nullopt;
    }
    return read.track;
}

} // namespace Orlenda
