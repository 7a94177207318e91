#pragma once

#include "CommandRequest.h"

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLocalSocket;

// Keeps one running Ordlen per data folder, so one process writes the store.
// The first process holds a lock on a file and listens on a local socket; a
// later one finds the lock taken and sends its request to the first (show
// the panel, add a task, …), waiting for the reply. The lock is the
// kernel's (flock): it goes with the process that held it, so a killed
// instance leaves nothing that blocks the next start, and taking it costs no
// disk flush.
//
// The socket is its owner's only (mode 0600, in $XDG_RUNTIME_DIR), and a
// connection from another user is dropped. Every message is untrusted: one
// that is malformed, too large, or not all sent within the message timeout
// is refused with a line in the log and reaches nothing.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<CommandReply(const CommandRequest &)>;

    static constexpr int defaultMessageTimeoutMs = 2000;

    // The lock and socket live in `directory` under names derived from `key`.
    SingleInstance(const QString &directory, const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR when usable, otherwise the temporary folder.
    static QString defaultDirectory();
    // One key per user and data folder.
    static QString keyFor(const QString &dataDirectory);

    // True when this process is now the one instance. Also true when no lock
    // can be made at all: then nothing can be enforced and the app still runs.
    bool claim();
    // Whether another process is the instance, without claiming anything.
    bool isClaimedElsewhere() const;
    // Sends the request to the running instance and waits for its reply.
    // Nothing, with the reason, when no reply came within the time.
    std::optional<CommandReply> send(const CommandRequest &request, int timeoutMs, QString &errorText);

    // What the instance does with a request from another launch.
    void setHandler(Handler handler) { m_handler = std::move(handler); }
    // How long a sender may take over its whole message.
    void setMessageTimeout(int milliseconds) { m_messageTimeoutMs = milliseconds; }

    QString socketPath() const;
    QString lockPath() const;

private:
    void acceptConnections();
    void serve(QLocalSocket *socket);
    void refuse(QLocalSocket *socket, const QString &reason);

    QString m_directory;
    QString m_key;
    int m_lockFd = -1;
    int m_messageTimeoutMs = defaultMessageTimeoutMs;
    Handler m_handler;
    QLocalServer m_server;
};
