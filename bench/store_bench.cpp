// Store benchmarks: adding a task, filtering the list and opening a large
// store, each beside a raw SQLite baseline measured in the same run. Prints
// its figures for scripts/bench.sh (see BenchReporter); progress goes to
// standard error.
#include "BenchReporter.h"
#include "BenchStores.h"
#include "ModelContainer.h"
#include "ModelContext.h"
#include "Preferences.h"
#include "SqliteConnection.h"
#include "SqliteTransaction.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

using namespace BenchStores;

// --- adding a task -------------------------------------------------------

void addTask(benchmark::State &state)
{
    const int size = int(state.range(0));
    const QString path = populatedStore("add_ours_" + std::to_string(size), size, 0);
    auto container = ModelContainer::open(ModelConfiguration::onDisk(path));
    Preferences preferences(workDir().filePath(QStringLiteral("bench.conf")));
    TaskStore store(container->mainContext(), &preferences);
    for (auto _ : state) {
        TaskItem *task = store.addTask(QStringLiteral("Buy oat milk"));
        if (!task) {
            state.SkipWithError("addTask saved nothing");
            break;
        }
        benchmark::DoNotOptimize(task);
    }
}

void rawInsertCommit(benchmark::State &state)
{
    const int size = int(state.range(0));
    RawStore raw(populatedStore("add_raw_" + std::to_string(size), size, 0), RawStore::Sync::Full);
    qint64 position = size;
    for (auto _ : state) {
        if (!raw.insertTask(position++)) {
            state.SkipWithError(raw.error());
            break;
        }
    }
}

// --- filtering -----------------------------------------------------------

struct FilterFixture
{
    FilterFixture() : preferences(workDir().filePath(QStringLiteral("filter.conf")))
    {
        container = ModelContainer::open(ModelConfiguration::inMemory());
        ModelContext *context = container->mainContext();
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int i = 0; i < 10000; ++i) {
            auto *task =
                new TaskItem(QUuid::createUuid(), QStringLiteral("Task %1: tidy the garden shed").arg(i),
                             i % 3 == 0, now, QString(), i, QStringLiteral("Personal"));
            for (int s = 0; s < 3; ++s)
                task->appendSubtask(new SubTaskItem(
                    QUuid::createUuid(), QStringLiteral("Step %1 of task %2").arg(s).arg(i), false, now, s));
            context->insert(task);
        }
        context->save();
        store = std::make_unique<TaskStore>(context, &preferences);
        tasks = context->fetchTasks({TaskFetchDescriptor::Sort::SortOrderAscending, {}});
        store->setActiveFilter(TaskFilter::All);
    }

    Preferences preferences;
    std::unique_ptr<ModelContainer> container;
    std::unique_ptr<TaskStore> store;
    QList<TaskItem *> tasks;
};

FilterFixture &filterFixture()
{
    static FilterFixture fixture;
    return fixture;
}

void filteredWithoutQuery(benchmark::State &state)
{
    FilterFixture &fixture = filterFixture();
    fixture.store->setSearchText(QString());
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.store->filtered(fixture.tasks));
}

void filteredWithQuery(benchmark::State &state)
{
    FilterFixture &fixture = filterFixture();
    fixture.store->setSearchText(QStringLiteral("  STEP 2 of TASK 99 "));
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.store->filtered(fixture.tasks));
    state.counters["matches"] = double(fixture.store->filtered(fixture.tasks).size());
}

// --- opening a large store -------------------------------------------------

constexpr int largeTasks = 100000;
constexpr int largeSubtasksPerTask = 3;

QString largeStore(int tasks)
{
    return populatedStore("large_" + std::to_string(tasks), tasks, largeSubtasksPerTask);
}

void openContainer(benchmark::State &state)
{
    const QString path = largeStore(int(state.range(0)));
    for (auto _ : state) {
        auto container = ModelContainer::open(ModelConfiguration::onDisk(path));
        const QList<TaskItem *> tasks = container->mainContext()->fetchTasks();
        if (tasks.isEmpty()) {
            state.SkipWithError("the container loaded no tasks");
            break;
        }
        benchmark::DoNotOptimize(tasks.size());
    }
}

struct RawSubtask
{
    qint64 row;
    std::string id;
    std::string title;
    bool isCompleted;
    qint64 createdAt;
    qint64 sortOrder;
};

struct RawTask
{
    qint64 row;
    std::string id;
    std::string title;
    bool isCompleted;
    qint64 createdAt;
    std::string notes;
    qint64 sortOrder;
    std::string workspace;
    std::vector<RawSubtask> subtasks;
};

std::string textAt(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return std::string(text ? text : "", size_t(sqlite3_column_bytes(statement, column)));
}

std::string blobAt(sqlite3_stmt *statement, int column)
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(statement, column));
    return std::string(data ? data : "", size_t(sqlite3_column_bytes(statement, column)));
}

std::vector<RawTask> rawLoad(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::vector<RawTask> tasks;
    std::unordered_map<qint64, size_t> byRow;
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(
        db,
        "SELECT pk, id, title, isCompleted, createdAt, notes, sortOrder, workspace FROM TaskItem "
        "ORDER BY sortOrder",
        -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        byRow.emplace(sqlite3_column_int64(statement, 0), tasks.size());
        tasks.push_back({sqlite3_column_int64(statement, 0),
                         blobAt(statement, 1),
                         textAt(statement, 2),
                         sqlite3_column_int(statement, 3) != 0,
                         sqlite3_column_int64(statement, 4),
                         textAt(statement, 5),
                         sqlite3_column_int64(statement, 6),
                         textAt(statement, 7),
                         {}});
    }
    sqlite3_finalize(statement);
    sqlite3_prepare_v2(db,
                       "SELECT pk, id, title, isCompleted, createdAt, sortOrder, task FROM SubTaskItem "
                       "ORDER BY task, listIndex",
                       -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const auto owner = byRow.find(sqlite3_column_int64(statement, 6));
        if (owner == byRow.end())
            continue;
        tasks[owner->second].subtasks.push_back({sqlite3_column_int64(statement, 0), blobAt(statement, 1),
                                                 textAt(statement, 2), sqlite3_column_int(statement, 3) != 0,
                                                 sqlite3_column_int64(statement, 4),
                                                 sqlite3_column_int64(statement, 5)});
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return tasks;
}

void rawLoadBaseline(benchmark::State &state)
{
    const QString path = largeStore(int(state.range(0)));
    for (auto _ : state) {
        std::vector<RawTask> tasks = rawLoad(path);
        if (tasks.empty()) {
            state.SkipWithError("the raw load read no tasks");
            break;
        }
        benchmark::DoNotOptimize(tasks.size());
    }
}

// Resident memory a load adds, measured in a fresh process of this program
// (a forked copy would reuse memory the parent already freed). NaN when the
// child failed.
double loadMegabytes(const char *which, const QString &path)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory-of"), QString::fromLatin1(which), path});
    bool parsed = false;
    const double megabytes = child.waitForFinished(120000) && child.exitCode() == 0
                                 ? child.readAllStandardOutput().trimmed().toDouble(&parsed)
                                 : NAN;
    return parsed ? megabytes : NAN;
}

int measureMemory(const QString &which, const QString &path)
{
    const double before = residentMegabytes();
    std::size_t count = 0;
    std::vector<RawTask> raw;
    std::unique_ptr<ModelContainer> container;
    if (which == QLatin1String("raw")) {
        raw = rawLoad(path);
        count = raw.size();
    } else {
        container = ModelContainer::open(ModelConfiguration::onDisk(path));
        count = std::size_t(container->mainContext()->fetchTasks().size());
    }
    std::printf("%.1f\n", residentMegabytes() - before);
    return count == 0 ? 1 : 0;
}

// Store sizes in the figures' names: 10, 10k, 100k.
std::string sizeLabel(int tasks)
{
    return tasks % 1000 == 0 ? std::to_string(tasks / 1000) + "k" : std::to_string(tasks);
}

// Store sizes each figure is measured at; a size added here adds its rows.
constexpr int addSizes[] = {10, 10000, 100000};
constexpr int openSizes[] = {1000, 10000, largeTasks}; // growth should be linear

void registerBenchmarks()
{
    // Each commit waits for the disk: a tenth of a second per repetition
    // is dozens of commits, and keeps the whole run short.
    for (const int size : addSizes) {
        benchmark::RegisterBenchmark("addTask", addTask)
            ->Arg(size)
            ->MinTime(0.1)
            ->Repetitions(3)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("rawInsertCommit", rawInsertCommit)
            ->Arg(size)
            ->MinTime(0.1)
            ->Repetitions(3)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("filtered/noQuery", filteredWithoutQuery)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("filtered/query", filteredWithQuery)->Unit(benchmark::kMicrosecond);
    for (const int size : openSizes) {
        // The median of single loads: one slow load (another process
        // wanting the disk or a core) does not move it.
        benchmark::RegisterBenchmark("openContainer", openContainer)
            ->Arg(size)
            ->Iterations(1)
            ->Repetitions(7)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("rawLoad", rawLoadBaseline)
            ->Arg(size)
            ->Iterations(1)
            ->Repetitions(7)
            ->Unit(benchmark::kMillisecond);
    }
}

// Each figure beside its raw SQLite baseline, where it has one. False when
// one is missing.
bool printFigures(const BenchReporter &reporter)
{
    bool complete = true;
    auto timed = [&](const std::string &name, const std::string &ours, const std::string &baseline,
                     double divisor, const char *unit) {
        const double floor = baseline.empty() ? NAN : reporter.microseconds(baseline) / divisor;
        complete =
            BenchReporter::printFigure(name, reporter.microseconds(ours) / divisor, unit, floor) && complete;
    };
    // Targets: adding within 1.3 x a raw INSERT + COMMIT; filtering with a
    // query under 5 ms; opening 100k tasks under 1 s and within 1.5 x a raw
    // load, holding at most 1.3 x the memory of the raw rows.
    for (const int size : addSizes) {
        const std::string arg = "/" + std::to_string(size);
        timed("store.add_task." + sizeLabel(size), "addTask" + arg, "rawInsertCommit" + arg, 1, "us");
    }
    // 10,000 tasks with 3 subtasks each.
    timed("store.filter_query.10k", "filtered/query", {}, 1, "us");
    timed("store.filter_all.10k", "filtered/noQuery", {}, 1, "us");
    // Tasks with 3 subtasks each; memory is what loading every record adds.
    for (const int size : openSizes) {
        const std::string arg = "/" + std::to_string(size);
        timed("store.open." + sizeLabel(size), "openContainer" + arg, "rawLoad" + arg, 1000, "ms");
        const QString path = largeStore(size);
        complete =
            BenchReporter::printFigure("store.open_memory." + sizeLabel(size), loadMegabytes("ours", path),
                                       "MB", loadMegabytes("raw", path)) &&
            complete;
    }
    return complete;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--memory-of") == 0)
        return measureMemory(QString::fromLatin1(argv[2]), QString::fromLocal8Bit(argv[3]));
    // For profilers: open one given store file once and stop.
    if (const QString file = qEnvironmentVariable("ORDLEN_BENCH_OPEN_ONCE"); !file.isEmpty()) {
        auto container = ModelContainer::open(ModelConfiguration::onDisk(file));
        return int(container->mainContext()->fetchTasks().size() < 0);
    }
    benchmark::Initialize(&argc, argv);
    registerBenchmarks();
    std::fprintf(stderr, "Preparing store files in %s ...\n", qPrintable(workDir().path()));
    for (const int size : openSizes)
        largeStore(size);

    BenchReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool complete = printFigures(reporter);
    benchmark::Shutdown();
    return reporter.failed() || !complete ? 1 : 0;
}
