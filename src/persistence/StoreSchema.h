#pragma once

#include <QString>

class SqliteConnection;

// The layout of the store file, its markers and the checks that run before
// anything is written to a file that already exists.
class StoreSchema
{
public:
    // "ORDL": marks the file as an Ordlen store.
    static constexpr qint32 applicationId = 0x4F52444C;
    // Version 1.0.0, written as major * 10000 + minor * 100 + patch.
    static constexpr qint32 userVersion = 10000;

    static QString versionText(qint64 userVersion);

    enum class State
    {
        Empty,
        Existing
    };

    // Tells an empty database from a store of this version with the
    // expected layout; throws StoreError for anything else. Only reads, so
    // it belongs on a read-only connection.
    static State inspect(SqliteConnection &connection);
    // Reads every page of the file; throws StoreError if one is damaged.
    static void checkIntegrity(SqliteConnection &connection);

    static void requireWritable(SqliteConnection &connection);
    // The tables and markers, in an empty database.
    static void create(SqliteConnection &connection, bool inMemory);
    // Journal, durability and integrity settings for a file that passed
    // every check.
    static void allowWrites(SqliteConnection &connection, bool inMemory);

    // Saves run on the GUI thread: another process's lock may hold one up for
    // a frame or two, then the save fails and is tried again later.
    static constexpr int saveBusyTimeoutMs = 30;

private:
    static void validate(SqliteConnection &connection, qint64 appId, qint64 version);
};
