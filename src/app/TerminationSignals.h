#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// Turns the session's request to end the app (SIGTERM at logout, SIGINT,
// SIGHUP) into an ordinary quit through the event loop, so the store is
// closed and checkpointed as after "Quit Ordlen". A signal handler may do
// next to nothing safely: it writes a byte to a socket that the event loop
// watches.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // False when the socket or a handler could not be set up; the default
    // handling (the process ends at once) then stays in place.
    bool isInstalled() const { return m_notifier != nullptr; }

signals:
    void terminationRequested();

private:
    static void handle(int signal);
    void readSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
};
