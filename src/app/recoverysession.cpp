#include "app/recoverysession.h"

#include "app/mainwindow.h"
#include "app/recoverydialog.h"
#include "shared/apptitle.h"
#include "shared/prompter.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace Orlenda {

namespace {

RecoveryChooser* dialogChooser(MainWindow& window, std::unique_ptr<RecoveryChooser>& owned) {
    owned = std::make_unique<DialogRecoveryChooser>(&window);
    return owned.get();
}

} // namespace

RecoverySession::RecoverySession(MainWindow& window, TrainData& data, Prompter& prompter,
                                 RecoveryChooser* chooser)
    : mWindow(window), mPrompter(prompter),
      mChooser(chooser ? *chooser : *dialogChooser(window, mOwnChooser)), mKeeper(data) {
    window.setProgramEnder([this, end = window.programEnder()] {
        keepForEnd();
        end();
    });
    connect(&mSignals, &TerminationSignals::received, this, &RecoverySession::endBySignal);
    connect(&mKeeper, &RecoveryKeeper::recoveryOff, this, [this](const QString& text) {
        // While ending, standard error says it instead; no window may wait.
        if (!mEnding)
            mPrompter.tell(applicationTitle(), text);
    });
}

RecoverySession::~RecoverySession() = default;

bool RecoverySession::offerCopies() {
    return mKeeper.offerCopies(mPrompter, mChooser) || mKeeper.keepsCopy();
}

void RecoverySession::keepForEnd() {
    mEnding = true;
    if (!mKeeper.writeNow()) {
        std::fputs(
            "orlenda: 回復データを書き込めなかったため、保存していない変更は失われました。\n",
            stderr);
        std::fflush(stderr);
    }
    mKeeper.keepCopy();
}

void RecoverySession::endBySignal(int signalNumber) {
    keepForEnd();
    // Ends every event loop that runs, the modal ones included; the queued
    // call ends the main loop if it has not started yet.
    const int status = 128 + signalNumber;
    QCoreApplication::exit(status);
    QTimer::singleShot(0, qApp, [status] { QCoreApplication::exit(status); });
}

} // namespace Orlenda
