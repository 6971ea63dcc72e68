#include "shared/ui/imagesaving.h"

#include "shared/atomicfile.h"
#include "shared/failure.h"
#include "shared/prompter.h"
#include "shared/ui/nameonlyiconprovider.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>

namespace Orlenda {

std::unique_ptr<QFileDialog> pngSaveDialog(QWidget* parent, const QString& suggestedName) {
    static NameOnlyIconProvider icons;
    auto dialog = std::make_unique<QFileDialog>(parent, QStringLiteral("画像を保存"), suggestedName,
                                                QStringLiteral("PNG 画像 (*.png)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setIconProvider(&icons);
    return dialog;
}

ImagePathChooser pngPathDialog(const QString& suggestedName) {
    return [suggestedName](QWidget* parent) {
        const std::unique_ptr<QFileDialog> dialog = pngSaveDialog(parent, suggestedName);
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return QString();
        QString path = dialog->selectedFiles().constFirst();
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".png");
        return path;
    };
}

void saveImageAsPng(QWidget* window, Prompter& prompter, const QImage& image,
                    const ImagePathChooser& choosePath) {
    const QString path = choosePath(window);
    if (path.isEmpty())
        return;
    try {
        writePngFile(path, image);
    } catch (const StepFailure& failure) {
        prompter.tell(window->windowTitle(),
                      QStringLiteral("画像を保存できませんでした。\n") + failure.description());
    }
}

} // namespace Orlenda
