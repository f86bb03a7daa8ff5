#pragma once
// SIGTERM (a logout, systemctl --user stop, kill), SIGHUP and SIGINT turned
// into a Qt signal.  The handler only writes the signal's number to a pipe
// of this process (nothing else is safe in a signal handler); a socket
// notifier reads it on the thread that made this object.

#include <QObject>

class QSocketNotifier;

namespace petari {

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
