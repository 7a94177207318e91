#pragma once

#include "RecordObserver.h"
#include "TaskFetchDescriptor.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <memory>
#include <vector>

class RecordLoader;
class RecordWriter;
class SqliteConnection;
class SubTaskItem;
class TaskItem;

// The working set of records, all in memory once load() has run (the
// subtasks of a task as seeds until their objects are first needed). Changes stay
// pending until save() writes them in one transaction. A save that fails for
// a passing reason (a full disk, another process's lock) keeps them pending
// for the next save; a change the file refuses for good (its row is gone) is
// dropped, and its records are put back as the file has them.
class ModelContext : public QObject
{
    Q_OBJECT

public:
    explicit ModelContext(SqliteConnection &connection, QObject *parent = nullptr);
    ~ModelContext() override;

    // Reads every stored record. Throws StoreError.
    void load();

    // The context takes ownership. A subtask's task must be inserted too.
    void insert(TaskItem *task);
    void insert(SubTaskItem *subtask);
    // Removes the record (a task with its subtasks); the object is destroyed
    // once control returns to the event loop, so QML references read null.
    void deleteRecord(TaskItem *task);
    void deleteRecord(SubTaskItem *subtask);
    // Several tasks with one change announcement (a deleted workspace).
    void deleteRecords(const QList<TaskItem *> &tasks);

    bool contains(const TaskItem *task) const { return m_tasks.contains(const_cast<TaskItem *>(task)); }
    bool contains(const SubTaskItem *subtask) const
    {
        return m_subtasks.contains(const_cast<SubTaskItem *>(subtask));
    }
    bool hasChanges() const;

    // Throws StoreError: either the changes stay pending (a passing failure),
    // or the refused ones were dropped and the rest saved.
    void save();
    // The last save before the store closes; reports what it could not keep.
    void saveBeforeClosing();

    QList<TaskItem *> fetchTasks(const TaskFetchDescriptor &descriptor = {}) const;
    // Whether a comes before b in the ascending fetch: by sortOrder, equal
    // positions in the order they came in.
    bool isOrderedBefore(const TaskItem *a, const TaskItem *b) const;

signals:
    // After records were inserted, deleted or saved.
    void changed();
    // Finer news for lists that follow the records change by change.
    void taskInserted(TaskItem *task);
    // The task is still whole (subtasks included) while this is handled.
    void taskAboutToBeRemoved(TaskItem *task);
    // A subtask of the task came or went.
    void subtasksOfTaskChanged(TaskItem *task);
    void fieldAboutToChange(QObject *record, RecordField field);
    void fieldChanged(QObject *record, RecordField field);

private:
    void recordChanged(QObject *record, RecordField field);
    qint64 rowOf(const QObject *record) const { return m_rowIds.value(record); }

    enum class RowFate
    {
        Delete,
        Keep
    };
    void forget(TaskItem *task, RowFate fate);
    void forget(SubTaskItem *subtask, RowFate fate);
    // Drops what the context keeps of a subtask; answers its row, or 0 where
    // it has none that is saved.
    qint64 release(SubTaskItem *subtask);
    void adopt(TaskItem *task);
    void adoptMade(QObject *subtask, qint64 row);
    void clearPending();
    QList<QObject *> writePendingChanges();
    void forgetRowsOfFailedSave();
    void restoreFromFile(const QList<QObject *> &refused);
    bool rowExists(const char *table, qint64 rowId);

    SqliteConnection &m_connection;
    const RecordObserver m_recordObserver;
    std::unique_ptr<RecordWriter> m_writer;
    std::unique_ptr<RecordLoader> m_loader;

    QSet<TaskItem *> m_tasks;
    QSet<SubTaskItem *> m_subtasks;
    // Every task by ascending sortOrder.
    std::vector<TaskItem *> m_ordered;

    QList<TaskItem *> m_insertedTasks;
    QList<SubTaskItem *> m_insertedSubtasks;
    QList<qint64> m_deletedTaskRows;
    QList<qint64> m_deletedSubtaskRows;
    QSet<QObject *> m_dirty;
    // The row of every record that has one in the file.
    QHash<const QObject *, qint64> m_rowIds;
};
