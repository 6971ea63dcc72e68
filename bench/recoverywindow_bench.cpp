#include "app/recoverydialog.h"
#include "document/documenthistory.h"
#include "document/recoverycopy.h"
#include "document/recoverykeeper.h"
#include "document/recoveryoffer.h"
#include "document/traindata.h"
#include "shared/platform.h"
#include "shared/prompter.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Orlenda;

namespace {

class QuietPrompter : public Prompter {
public:
    bool ask(const QString&, const QString&, Icon) override { return true; }
};

// Start-up with 500 copies left (each of a full document, for a file that
// has been touched since): every header read, every file's state found, the window shown
// and painted once.
void BM_RecoveryWindowWith500Copies(benchmark::State& state) {
    QTemporaryDir dir;
    qputenv("XDG_STATE_HOME", dir.path().toUtf8());
    const QString folder = RecoveryKeeper::folder();
    PrivateFolder::secure(folder);
    TrainData source;
    const QString file = dir.filePath(QStringLiteral("train.dat"));
    QFile existing(file);
    existing.open(QIODevice::WriteOnly);
    existing.write(QByteArray(40000, 'x'));
    existing.close();
    source.setDocumentPath(file);
    // Same size, another time: the worst case, where each row hashes the file.
    DiskFingerprint print = fingerprintOfBytes(file, QByteArray(40000, 'x'));
    print.modifiedMs -= 1000;
    source.setDiskFingerprint(print);
    for (int i = 0; i < 500; ++i) {
        source.setText(txtPer(0), QString::number(i));
        QFile copy(QStringLiteral("%1/%2.recovery").arg(folder).arg(i));
        copy.open(QIODevice::WriteOnly);
        copy.write(recoveryCopyBytes(source, QDateTime::fromSecsSinceEpoch(1700000000 + i)));
    }
    for (auto _ : state) {
        TrainData data;
        data.keepHistory();
        QuietPrompter prompter;
        RecoveryOffer offer(data, prompter);
        offer.scan(folder);
        RecoveryDialog dialog(offer);
        dialog.show();
        dialog.repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(offer.count());
    }
}
BENCHMARK(BM_RecoveryWindowWith500Copies)->Unit(benchmark::kMillisecond);

} // namespace
