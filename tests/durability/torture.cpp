// Crash torture: a child process changes the store and the preferences until
// it is killed at a random moment. Then the store must pass SQLite's
// integrity check and both files must hold every change the child
// acknowledged. Usage: torture [kills [seed]].

#include "DiagnosticLog.h"
#include "ModelContainer.h"
#include "ModelContext.h"
#include "Preferences.h"
#include "SqliteConnection.h"
#include "StoreError.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskStore.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/prctl.h>

namespace {

using Facts = QMap<QString, QString>;
const QString storeName = QStringLiteral("OrdlenStore.sqlite");
const QString preferencesName = QStringLiteral("Ordlen.conf");
const QString journalName = QStringLiteral("journal");
// Never a task title: the child names everything "r<round>.<n>".
const QString workspacesFact = QStringLiteral("workspaces");

// What a restart must find: each task's state and subtasks, by title, and the
// saved workspace names.
Facts factsOf(const QList<TaskItem *> &tasks, const std::optional<QStringList> &workspaces)
{
    Facts facts;
    for (const TaskItem *task : tasks) {
        QString fact = task->isCompleted() ? QStringLiteral("done") : QStringLiteral("open");
        for (const SubTaskItem *subtask : task->subtasks())
            fact += ' ' + subtask->title() + (subtask->isCompleted() ? '+' : '-');
        facts[task->title()] = facts.contains(task->title()) ? QStringLiteral("stored twice") : fact;
    }
    facts[workspacesFact] = workspaces ? '[' + workspaces->join(',') + ']' : QString();
    return facts;
}

// Makes random changes until it is killed. Before each change the journal
// gets "begin" and the facts it may change, with their new values where
// they are known ("?" where not); once it was saved, "ok" and their values.
constexpr qsizetype maxTasks = 40;

int runChild(const QDir &dir, quint32 seed, int round)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive the test
    // Unbuffered: once write() returns, a line is the kernel's and survives
    // this process being killed (a power cut is another matter, not tested here).
    QFile journal(dir.filePath(journalName));
    journal.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    QString failure;
    DiagnosticLog::setSink([&failure](const QString &line) { failure = line; });
    const auto container = ModelContainer::open(ModelConfiguration::onDisk(dir.filePath(storeName)));
    Preferences preferences(dir.filePath(preferencesName));
    TaskStore store(container->mainContext(), &preferences);
    QRandomGenerator random(seed);
    auto pick = [&random](const auto &list) { return list.at(random.bounded(int(list.size()))); };

    for (int n = 0;; ++n) {
        const QString fresh = QStringLiteral("r%1.%2").arg(round).arg(n);
        const QList<TaskItem *> tasks = container->mainContext()->fetchTasks();
        TaskItem *task = tasks.isEmpty() ? nullptr : pick(tasks);
        SubTaskItem *subtask = task && !task->subtasks().isEmpty() ? pick(task->subtasks()) : nullptr;
        // Two, one or no names: the INI file writes each differently.
        const QStringList names =
            QStringList{fresh, QStringLiteral("W%1").arg(random.bounded(3))}.mid(random.bounded(3));
        bool written = true;
        // The first two need no task, the last three need a subtask.
        const std::function<void()> changes[] = {
            [&] { written = preferences.setStringArray(WorkspaceList::savedKey, names); },
            [&] { store.addTask(fresh); },
            [&] { store.addSubtask(task, fresh); },
            [&] { store.toggleTask(task); },
            [&] { store.updateTask(task, fresh); },
            [&] { store.deleteTask(task); },
            [&] { store.toggleSubtask(subtask); },
            [&] { store.updateSubtask(subtask, fresh); },
            [&] { store.deleteSubtask(subtask, task); },
        };
        // A store held to a few dozen tasks: on a fast disk thousands of
        // saves come between two kills, and every check reads the whole store.
        const int kinds = !task ? 2 : !subtask ? 6 : 9;
        const int kind = tasks.size() > maxTasks && random.bounded(2) ? 5 : random.bounded(kinds);
        const QStringList facts = kind == 0   ? QStringList{workspacesFact}
                                  : kind == 1 ? QStringList{fresh}
                                              : QStringList{task->title(), fresh};
        auto note = [&](const QString &word, const Facts &values, const QString &otherwise) {
            QStringList fields{word};
            for (const QString &fact : facts)
                fields << fact << values.value(fact, otherwise);
            const QByteArray line = fields.join('\t').toUtf8() + '\n';
            if (journal.write(line) != line.size())
                std::_Exit(2); // a journal that can't be written can't vouch for anything
        };
        note("begin", factsOf({}, names), "?");
        changes[kind]();
        if (!written || !failure.isEmpty()) {
            journal.write("fail\t" + failure.toUtf8() + '\n');
            return 1;
        }
        note("ok", factsOf(container->mainContext()->fetchTasks(), names), {});
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == "--child")
        return runChild(QDir(args.value(2)), args.value(3).toUInt(), args.value(4).toInt());

    const int kills = args.value(1, QStringLiteral("20")).toInt();
    const quint32 seed = args.size() > 2 ? args[2].toUInt() : QRandomGenerator::system()->generate();
    QRandomGenerator random(seed);
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QString storePath = dir.filePath(storeName);
    Facts expected;
    int killed = 0, checked = 0;
    QStringList problems;
    for (int round = 0; round < kills && problems.isEmpty(); ++round) {
        // A child killed before it opened its journal must not leave the last one's.
        QFile::remove(dir.filePath(journalName));
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {QStringLiteral("--child"), dir.path(),
                                                QString::number(random.generate()), QString::number(round)});
        // The kill moment is this test's random input: from before the store is open to dozens of saves in.
        const bool running = child.waitForStarted() && !child.waitForFinished(random.bounded(1, 400));
        child.kill();
        child.waitForFinished();
        killed += running ? 1 : 0;

        Facts inFlight; // the change the child died in
        QString failure;
        QList<QByteArray> lines = contentsOf(dir.filePath(journalName)).split('\n');
        lines.removeLast(); // incomplete: cut off by the kill
        for (const QByteArray &line : std::as_const(lines)) {
            const QStringList fields = QString::fromUtf8(line).split('\t');
            Facts facts;
            for (qsizetype i = 1; i + 1 < fields.size(); i += 2)
                facts[fields[i]] = fields[i + 1];
            if (fields.first() == "begin") {
                inFlight = facts;
            } else if (fields.first() == "ok") {
                // Key by key: QMap::insert(QMap) rebuilds the whole map each time.
                for (auto fact = facts.cbegin(); fact != facts.cend(); ++fact)
                    expected.insert(fact.key(), fact.value());
                inFlight.clear();
                ++checked;
            } else {
                failure = fields.value(1);
            }
        }
        if (!running)
            problems << QStringLiteral("the child stopped by itself (%1 %2): %3")
                            .arg(child.exitStatus() == QProcess::CrashExit ? "crashed" : "exit code")
                            .arg(child.exitCode())
                            .arg(failure);

        // Checked read-only before the store opens the file ("ok" or the
        // first fault); none yet is no damage.
        QString damage = QStringLiteral("ok");
        Facts found;
        try {
            if (QFile::exists(storePath))
                damage = SqliteConnection(storePath, SqliteConnection::OpenMode::ReadOnly)
                             .queryText("PRAGMA integrity_check");
            if (damage == "ok")
                found = factsOf(
                    ModelContainer::open(ModelConfiguration::onDisk(storePath))->mainContext()->fetchTasks(),
                    Preferences(dir.filePath(preferencesName)).stringArray(WorkspaceList::savedKey));
        } catch (const StoreError &error) {
            damage = "unreadable or refused: " + error.description();
        }
        if (damage != "ok") {
            problems << "damaged store: " + damage;
            continue;
        }
        QStringList keys = expected.keys() + found.keys();
        keys.removeDuplicates();
        for (const QString &key : std::as_const(keys)) {
            const QString predicted = inFlight.value(key);
            if (inFlight.contains(key) && (predicted == "?" || predicted == found.value(key))) {
                expected[key] = found.value(key); // saved, but the child died before saying so
            } else if (expected.value(key) != found.value(key)) {
                problems << QStringLiteral("%1: acknowledged \"%2\", found \"%3\"")
                                .arg(key, expected.value(key), found.value(key));
            }
        }
    }

    std::printf("torture (seed %u): %d kills, %d acknowledged changes checked\n", seed, killed, checked);
    if (problems.isEmpty())
        return 0;
    std::printf("FAILED after kill %d:\n  %s\nrerun with: torture %d %u (the kill moments differ)\n", killed,
                qPrintable(problems.join("\n  ")), kills, seed);
    return 1;
}
