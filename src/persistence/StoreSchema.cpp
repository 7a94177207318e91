#include "StoreSchema.h"

#include "SqliteConnection.h"
#include "SqliteTransaction.h"
#include "StoreError.h"

namespace {

const char *const createStatements = R"sql(
CREATE TABLE TaskItem (
    pk          INTEGER PRIMARY KEY,
    id          BLOB    NOT NULL,
    title       TEXT    NOT NULL,
    isCompleted INTEGER NOT NULL,
    createdAt   INTEGER NOT NULL,
    notes       TEXT    NOT NULL,
    sortOrder   INTEGER NOT NULL,
    workspace   TEXT    NOT NULL
);
CREATE INDEX TaskItem_sortOrder ON TaskItem (sortOrder);
CREATE TABLE SubTaskItem (
    pk          INTEGER PRIMARY KEY,
    id          BLOB    NOT NULL,
    title       TEXT    NOT NULL,
    isCompleted INTEGER NOT NULL,
    createdAt   INTEGER NOT NULL,
    sortOrder   INTEGER NOT NULL,
    task        INTEGER REFERENCES TaskItem (pk) ON DELETE CASCADE,
    listIndex   INTEGER NOT NULL
);
CREATE INDEX SubTaskItem_task ON SubTaskItem (task, listIndex);
PRAGMA application_id = 1330791500;
PRAGMA user_version = 10000;
)sql";

static_assert(StoreSchema::applicationId == 1330791500);
static_assert(StoreSchema::userVersion == 10000);

} // namespace

QString StoreSchema::versionText(qint64 version)
{
    return QStringLiteral("%1.%2.%3").arg(version / 10000).arg(version / 100 % 100).arg(version % 100);
}

StoreSchema::State StoreSchema::inspect(SqliteConnection &connection)
{
    const qint64 appId = connection.queryInt("PRAGMA application_id");
    const qint64 version = connection.queryInt("PRAGMA user_version");
    const qint64 objects = connection.queryInt("SELECT count(*) FROM sqlite_schema");
    if (appId == 0 && version == 0 && objects == 0)
        return State::Empty;
    validate(connection, appId, version);
    return State::Existing;
}

void StoreSchema::requireWritable(SqliteConnection &connection)
{
    if (connection.isReadOnly())
        throw StoreError(QStringLiteral("The store file is read-only."));
}

void StoreSchema::checkIntegrity(SqliteConnection &connection)
{
    const QString check = connection.queryText("PRAGMA quick_check(1)");
    if (check != QLatin1String("ok"))
        throw StoreError(QStringLiteral("The store file is damaged (%1).").arg(check));
}

void StoreSchema::create(SqliteConnection &connection, bool inMemory)
{
    // A new file starts in WAL mode, so creating it costs one commit.
    if (!inMemory)
        connection.execute("PRAGMA journal_mode = WAL");
    SqliteTransaction transaction(connection);
    connection.execute(createStatements);
    transaction.commit();
}

void StoreSchema::validate(SqliteConnection &connection, qint64 appId, qint64 version)
{
    if (appId != applicationId)
        throw StoreError(QStringLiteral("The file is not an Ordlen store."));
    if (version > userVersion)
        throw StoreError(QStringLiteral("The store was written by a newer version of Ordlen (schema %1; this "
                                        "version reads %2).")
                             .arg(versionText(version), versionText(userVersion)));
    if (version < userVersion)
        throw StoreError(
            QStringLiteral("The store has an unknown schema version %1.").arg(versionText(version)));

    // Preparing these fails with "no such table/column" if the layout is off.
    connection.prepare(
        "SELECT pk, id, title, isCompleted, createdAt, notes, sortOrder, workspace FROM TaskItem");
    connection.prepare(
        "SELECT pk, id, title, isCompleted, createdAt, sortOrder, task, listIndex FROM SubTaskItem");
}

void StoreSchema::allowWrites(SqliteConnection &connection, bool inMemory)
{
    connection.execute("PRAGMA query_only = 0");
    connection.setCheckpointOnClose(true);
    connection.setBusyTimeout(saveBusyTimeoutMs);
    if (!inMemory)
        connection.execute("PRAGMA journal_mode = WAL");
    // FULL: a save that reported success is on disk, even after a power cut.
    connection.execute("PRAGMA synchronous = FULL");
    connection.execute("PRAGMA foreign_keys = ON");
}
