#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

// Whole orlenda-cli processes refusing files that are not train files, and
// targets that are not regular files, timed from outside as a user would
// wait for them.

namespace {

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

QString writeFile(const char* name, const QByteArray& chunk, qint64 size) {
    const QString path = workDir().filePath(QLatin1String(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path;
    for (qint64 written = 0; written < size; written += chunk.size())
        file.write(chunk);
    return path;
}

// Runs orlenda-cli with its questions silenced: a refused binary file asks
// hundreds of them, which would bury the figures.
void refuse(benchmark::State& state, const QStringList& arguments) {
    for (auto _ : state) {
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.setStandardErrorFile(QProcess::nullDevice());
        cli.start(QStringLiteral(ORLENDA_CLI), arguments);
        if (!cli.waitForFinished(10000) || cli.exitCode() != 2)
            state.SkipWithError("orlenda-cli did not refuse the file");
    }
}

void check(benchmark::State& state, const QString& path) {
    refuse(state, {QStringLiteral("check"), path});
}

// A file of each kind that is not a regular file, made once.
QString special(const char* kind) {
    if (std::strcmp(kind, "null") == 0)
        return QStringLiteral("/dev/null");
    const QString path = workDir().filePath(QLatin1String(kind));
    if (QFileInfo::exists(path))
        return path;
    const QByteArray name = QFile::encodeName(path);
    if (std::strcmp(kind, "folder") == 0) {
        QDir().mkdir(path);
    } else if (std::strcmp(kind, "fifo") == 0) {
        ::mkfifo(name.constData(), 0644);
    } else {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        ::close(fd);
    }
    return path;
}

void BM_RefuseToOpen(benchmark::State& state, const char* kind) {
    check(state, special(kind));
}
BENCHMARK_CAPTURE(BM_RefuseToOpen, fifo, "fifo")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RefuseToOpen, socket, "socket")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RefuseToOpen, device, "null")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RefuseToOpen, folder, "folder")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefuseToSaveOver(benchmark::State& state, const char* kind) {
    refuse(state, {QStringLiteral("new"), special(kind)});
}
BENCHMARK_CAPTURE(BM_RefuseToSaveOver, fifo, "fifo")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RefuseToSaveOver, socket, "socket")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RefuseToSaveOver, device, "null")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RefuseToSaveOver, folder, "folder")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefuseHundredMegabytes(benchmark::State& state) {
    // Text with train data in it: only its size refuses it.
    static const QString path = writeFile("huge.dat", "[VVVF]\r\n0,1,0\r\n80,2,1\r\n", 100 << 20);
    check(state, path);
}
BENCHMARK(BM_RefuseHundredMegabytes)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefuseProgram(benchmark::State& state) {
    check(state, QStringLiteral(ORLENDA_CLI));
}
BENCHMARK(BM_RefuseProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefuseTextWithoutTrainData(benchmark::State& state) {
    // The largest text that is read at all, with no section head anywhere.
    static const QString path =
        writeFile("settings.ini", "[General]\r\nname=value, other value\r\n", (2 << 20) - 64);
    check(state, path);
}
BENCHMARK(BM_RefuseTextWithoutTrainData)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
