#pragma once

#include "TaskFetchDescriptor.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <memory>
#include <vector>

class PersistentRecord;
class RecordLoader;
class RecordWriter;
class SqliteConnection;
class SubTaskItem;
class TaskItem;

// The working set of records. Changes stay pending in memory until save()
// writes all of them in one transaction; a failed save keeps them pending so
// the next save writes them. There is one object per stored record.
class ModelContext : public QObject
{
    Q_OBJECT

public:
    explicit ModelContext(SqliteConnection &connection, QObject *parent = nullptr);
    ~ModelContext() override;

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

    // Throws StoreError; the changes then stay pending.
    void save();
    // Loads every stored record now rather than at the first fetch.
    void preload() { ensureFullyLoaded(); }

    // Throws StoreError. Unsaved inserts and deletes are taken into account.
    QList<TaskItem *> fetchTasks(const TaskFetchDescriptor &descriptor = {});

signals:
    // After records were inserted, deleted or saved.
    void changed();

private:
    friend class PersistentRecord;
    void markDirty(PersistentRecord *record);

    void forget(TaskItem *task);
    void ensureFullyLoaded();
    void adopt(TaskItem *task);
    // Registers freshly read tasks, leaving out rows deleted but not saved.
    QList<TaskItem *> adoptLoaded(const QList<TaskItem *> &loaded);
    QList<TaskItem *> highestTasks(int count);
    void writePendingChanges();
    void forgetRowsOfFailedSave();

    SqliteConnection &m_connection;
    std::unique_ptr<RecordWriter> m_writer;
    std::unique_ptr<RecordLoader> m_loader;

    QSet<TaskItem *> m_tasks;
    QSet<SubTaskItem *> m_subtasks;
    QHash<qint64, TaskItem *> m_tasksByRow;
    // Every task by ascending sortOrder, valid once everything is loaded.
    std::vector<TaskItem *> m_ordered;
    bool m_fullyLoaded = false;

    QList<TaskItem *> m_insertedTasks;
    QList<SubTaskItem *> m_insertedSubtasks;
    QList<qint64> m_deletedTaskRows;
    QList<qint64> m_deletedSubtaskRows;
    QSet<PersistentRecord *> m_dirty;
};
