#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// Keeps one running Ordlen per data folder, so one process writes the store.
// The first process holds a lock on a file and listens on a local socket; a
// later one finds the lock taken and asks the first to show its panel. The
// lock is the kernel's (flock): it goes with the process that held it, so a
// killed instance leaves nothing that blocks the next start, and taking it
// costs no disk flush.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
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
    // Asks the running instance to show its panel. False, with the reason,
    // when it did not take the request within the time.
    bool notifyRunningInstance(int timeoutMs, QString &errorText);

    QString socketPath() const;
    QString lockPath() const;

signals:
    void activationRequested();

private:
    void acceptConnections();

    QString m_directory;
    QString m_key;
    int m_lockFd = -1;
    QLocalServer m_server;
};
