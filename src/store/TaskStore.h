#pragma once

#include "TaskFilter.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QtQmlIntegration/qqmlintegration.h>
#include <functional>

class ModelContext;
class QTimer;
class QUndoStack;
struct StoreState;
struct SubtaskState;
class Preferences;
class SubTaskItem;
class TaskItem;
class TaskQuery;
Q_MOC_INCLUDE("TaskItem.h")
Q_MOC_INCLUDE("SubTaskItem.h")

// The one object through which tasks, subtasks and workspaces change. Every
// operation that changes records ends with one save. Operations handed a
// record that is no longer in the store do nothing.
class TaskStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The TaskStore is created for the app's model context")

    Q_PROPERTY(TaskFilters::TaskFilter activeFilter READ activeFilter WRITE setActiveFilter NOTIFY
                   activeFilterChanged)
    // Empty means all workspaces: workspace names are never empty.
    Q_PROPERTY(QString selectedWorkspace READ selectedWorkspace WRITE setSelectedWorkspace NOTIFY
                   selectedWorkspaceChanged)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY historyChanged)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY historyChanged)
    // What an undo or a redo would take back or do again ("Delete Task").
    Q_PROPERTY(QString undoText READ undoText NOTIFY historyChanged)
    Q_PROPERTY(QString redoText READ redoText NOTIFY historyChanged)

public:
    TaskStore(ModelContext *context, Preferences *preferences, QObject *parent = nullptr);
    ~TaskStore() override;

    TaskFilter activeFilter() const { return m_activeFilter; }
    void setActiveFilter(TaskFilter filter);
    QString selectedWorkspace() const { return m_selectedWorkspace; }
    void setSelectedWorkspace(const QString &workspace);
    QString searchText() const { return m_searchText; }
    void setSearchText(const QString &text);

    // How soon a save that failed for a passing reason is tried again.
    void setSaveRetryInterval(int milliseconds);

    // Tasks
    Q_INVOKABLE TaskItem *addTask(const QString &title);
    // The same, into the given workspace as if it were the one selected.
    TaskItem *addTask(const QString &title, const QString &workspace);
    Q_INVOKABLE void toggleTask(TaskItem *task);
    Q_INVOKABLE void updateTask(TaskItem *task, const QString &title);
    Q_INVOKABLE void deleteTask(TaskItem *task);
    Q_INVOKABLE QList<TaskItem *> filtered(const QList<TaskItem *> &tasks) const;
    // The filter, workspace and search text as the rule lists go by.
    TaskQuery currentQuery() const;
    ModelContext *context() const { return m_context; }

    // Workspaces
    Q_INVOKABLE void createWorkspace(const QString &name);
    Q_INVOKABLE void renameWorkspace(const QString &from, const QString &to);
    Q_INVOKABLE void deleteWorkspace(const QString &name);
    Q_INVOKABLE void moveWorkspaceUp(const QString &name);
    Q_INVOKABLE void moveWorkspaceDown(const QString &name);
    Q_INVOKABLE QStringList getAvailableWorkspaces(const QList<TaskItem *> &tasks) const;
    // The same, from the names the tasks use.
    QStringList availableWorkspaces(const QStringList &namesInUse) const;
    // A name as the naming field may hold it: its first characters.
    Q_INVOKABLE static QString cappedWorkspaceName(const QString &name);
    // Whether a new workspace may be offered beside these names.
    Q_INVOKABLE static bool offersNewWorkspace(const QStringList &available);

    // History: every change above (selecting, filtering and searching
    // aside) can be taken back and done again, each time saved like any
    // change. A change that could not be saved is not kept. Each answers
    // false, with a line, when it can't: nothing to take back, the tasks
    // changed since in a way the history does not know, or the save failed
    // (the store and the history are then as they were).
    bool canUndo() const;
    bool canRedo() const;
    QString undoText() const;
    QString redoText() const;
    Q_INVOKABLE bool undo();
    Q_INVOKABLE bool redo();

    // Subtasks
    Q_INVOKABLE SubTaskItem *addSubtask(TaskItem *task, const QString &title);
    Q_INVOKABLE void toggleSubtask(SubTaskItem *subtask);
    Q_INVOKABLE void updateSubtask(SubTaskItem *subtask, const QString &title);
    Q_INVOKABLE void deleteSubtask(SubTaskItem *subtask, TaskItem *task);

signals:
    void activeFilterChanged();
    void selectedWorkspaceChanged();
    void searchTextChanged();
    // After every write of the saved workspace list.
    void workspacesChanged();
    void historyChanged();
    // A deletion was made and can be taken back; what went, for a notice
    // ("Task deleted").
    void deletionRecorded(const QString &what);

private:
    class Recording;
    enum class Scope
    {
        Tasks,
        Workspaces
    };

    // Saves the pending changes; a passing failure is tried again shortly.
    void save();
    QHash<QUuid, TaskItem *> tasksById() const;
    // The state now of what `like` holds, its tasks found by `find` (null
    // for a task no longer in the store).
    using TaskFinder = std::function<const TaskItem *(const QUuid &)>;
    StoreState currentState(const StoreState &like, const TaskFinder &find) const;
    void restore(const StoreState &state);
    void restoreSubtasks(TaskItem *task, const QList<SubtaskState> &wanted);
    bool step(bool undoing);
    bool holds(const TaskItem *task) const;
    bool holds(const SubTaskItem *subtask) const;
    QList<TaskItem *> fetchAllTasks() const;

    QStringList savedWorkspaces() const;
    // Announces the list only once it is in the file.
    bool writeSavedWorkspaces(const QStringList &names);
    void moveWorkspace(const QString &name, int offset);

    TaskFilter m_activeFilter = TaskFilter::Pending;
    QString m_selectedWorkspace;
    QString m_searchText;
    ModelContext *m_context;
    Preferences *m_preferences;
    QTimer *m_retry;
    QUndoStack *m_history;
    // Set by a save or a preferences write that failed, for the history.
    bool m_saveFailed = false;
};
