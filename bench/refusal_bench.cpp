#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// Whole orlenda-cli processes refusing files that are not train files, timed
// from outside as a user would wait for them.

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

void check(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        const int status =
            QProcess::execute(QStringLiteral(ORLENDA_CLI), {QStringLiteral("check"), path});
        if (status != 2)
            state.SkipWithError("orlenda-cli did not refuse the file");
    }
}

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
