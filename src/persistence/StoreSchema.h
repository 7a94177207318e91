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
        Created,
        Existing
    };

    // Creates the tables in an empty database, or checks that an existing one
    // is a store of this version with the expected layout. Throws StoreError;
    // a file that fails a check is left exactly as it was. The connection
    // stays read-only until allowWrites().
    static State prepare(SqliteConnection &connection);

    // Reads every page of the file; throws StoreError if one is damaged.
    static void checkIntegrity(SqliteConnection &connection);

    // Journal, durability and integrity settings; the first writes allowed.
    static void allowWrites(SqliteConnection &connection, bool inMemory);

private:
    static void create(SqliteConnection &connection);
    static void validate(SqliteConnection &connection, qint64 appId, qint64 version);
    static void requireWritable(SqliteConnection &connection);
};
