#pragma once

// Helpers shared by the command-line tests.

#include "cli/clicommands.h"
#include "support/clirun.h"
#include "support/documenttests.h"

#include <QImage>

namespace Orlenda {

// A temporary folder holding one command's input and picture.
class CliTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    QString in = path("in.dat");
    QString out = path("out.png");
};

// A written picture in the form the plots are drawn in, to compare pixels.
inline QImage pngImage(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

} // namespace Orlenda
