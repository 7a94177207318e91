#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

// Remembers a store file's -wal and -shm companions before the file is
// examined, so a file that is refused can be left exactly as it was found:
// companions that reading created are removed again, and ones that reading
// rewrote (SQLite rebuilds the -shm index) get their old bytes back.
class StoreFileGuard
{
public:
    explicit StoreFileGuard(const QString &storePath);

    void restore() const;

private:
    struct Companion
    {
        QString path;
        bool existed = false;
        std::optional<QByteArray> contents; // kept when small enough
    };
    std::array<Companion, 2> m_companions;
};
