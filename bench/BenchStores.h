#pragma once

#include <QString>
#include <sqlite3.h>
#include <string>

class QTemporaryDir;

// Store files and raw SQLite baselines shared by the benchmark programs.
namespace BenchStores {

// The folder every store file of this run goes to (removed at exit unless
// ORDLEN_BENCH_KEEP=1).
QTemporaryDir &workDir();

// A store file of the given name with tasks (and subtasks each), written in
// one transaction the first time it is asked for.
QString populatedStore(const std::string &name, int tasks, int subtasksPerTask);

double residentMegabytes();

// The same store file opened with SQLite alone, for the baseline of a
// single change committed with the app's durability (or none).
class RawStore
{
public:
    enum class Sync
    {
        Full,
        Off
    };
    RawStore(const QString &path, Sync sync);
    ~RawStore();
    RawStore(const RawStore &) = delete;
    RawStore &operator=(const RawStore &) = delete;

    // One new task in its own transaction; false with error() set on failure.
    bool insertTask(qint64 position);
    // Flips one task's isCompleted in its own transaction.
    bool toggleTask(qint64 row);
    const char *error() const { return sqlite3_errmsg(m_db); }

private:
    bool commitStep(sqlite3_stmt *statement);

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_insert = nullptr;
    sqlite3_stmt *m_toggle = nullptr;
};

} // namespace BenchStores
