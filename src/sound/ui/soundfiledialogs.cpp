#include "sound/ui/soundfiledialogs.h"

#include "shared/ui/nameonlyiconprovider.h"

#include <QFileDialog>
#include <QFileInfo>

namespace Orlenda {

FolderChooser soundFolderDialog() {
    return [](QWidget* parent, const QString& current) {
        static NameOnlyIconProvider icons;
        QFileDialog dialog(parent, QStringLiteral("音源フォルダ"), current);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        dialog.setIconProvider(&icons);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
}

WavPathChooser wavPathDialog(const QString& suggestedName) {
    return [suggestedName](QWidget* parent) {
        static NameOnlyIconProvider icons;
        QFileDialog dialog(parent, QStringLiteral("音声ファイルに書き出す"), suggestedName,
                           QStringLiteral("WAV ファイル (*.wav);;すべてのファイル (*)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setIconProvider(&icons);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        QString path = dialog.selectedFiles().constFirst();
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".wav");
        return path;
    };
}

} // namespace Orlenda
