#pragma once

#include "app/filechooser.h"

namespace Orlenda {

// A file chooser whose user always cancels.
class NoChooser : public FileChooser {
public:
    QString openFileName(QWidget*) override { return {}; }
    QString saveFileName(QWidget*) override { return {}; }
};

} // namespace Orlenda
