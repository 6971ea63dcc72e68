// The main of the benchmarks that need Qt's event loop objects: a
// QApplication (offscreen unless a platform is chosen) where the benchmark
// shows windows, else a QCoreApplication.
#include <benchmark/benchmark.h>

#ifdef ORLENDA_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QCoreApplication>
using BenchApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
#ifdef ORLENDA_BENCH_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    BenchApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
