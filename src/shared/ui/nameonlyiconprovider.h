#pragma once

#include <QFileIconProvider>

namespace Orlenda {

// Icons and type names for the file dialogs, from the file's name and kind
// alone. Qt's own provider reads a file's first bytes to guess its type, on
// the GUI thread; a file such as /proc/kmsg never ends that read, and the
// editor froze as soon as the dialog listed it.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

} // namespace Orlenda
