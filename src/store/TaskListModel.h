#pragma once

#include "RecordObserver.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QUuid>
#include <QtQmlIntegration/qqmlintegration.h>

class ModelContext;
class TaskItem;
class TaskQuery;
class TaskStore;
Q_MOC_INCLUDE("TaskItem.h")

// The panel's list: the tasks the store's filter, workspace and search let
// through, grouped by workspace name (ascending, plain comparison) and by
// list position within a group. It follows the records change by change, so
// a view keeps its rows, editors and scroll position; only a new filter,
// workspace or search rebuilds it.
//
// A task ticked off under the Pending filter is held back for a moment: if
// it comes back into the list meanwhile (another filter, unticked again) its
// row says isHeldBack and the view leaves it out until the moment is over.
class TaskListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The app creates the list for its store")

    Q_PROPERTY(int pendingCount READ pendingCount NOTIFY countsChanged)
    Q_PROPERTY(int doneCount READ doneCount NOTIFY countsChanged)
    // Nothing passes the filter; held-back tasks count as passing.
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY isEmptyChanged)
    // All workspaces are shown: rows come in sections by their workspace.
    Q_PROPERTY(bool isGrouped READ isGrouped NOTIFY isGroupedChanged)
    // Every workspace name some task has, ascending.
    Q_PROPERTY(QStringList workspacesInUse READ workspacesInUse NOTIFY workspacesInUseChanged)
    // The workspaces the menu offers: the saved ones, those in use and the
    // selected one, in menu order.
    Q_PROPERTY(QStringList availableWorkspaces READ availableWorkspaces NOTIFY availableWorkspacesChanged)

public:
    enum Role
    {
        TaskRole = Qt::UserRole + 1,
        TitleRole,
        IsCompletedRole,
        WorkspaceRole,
        IsHeldBackRole,
    };
    Q_ENUM(Role)

    // How long a task ticked off under the Pending filter stays out.
    static constexpr int defaultHoldBackMs = 800;

    explicit TaskListModel(TaskStore *store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Null outside the rows.
    Q_INVOKABLE TaskItem *taskAt(int row) const { return m_rows.value(row); }
    int pendingCount() const { return m_pendingCount; }
    int doneCount() const { return int(m_taskCount) - m_pendingCount; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool isGrouped() const { return m_isGrouped; }
    QStringList workspacesInUse() const;
    bool isHeldBack(const TaskItem *task) const;

    void setHoldBackInterval(int milliseconds) { m_holdBackMs = milliseconds; }
    QStringList availableWorkspaces() const;
    // How many tasks, of every status, belong to the workspace.
    Q_INVOKABLE int taskCountIn(const QString &workspace) const { return m_workspaceUse.value(workspace); }
    // A section's heading: the workspace name in upper case.
    Q_INVOKABLE static QString sectionTitle(const QString &workspace);

signals:
    void countsChanged();
    void isEmptyChanged();
    void isGroupedChanged();
    void workspacesInUseChanged();
    void availableWorkspacesChanged();

private:
    void rebuild();
    void onTaskInserted(TaskItem *task);
    void onTaskAboutToBeRemoved(TaskItem *task);
    void onFieldAboutToChange(QObject *record, RecordField field);
    void onFieldChanged(QObject *record, RecordField field);
    // Brings the task's row in line with the filter: inserts, removes or
    // moves it, or tells its changed roles.
    void place(TaskItem *task, int oldRow, const QList<int> &roles);
    void holdBack(TaskItem *task);
    void release(const QUuid &id);

    // The row of a listed task, found by where its workspace and position
    // put it; -1 when it isn't listed.
    int rowOf(const TaskItem *task) const;
    // Where the task goes among the rows.
    int insertionRow(const TaskItem *task) const;
    bool comesBefore(const TaskItem *a, const TaskItem *b) const;
    bool staysBetweenNeighbours(int row) const;

    void countIn(const TaskItem *task, int sign);
    void useWorkspace(const QString &name, int sign);
    void updateIsEmpty(bool wasEmpty);

    TaskStore *m_store;
    ModelContext *m_context;
    QList<TaskItem *> m_rows;
    bool m_isGrouped = true;

    qsizetype m_taskCount = 0;
    int m_pendingCount = 0;
    // How many tasks each workspace name has.
    QHash<QString, int> m_workspaceUse;

    // The row a task had before the field change under way.
    int m_rowBeforeChange = -1;

    // Ids held back; each tick schedules a release, and the first one due
    // lets the id back in.
    QSet<QUuid> m_heldBack;
    int m_holdBackMs = defaultHoldBackMs;
};
