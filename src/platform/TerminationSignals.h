#pragma once
// SIGTERM (a logout, systemctl --user stop, kill), SIGHUP and SIGINT turned
// into a Qt signal.  The handler only writes the signal's number to a pipe
// of this process (nothing else is safe in a signal handler); a socket
// notifier reads it on the thread that made this object.
//
// That thread hears the notifier only once its work in hand is over, and
// reading a file of hundreds of megabytes takes seconds: such work asks
// terminationRequested() as it goes and stops.

#include <QObject>

class QSocketNotifier;

namespace petari {

// Whether one of the three signals has arrived in this process.
bool terminationRequested();
// As though one had arrived (or not): for tests.
void setTerminationRequested(bool requested);

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Handles the three signals from now on, but for one the program was
    // started ignoring; one object at a time.
    explicit TerminationSignals(QObject* parent = nullptr);
    // The default actions again.
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readPipe();
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace petari
