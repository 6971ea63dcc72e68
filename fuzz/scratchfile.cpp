#include "scratchfile.h"

#include "document/openfile.h"
#include "fuzzcheck.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace Orlenda {

ScratchFile::ScratchFile() {
    // Memory-backed where there is one: the file is rewritten thousands of times a second.
    const QString dir =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    mPath = QStringLiteral("%1/orlenda-fuzz-%2.dat").arg(dir).arg(::getpid());
}

ScratchFile::~ScratchFile() {
    QFile::remove(mPath);
}

void ScratchFile::write(const QByteArray& bytes) {
    QFile file(mPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fuzzFailure(QStringLiteral("cannot write the scratch file %1").arg(mPath));
}

void ScratchFile::open(TrainData& data, const QByteArray& bytes, Prompter& prompter) {
    write(bytes);
    openFile(data, mPath, prompter);
}

} // namespace Orlenda
