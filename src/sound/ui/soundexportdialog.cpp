#include "sound/ui/soundexportdialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QRadioButton>

namespace Orlenda {

std::optional<AuditionPanel::ExportChoice> askSoundExport(QWidget* parent) {
    QDialog dialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setObjectName(QStringLiteral("frmSoundExport"));
    dialog.setWindowTitle(QStringLiteral("音声ファイルに書き出す"));
    auto* held = new QRadioButton(QStringLiteral("現在の速度を保って"), &dialog);
    held->setObjectName(QStringLiteral("optExportHeld"));
    held->setChecked(true);
    auto* seconds = new QDoubleSpinBox(&dialog);
    seconds->setObjectName(QStringLiteral("txtExportSeconds"));
    seconds->setRange(0.1, 600);
    seconds->setDecimals(1);
    seconds->setValue(10);
    seconds->setSuffix(QStringLiteral(" 秒"));
    auto* run = new QRadioButton(QStringLiteral("走行 (走行を再生の設定で)"), &dialog);
    run->setObjectName(QStringLiteral("optExportRun"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(held, &QRadioButton::toggled, seconds, &QWidget::setEnabled);
    auto* grid = new QGridLayout(&dialog);
    grid->addWidget(held, 0, 0);
    grid->addWidget(seconds, 0, 1);
    grid->addWidget(run, 1, 0, 1, 2);
    grid->addWidget(buttons, 2, 0, 1, 2);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return AuditionPanel::ExportChoice{run->isChecked(), seconds->value()};
}

} // namespace Orlenda
