#include "StoreLock.h"

#include "StoreError.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

StoreLock::StoreLock(const QString &storePath)
{
    const QString path = storePath + QStringLiteral(".lock");
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        throw StoreError(QStringLiteral("Could not open the lock file %1: %2")
                             .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return;
    const int error = errno;
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
