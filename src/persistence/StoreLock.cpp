#include "StoreLock.h"

#include "StoreError.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int lockRetryMs = 10;

} // namespace

StoreLock::StoreLock(const QString &storePath, int waitMs)
{
    const QString path = storePath + QStringLiteral(".lock");
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        throw StoreError(QStringLiteral("Could not open the lock file %1: %2")
                             .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    // A command line that reads or adds holds the store for a moment: wait
    // that out rather than take the store for one open elsewhere.
    const QDeadlineTimer deadline(waitMs);
    int error = 0;
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        if (error != EWOULDBLOCK || deadline.hasExpired())
            break;
        QThread::msleep(lockRetryMs);
        error = 0;
    }
    if (error == 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    if (error == EWOULDBLOCK)
        throw StoreError(QStringLiteral("The store is open in another Ordlen (another session or computer "
                                        "sharing this home folder)."));
    throw StoreError(
        QStringLiteral("Could not lock %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

StoreLock::~StoreLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
