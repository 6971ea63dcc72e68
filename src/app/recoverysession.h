#pragma once

#include "document/recoverykeeper.h"
#include "shared/platform.h"

#include <QObject>

namespace Orlenda {

class MainWindow;
class Prompter;
class TrainData;

// The editor's side of recovery: keeps the copy of the window's document,
// writes it before the program ends without the user's choice (SIGTERM,
// SIGINT, SIGHUP, a declined failure question), and offers the copies that
// earlier runs left.
class RecoverySession : public QObject {
    Q_OBJECT

public:
    RecoverySession(MainWindow& window, TrainData& data, Prompter& prompter);

    // Before a FILE argument is opened: true when it must not be, because a
    // copy became the document or the program is ending.
    bool offerCopies();

    RecoveryKeeper& keeper() { return mKeeper; }

private:
    void endBySignal(int signalNumber);

    MainWindow& mWindow;
    Prompter& mPrompter;
    RecoveryKeeper mKeeper;
    TerminationSignals mSignals;
};

} // namespace Orlenda
