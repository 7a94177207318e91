#include "TaskStore.h"

#include "DiagnosticLog.h"
#include "ModelContext.h"
#include "Positions.h"
#include "StoreError.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskQuery.h"
#include "TextRules.h"
#include "WorkspaceList.h"

#include <QDateTime>
#include <QTimer>
#include <QUuid>
#include <algorithm>

namespace {

// Long enough for another process's lock or a full disk to pass.
constexpr int saveRetryIntervalMs = 2000;
const QString &personalWorkspace = WorkspaceList::personal;

} // namespace

TaskStore::TaskStore(ModelContext *context, Preferences *preferences, QObject *parent)
    : QObject(parent), m_context(context), m_preferences(preferences), m_retry(new QTimer(this))
{
    m_retry->setSingleShot(true);
    m_retry->setInterval(saveRetryIntervalMs);
    connect(m_retry, &QTimer::timeout, this, [this] {
        if (m_context->hasChanges())
            save();
    });
}

void TaskStore::setSaveRetryInterval(int milliseconds)
{
    m_retry->setInterval(milliseconds);
}

void TaskStore::setActiveFilter(TaskFilter filter)
{
    if (m_activeFilter == filter)
        return;
    m_activeFilter = filter;
    emit activeFilterChanged();
}

void TaskStore::setSelectedWorkspace(const QString &workspace)
{
    if (m_selectedWorkspace == workspace)
        return;
    m_selectedWorkspace = workspace;
    emit selectedWorkspaceChanged();
}

void TaskStore::setSearchText(const QString &text)
{
    if (m_searchText == text)
        return;
    m_searchText = text;
    emit searchTextChanged();
}

bool TaskStore::holds(const TaskItem *task) const
{
    return task && m_context->contains(task);
}

bool TaskStore::holds(const SubTaskItem *subtask) const
{
    return subtask && m_context->contains(subtask);
}

void TaskStore::save()
{
    try {
        m_context->save();
        m_retry->stop();
    } catch (const StoreError &error) {
        DiagnosticLog::write(QStringLiteral("Ordlen: SwiftData save error — ") + error.description());
        if (m_context->hasChanges())
            m_retry->start();
    }
}

TaskItem *TaskStore::addTask(const QString &title)
{
    const QString trimmed = TextRules::trimmed(title);
    if (trimmed.isEmpty())
        return nullptr;

    const QList<TaskItem *> highest =
        m_context->fetchTasks({TaskFetchDescriptor::Sort::SortOrderDescending, 1});
    const qint64 position = highest.isEmpty() ? 0 : Positions::after(highest.constFirst()->sortOrder());

    const QString workspace = m_selectedWorkspace.isEmpty() ? personalWorkspace : m_selectedWorkspace;
    auto *task = new TaskItem(QUuid::createUuid(), trimmed, false, QDateTime::currentDateTimeUtc(), QString(),
                              position, workspace);
    m_context->insert(task);
    save();
    return task;
}

void TaskStore::toggleTask(TaskItem *task)
{
    if (!holds(task))
        return;
    task->setIsCompleted(!task->isCompleted());
    if (task->isCompleted()) {
        for (SubTaskItem *subtask : task->subtasks())
            subtask->setIsCompleted(true);
    }
    save();
}

void TaskStore::updateTask(TaskItem *task, const QString &title)
{
    const QString trimmed = TextRules::trimmed(title);
    if (!holds(task) || trimmed.isEmpty())
        return;
    task->setTitle(trimmed);
    save();
}

void TaskStore::deleteTask(TaskItem *task)
{
    if (!holds(task))
        return;
    m_context->deleteRecord(task);
    save();
}

QList<TaskItem *> TaskStore::filtered(const QList<TaskItem *> &tasks) const
{
    const TaskQuery query = currentQuery();
    QList<TaskItem *> result;
    std::copy_if(tasks.cbegin(), tasks.cend(), std::back_inserter(result),
                 [&](const TaskItem *task) { return query.matches(task); });
    return result;
}

TaskQuery TaskStore::currentQuery() const
{
    return TaskQuery(m_activeFilter, m_selectedWorkspace, m_searchText);
}

// Workspaces

QList<TaskItem *> TaskStore::fetchAllTasks() const
{
    return m_context->fetchTasks();
}

QStringList TaskStore::savedWorkspaces() const
{
    return WorkspaceList(m_preferences).saved();
}

bool TaskStore::writeSavedWorkspaces(const QStringList &names)
{
    // A failed write has printed its line; the menu keeps showing what the
    // file holds.
    if (!WorkspaceList(m_preferences).write(names))
        return false;
    emit workspacesChanged();
    return true;
}

void TaskStore::createWorkspace(const QString &name)
{
    const QString trimmed = TextRules::trimmed(name);
    if (trimmed.isEmpty())
        return;
    QStringList saved = savedWorkspaces();
    if (!saved.contains(trimmed) && trimmed != personalWorkspace) {
        saved.append(trimmed);
        writeSavedWorkspaces(saved);
    }
    setSelectedWorkspace(trimmed);
}

void TaskStore::renameWorkspace(const QString &from, const QString &to)
{
    const QString newName = TextRules::trimmed(to);
    if (newName.isEmpty() || from.isEmpty() || newName == from || from == personalWorkspace)
        return;

    for (TaskItem *task : fetchAllTasks()) {
        if (task->workspace() == from)
            task->setWorkspace(newName);
    }

    QStringList saved = savedWorkspaces();
    if (const qsizetype index = saved.indexOf(from); index >= 0)
        saved[index] = newName;
    else if (!saved.contains(newName))
        saved.append(newName);
    writeSavedWorkspaces(saved);

    if (m_selectedWorkspace == from)
        setSelectedWorkspace(newName);
    save();
}

void TaskStore::deleteWorkspace(const QString &name)
{
    if (name == personalWorkspace)
        return;

    QList<TaskItem *> doomed;
    for (TaskItem *task : fetchAllTasks()) {
        if (task->workspace() == name)
            doomed.append(task);
    }
    m_context->deleteRecords(doomed);

    QStringList saved = savedWorkspaces();
    saved.removeAll(name);
    writeSavedWorkspaces(saved);

    if (m_selectedWorkspace == name)
        setSelectedWorkspace(QString());
    save();
}

void TaskStore::moveWorkspace(const QString &name, int offset)
{
    if (name == personalWorkspace)
        return;
    QStringList saved = savedWorkspaces();
    const qsizetype index = saved.indexOf(name);
    const qsizetype target = index + offset;
    if (index < 0 || target < 0 || target >= saved.size())
        return;
    saved.swapItemsAt(index, target);
    writeSavedWorkspaces(saved);
}

void TaskStore::moveWorkspaceUp(const QString &name)
{
    moveWorkspace(name, -1);
}

void TaskStore::moveWorkspaceDown(const QString &name)
{
    moveWorkspace(name, +1);
}

QStringList TaskStore::getAvailableWorkspaces(const QList<TaskItem *> &tasks) const
{
    QStringList namesInUse;
    namesInUse.reserve(tasks.size());
    for (const TaskItem *task : tasks) {
        if (task)
            namesInUse.append(task->workspace());
    }
    return availableWorkspaces(namesInUse);
}

QStringList TaskStore::availableWorkspaces(const QStringList &namesInUse) const
{
    return WorkspaceList::available(savedWorkspaces(), namesInUse, m_selectedWorkspace);
}

QString TaskStore::cappedWorkspaceName(const QString &name)
{
    return TextRules::firstCharacters(name, WorkspaceList::nameCharacterLimit);
}

bool TaskStore::offersNewWorkspace(const QStringList &available)
{
    return available.size() <= WorkspaceList::namesOfferingNew;
}

// Subtasks

SubTaskItem *TaskStore::addSubtask(TaskItem *task, const QString &title)
{
    const QString trimmed = TextRules::trimmed(title);
    if (!holds(task) || trimmed.isEmpty())
        return nullptr;
    auto *subtask = new SubTaskItem(QUuid::createUuid(), trimmed, false, QDateTime::currentDateTimeUtc(),
                                    task->subtasks().size());
    task->appendSubtask(subtask);
    m_context->insert(subtask);
    save();
    return subtask;
}

void TaskStore::toggleSubtask(SubTaskItem *subtask)
{
    if (!holds(subtask))
        return;
    subtask->setIsCompleted(!subtask->isCompleted());
    save();
}

void TaskStore::updateSubtask(SubTaskItem *subtask, const QString &title)
{
    const QString trimmed = TextRules::trimmed(title);
    if (!holds(subtask) || trimmed.isEmpty())
        return;
    subtask->setTitle(trimmed);
    save();
}

void TaskStore::deleteSubtask(SubTaskItem *subtask, TaskItem *task)
{
    // A subtask handed in with a task it doesn't belong to is left alone:
    // deleting it would take it out of its real task behind the caller's back.
    if (!holds(subtask) || !holds(task) || subtask->task() != task)
        return;
    m_context->deleteRecord(subtask);
    save();
}
