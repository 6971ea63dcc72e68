#pragma once

#include <QObject>

class QSocketNotifier;

namespace Orlenda {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in the
// terminal) into a Qt signal delivered by the event loop, so that the program
// can save what it must and end normally. The handler only writes one byte to
// a socket; everything else runs outside it. One instance at a time; where
// the system has no such signals it never fires.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    QSocketNotifier* mNotifier = nullptr;
};

} // namespace Orlenda
