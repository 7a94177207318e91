#include "BenchStores.h"

#include "ModelContainer.h"
#include "SqliteConnection.h"
#include "SqliteTransaction.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>
#include <fstream>
#include <unistd.h>

namespace BenchStores {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("ORDLEN_BENCH_KEEP"));
    return dir;
}

QString populatedStore(const std::string &name, int tasks, int subtasksPerTask)
{
    const QString path = workDir().filePath(QString::fromStdString(name) + QStringLiteral(".sqlite"));
    if (QFile::exists(path))
        return path;
    auto container = ModelContainer::open(ModelConfiguration::onDisk(path));
    SqliteConnection &db = container->connection();
    SqliteTransaction transaction(db);
    SqliteStatement insertTask = db.prepare("INSERT INTO TaskItem (id, title, isCompleted, createdAt, notes, "
                                            "sortOrder, workspace) VALUES (?, ?, ?, ?, '', ?, ?)");
    SqliteStatement insertSubtask = db.prepare("INSERT INTO SubTaskItem (id, title, isCompleted, createdAt, "
                                               "sortOrder, task, listIndex) VALUES (?, ?, ?, ?, ?, ?, ?)");
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (int i = 0; i < tasks; ++i) {
        insertTask.bind(1, QUuid::createUuid().toRfc4122())
            .bind(2, QStringLiteral("Task %1: tidy the garden shed").arg(i))
            .bind(3, qint64(i % 3 == 0))
            .bind(4, now)
            .bind(5, qint64(i))
            .bind(6, i % 2 ? QStringLiteral("Personal") : QStringLiteral("Work"));
        insertTask.execute();
        const qint64 taskRow = db.lastInsertRowId();
        for (int s = 0; s < subtasksPerTask; ++s) {
            insertSubtask.bind(1, QUuid::createUuid().toRfc4122())
                .bind(2, QStringLiteral("Step %1 of task %2").arg(s).arg(i))
                .bind(3, qint64(s == 0))
                .bind(4, now)
                .bind(5, qint64(s))
                .bind(6, taskRow)
                .bind(7, qint64(s));
            insertSubtask.execute();
        }
    }
    transaction.commit();
    return path;
}

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

RawStore::RawStore(const QString &path, Sync sync)
{
    sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(m_db, "PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON", nullptr, nullptr, nullptr);
    sqlite3_exec(m_db, sync == Sync::Full ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=OFF", nullptr,
                 nullptr, nullptr);
    sqlite3_prepare_v2(
        m_db,
        "INSERT INTO TaskItem (id, title, isCompleted, createdAt, notes, sortOrder, workspace) "
        "VALUES (?, 'Buy oat milk', 0, ?, '', ?, 'Personal')",
        -1, &m_insert, nullptr);
    sqlite3_prepare_v2(m_db, "UPDATE TaskItem SET isCompleted = NOT isCompleted WHERE pk = ?", -1, &m_toggle,
                       nullptr);
}

RawStore::~RawStore()
{
    sqlite3_finalize(m_insert);
    sqlite3_finalize(m_toggle);
    sqlite3_close(m_db);
}

bool RawStore::commitStep(sqlite3_stmt *statement)
{
    // A baseline that fails silently would look fast.
    if (!statement || sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    const int stepped = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (stepped != SQLITE_DONE) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool RawStore::insertTask(qint64 position)
{
    const QByteArray id = QUuid::createUuid().toRfc4122();
    sqlite3_bind_blob(m_insert, 1, id.constData(), int(id.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(m_insert, 2, QDateTime::currentMSecsSinceEpoch());
    sqlite3_bind_int64(m_insert, 3, position);
    return commitStep(m_insert);
}

bool RawStore::toggleTask(qint64 row)
{
    sqlite3_bind_int64(m_toggle, 1, row);
    return commitStep(m_toggle);
}

} // namespace BenchStores
