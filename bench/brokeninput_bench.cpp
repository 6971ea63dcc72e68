#include "document/openfile.h"
#include "document/textfile.h"
#include "document/traindata.h"
#include "shared/prompter.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>
#include <random>

using namespace Orlenda;

namespace {

constexpr qsizetype InputSize = 64 * 1024;

// Answers Yes to everything, as orlenda-cli does.
class YesPrompter : public Prompter {
public:
    bool ask(const QString&, const QString&, Icon) override { return true; }
};

// head, then body repeated until the input is 64 KB.
QByteArray repeated(const QByteArray& head, const QByteArray& body) {
    QByteArray bytes = head;
    while (bytes.size() < InputSize)
        bytes += body;
    bytes.truncate(InputSize);
    return bytes;
}

QByteArray shiftJis(const char* text) {
    return encodeShiftJis(QString::fromUtf8(text));
}

QByteArray badMotorValues() {
    QByteArray track = "#MOTOR_P1\r\n";
    for (int r = 0; r < 800; ++r)
        track += "x,99999,1.5\r\n";
    return repeated("QRL2000000\r\n", track);
}

QByteArray randomPrintable() {
    std::mt19937 random(7);
    QByteArray bytes = "QRL2000000\r\n";
    const char alphabet[] = "#,\"\r\n &H0123456789.eE-+abcMOTOR_ACELRPSUDVIK";
    while (bytes.size() < InputSize)
        bytes += alphabet[random() % (sizeof alphabet - 1)];
    return bytes;
}

const std::pair<const char*, std::function<QByteArray()>> Inputs[] = {
    {"current/bad motor values", badMotorValues},
    {"current/unrecognised fields", [] { return repeated("QRL2000000\r\n", "junk,"); }},
    {"current/empty fields", [] { return repeated("QRL2000000\r\n", ","); }},
    {"current/keywords only",
     [] { return repeated("QRL2000000\r\n", "#ACCELERATION\r\n#DEVICE\r\n"); }},
    {"current/huge hex numbers",
     [] { return repeated("QRL1200000\r\n#ACCELERATION\r\n", "&H" + QByteArray(200, 'F') + ","); }},
    {"current/random", randomPrintable},
    {"current/invalid bytes", [] { return repeated("QRL2000000\r\n", "\x81\x20\x85\x40,"); }},
    {"legacy/unknown heads", [] { return repeated("x\r\n", "[FOO]\r\n"); }},
    {"legacy/bad numbers",
     [] { return repeated("x\r\n", shiftJis("[加速力]\r\nx,x,x,x,x,x\r\n")); }},
    {"legacy/motor heads", [] { return repeated("x\r\n", shiftJis("[モータ音-B2]\r\n")); }},
    {"legacy/vvvf heads", [] { return repeated("x\r\n", "[VVVF]\r\n"); }},
    {"legacy/long point list",
     [] {
         return repeated(shiftJis("x\r\n[モータ音]\r\n0,1,0,0\r\n"),
                         "159.8,2,127,1\r\n0,1,0,0\r\n");
     }},
    {"legacy/huge hex numbers",
     [] { return repeated(shiftJis("x\r\n[編成]\r\n"), "&H" + QByteArray(200, 'F') + ","); }},
};

void BM_OpenBrokenInput(benchmark::State& state, const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.dat"));
    writeWholeFile(path, bytes);
    TrainData data;
    YesPrompter prompter;
    for (auto _ : state)
        openFile(data, path, prompter);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    for (const auto& [name, make] : Inputs)
        benchmark::RegisterBenchmark((std::string("BM_OpenBrokenInput/") + name).c_str(),
                                     BM_OpenBrokenInput, make())
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
