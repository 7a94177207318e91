#include "SingleInstance.h"

#include "DiagnosticLog.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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
    if (m_lockFd >= 0)
        ::close(m_lockFd);
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
    if (m_lockFd < 0)
        m_lockFd = ::open(QFile::encodeName(lockPath()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file (an unwritable folder) nothing can be enforced.
    if (m_lockFd < 0)
        return true;
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;

    // A socket file left by a killed instance would block listening.
    QLocalServer::removeServer(socketPath());
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket a second launch can't ask this one to show itself;
    // the app still runs, and the lock still keeps it single.
    if (!m_server.listen(socketPath()))
        DiagnosticLog::write(QStringLiteral("Ordlen: Could not listen for other launches — ") +
                             m_server.errorString());
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
