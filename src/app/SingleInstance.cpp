#include "SingleInstance.h"

#include "DiagnosticLog.h"
#include "InstanceMessage.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcInstance, "ordlen.instance")

// sockaddr_un holds 108 bytes; leave room for the file name.
constexpr qsizetype longestSocketDirectory = 80;
constexpr qsizetype largestFrame = InstanceMessage::headerSize + InstanceMessage::maxPayload;

bool fromThisUser(const QLocalSocket &socket)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == ::geteuid();
}

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
    // Without the socket a second launch can't reach this one; the app
    // still runs, and the lock still keeps it single.
    if (!m_server.listen(socketPath()))
        DiagnosticLog::write(QStringLiteral("Ordlen: Could not listen for other launches — ") +
                             m_server.errorString());
    // Qt leaves the socket 0700; reading and writing is all it takes.
    else if (!QFile::setPermissions(socketPath(), QFile::ReadOwner | QFile::WriteOwner))
        qCWarning(lcInstance) << "could not set the mode of" << socketPath();
    return true;
}

bool SingleInstance::isClaimedElsewhere() const
{
    // No lock file: no instance ever ran here.
    const int fd = ::open(QFile::encodeName(lockPath()).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

std::optional<CommandReply> SingleInstance::send(const CommandRequest &request, int timeoutMs,
                                                 QString &errorText)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running instance may hold the lock but not listen yet: retry.
    while (true) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        errorText = socket.errorString();
        if (deadline.hasExpired())
            return std::nullopt;
        QThread::msleep(std::min<qint64>(50, deadline.remainingTime()));
    }
    socket.write(InstanceMessage::encode(request));
    QByteArray buffer;
    while (true) {
        const InstanceMessage::DecodedReply decoded = InstanceMessage::decodeReply(buffer);
        if (const auto *reply = std::get_if<CommandReply>(&decoded))
            return *reply;
        if (const auto *refused = std::get_if<InstanceMessage::Refused>(&decoded)) {
            errorText = QStringLiteral("it answered with ") + refused->reason;
            return std::nullopt;
        }
        if (!socket.waitForReadyRead(int(deadline.remainingTime()))) {
            errorText = socket.errorString();
            return std::nullopt;
        }
        buffer += socket.read(largestFrame - buffer.size());
    }
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (fromThisUser(*socket)) {
            serve(socket);
            continue;
        }
        qCWarning(lcInstance) << "refused a connection from another user";
        socket->abort();
        socket->deleteLater();
    }
}

void SingleInstance::serve(QLocalSocket *socket)
{
    // Qt keeps no more than one message's worth: a sender of more waits.
    socket->setReadBufferSize(largestFrame);
    auto buffer = std::make_shared<QByteArray>();
    auto *deadline = new QTimer(socket);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, socket, [this, socket] {
        refuse(socket, QStringLiteral("a message not sent whole within %1 ms").arg(m_messageTimeoutMs));
    });
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket, deadline, buffer] {
        if (!deadline->isActive())
            return; // answered or refused already
        *buffer += socket->read(largestFrame - buffer->size());
        const InstanceMessage::Decoded decoded = InstanceMessage::decodeRequest(*buffer);
        if (std::holds_alternative<InstanceMessage::Incomplete>(decoded))
            return;
        deadline->stop();
        if (const auto *refused = std::get_if<InstanceMessage::Refused>(&decoded)) {
            refuse(socket, refused->reason);
            return;
        }
        const CommandReply reply = m_handler ? m_handler(std::get<CommandRequest>(decoded)) : CommandReply{};
        socket->write(InstanceMessage::encode(reply));
        socket->disconnectFromServer();
    });
    connect(socket, &QLocalSocket::disconnected, socket, [this, socket, deadline, buffer] {
        if (deadline->isActive() && !buffer->isEmpty())
            refuse(socket, QStringLiteral("a message cut short after %1 bytes").arg(buffer->size()));
        deadline->stop();
    });
    deadline->start(m_messageTimeoutMs);
}

void SingleInstance::refuse(QLocalSocket *socket, const QString &reason)
{
    qCWarning(lcInstance).noquote() << "refused" << reason;
    if (socket->state() != QLocalSocket::ConnectedState)
        return;
    socket->write(InstanceMessage::encode(
        CommandReply{1, QStringLiteral("Ordlen: The running Ordlen refused ") + reason + QLatin1Char('.')}));
    socket->disconnectFromServer();
}
