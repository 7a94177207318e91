#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <unistd.h>

namespace {

const QByteArray showRequest = "show\n";

// sockaddr_un holds 108 bytes; leave room for the file name.
constexpr qsizetype longestSocketDirectory = 80;

} // namespace

SingleInstance::SingleInstance(const QString &directory, const QString &key, QObject *parent)
    : QObject(parent), m_directory(directory), m_key(key)
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance()
{
    m_server.close();
}

QString SingleInstance::defaultDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo info(runtime);
    if (!runtime.isEmpty() && info.isDir() && info.isWritable() && runtime.size() <= longestSocketDirectory)
        return runtime;
    return QDir::tempPath();
}

QString SingleInstance::keyFor(const QString &dataDirectory)
{
    const QByteArray digest =
        QCryptographicHash::hash(QDir::cleanPath(dataDirectory).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("ordlen-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest.toHex().left(16)));
}

QString SingleInstance::socketPath() const
{
    return QDir(m_directory).filePath(m_key + QStringLiteral(".socket"));
}

QString SingleInstance::lockPath() const
{
    return QDir(m_directory).filePath(m_key + QStringLiteral(".lock"));
}

bool SingleInstance::claim()
{
    m_lock = std::make_unique<QLockFile>(lockPath());
    // Held for as long as the app runs: never stale by age, only when the
    // process that wrote it is gone.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0))
        return m_lock->error() != QLockFile::LockFailedError;

    // A socket file left by a killed instance would block listening.
    QLocalServer::removeServer(socketPath());
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(socketPath());
    return true;
}

bool SingleInstance::notifyRunningInstance(int timeoutMs, QString &errorText)
{
    const QDeadlineTimer deadline(timeoutMs);
    // The running instance may hold the lock but not listen yet: retry.
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            socket.write(showRequest);
            if (socket.waitForBytesWritten(int(deadline.remainingTime()))) {
                socket.disconnectFromServer();
                return true;
            }
        }
        errorText = socket.errorString();
        if (deadline.hasExpired())
            return false;
        QThread::msleep(std::min<qint64>(50, deadline.remainingTime()));
    }
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == showRequest)
                    emit activationRequested();
            }
        });
    }
}
