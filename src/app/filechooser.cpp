#include "app/filechooser.h"

namespace Orlenda {

std::unique_ptr<QFileDialog> DialogFileChooser::makeDialog(QWidget* parent,
                                                           QFileDialog::AcceptMode mode) {
    const bool open = mode == QFileDialog::AcceptOpen;
    auto dialog = std::make_unique<QFileDialog>(
        parent, open ? QStringLiteral("開く") : QStringLiteral("名前を付けて保存"), QString(),
        open ? QStringLiteral("DAT ファイル (*.dat);;TRN ファイル (*.trn);;すべてのファイル (*.*)")
             : QStringLiteral("DAT ファイル (*.dat);;すべてのファイル (*.*)"));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // A name typed without an extension (no "." in its last part) gets ".dat"
    // whatever the filter, so that the next Save writes directly; replacing an
    // existing file, under the full name, is confirmed.
    if (!open)
        dialog->setDefaultSuffix(QStringLiteral("dat"));
    dialog->setIconProvider(&mIcons);
    return dialog;
}

QString DialogFileChooser::run(QWidget* parent, QFileDialog::AcceptMode mode,
                               const QString& title) {
    const std::unique_ptr<QFileDialog> dialog = makeDialog(parent, mode);
    if (!title.isEmpty())
        dialog->setWindowTitle(title);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

QString DialogFileChooser::openFileName(QWidget* parent) {
    return run(parent, QFileDialog::AcceptOpen);
}

QString DialogFileChooser::saveFileName(QWidget* parent) {
    return run(parent, QFileDialog::AcceptSave);
}

QString DialogFileChooser::openReferenceName(QWidget* parent) {
    return run(parent, QFileDialog::AcceptOpen, QStringLiteral("比較ファイルを開く"));
}

} // namespace Orlenda
