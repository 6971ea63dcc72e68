#include "app/filechooser.h"

#include <QFileDialog>

namespace Orlenda {

QString DialogFileChooser::openFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("開く"), QString(),
        QStringLiteral("DAT ファイル (*.dat);;TRN ファイル (*.trn);;すべてのファイル (*.*)"));
}

QString DialogFileChooser::saveFileName(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("名前を付けて保存"), QString(),
                       QStringLiteral("DAT ファイル (*.dat);;すべてのファイル (*.*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Replacing an existing file is not questioned.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace Orlenda
