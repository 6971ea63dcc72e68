#pragma once

#include <QByteArray>
#include <QString>

namespace Orlenda {

class Prompter;
class TrainData;

// One file of this process, rewritten for every input, so that the open
// target goes through exactly the path the editor and orlenda-cli use.
class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const QString& path() const { return mPath; }
    void write(const QByteArray& bytes);

    // Writes bytes and opens the file into data as the editor does.
    void open(TrainData& data, const QByteArray& bytes, Prompter& prompter);

private:
    QString mPath;
};

} // namespace Orlenda
