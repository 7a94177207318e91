#include "StoreFileGuard.h"

#include "StoreLogging.h"

#include <QFile>
#include <QFileInfo>

namespace {

// An -shm index is 32 KiB per few thousand pages; a -wal larger than this is
// never rewritten by a reader, so its bytes need not be kept.
constexpr qint64 keptBytesLimit = 8 * 1024 * 1024;

} // namespace

StoreFileGuard::StoreFileGuard(const QString &storePath)
{
    const QString suffixes[] = {QStringLiteral("-wal"), QStringLiteral("-shm")};
    for (std::size_t i = 0; i < m_companions.size(); ++i) {
        Companion &companion = m_companions[i];
        companion.path = storePath + suffixes[i];
        const QFileInfo info(companion.path);
        companion.existed = info.exists();
        if (!companion.existed || info.size() > keptBytesLimit)
            continue;
        QFile file(companion.path);
        if (file.open(QIODevice::ReadOnly))
            companion.contents = file.readAll();
    }
}

void StoreFileGuard::restore() const
{
    for (const Companion &companion : m_companions) {
        if (!companion.existed) {
            if (QFileInfo::exists(companion.path) && !QFile::remove(companion.path))
                qCWarning(lcStore) << "could not remove" << companion.path << "created while reading it";
            continue;
        }
        if (!companion.contents)
            continue;
        QFile file(companion.path);
        if (!file.open(QIODevice::ReadOnly) || file.readAll() == *companion.contents)
            continue;
        file.close();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(*companion.contents) != companion.contents->size() || !file.flush())
            qCWarning(lcStore) << "could not restore" << companion.path << file.errorString();
    }
}
