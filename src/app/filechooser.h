#pragma once

#include "shared/ui/nameonlyiconprovider.h"

#include <QFileDialog>
#include <QString>
#include <memory>

class QWidget;

namespace Orlenda {

// The open and save dialogs; an empty name means the user cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString openFileName(QWidget* parent) = 0;
    virtual QString saveFileName(QWidget* parent) = 0;
    // A reference train to compare with: the open dialog under its own title.
    virtual QString openReferenceName(QWidget* parent) { return openFileName(parent); }
};

// The platform's dialogs with the editor's titles and filters. Saving adds
// ".dat" to a name typed without an extension and asks before replacing a file.
class DialogFileChooser : public FileChooser {
public:
    QString openFileName(QWidget* parent) override;
    QString saveFileName(QWidget* parent) override;
    QString openReferenceName(QWidget* parent) override;

    // The dialog that openFileName or saveFileName shows.
    std::unique_ptr<QFileDialog> makeDialog(QWidget* parent, QFileDialog::AcceptMode mode);

private:
    QString run(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title = {});

    NameOnlyIconProvider mIcons;
};

} // namespace Orlenda
