#pragma once

#include "document/recoverykeeper.h"
#include "shared/platform.h"

#include <QObject>
#include <memory>

namespace Orlenda {

class MainWindow;
class Prompter;
class RecoveryChooser;
class TrainData;

// The editor's side of recovery: keeps the copy of the window's document,
// writes it before the program ends without the user's choice (SIGTERM,
// SIGINT, SIGHUP, a declined failure question), offers the copies that
// earlier runs left, and tells the user when recovery is off.
class RecoverySession : public QObject {
    Q_OBJECT

public:
    // Without a chooser, the copies are offered in the recovery window.
    RecoverySession(MainWindow& window, TrainData& data, Prompter& prompter,
                    RecoveryChooser* chooser = nullptr);
    ~RecoverySession() override;

    // Before a FILE argument is opened: true when it must not be, because a
    // copy became the document or the program is ending.
    bool offerCopies();

    RecoveryKeeper& keeper() { return mKeeper; }

private:
    void endBySignal(int signalNumber);
    // Writes the copy for an end the user did not choose; says on standard
    // error when the edits are lost.
    void keepForEnd();

    MainWindow& mWindow;
    Prompter& mPrompter;
    std::unique_ptr<RecoveryChooser> mOwnChooser;
    RecoveryChooser& mChooser;
    RecoveryKeeper mKeeper;
    TerminationSignals mSignals;
    bool mEnding = false;
};

} // namespace Orlenda
