#include "app/recoverysession.h"

#include "app/mainwindow.h"
#include "shared/prompter.h"

#include <QCoreApplication>
#include <QTimer>

namespace Orlenda {

RecoverySession::RecoverySession(MainWindow& window, TrainData& data, Prompter& prompter)
    : mWindow(window), mPrompter(prompter), mKeeper(data) {
    window.setProgramEnder([this, end = window.programEnder()] {
        mKeeper.writeNow();
        mKeeper.keepCopy();
        end();
    });
    connect(&mSignals, &TerminationSignals::received, this, &RecoverySession::endBySignal);
}

bool RecoverySession::offerCopies() {
    try {
        return mKeeper.offerCopies(mWindow.history(), mPrompter) || mKeeper.keepsCopy();
    } catch (const ProgramEndRequested&) {
        mWindow.programEnder()();
        return true;
    }
}

void RecoverySession::endBySignal(int signalNumber) {
    mKeeper.writeNow();
    mKeeper.keepCopy();
    // Ends every event loop that runs, the modal ones included; the queued
    // call ends the main loop if it has not started yet.
    const int status = 128 + signalNumber;
    QCoreApplication::exit(status);
    QTimer::singleShot(0, qApp, [status] { QCoreApplication::exit(status); });
}

} // namespace Orlenda
