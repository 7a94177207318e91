#include "TaskStore.h"

#include "ChangeRecorder.h"
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
#include <QUndoStack>
#include <QUuid>
#include <algorithm>

namespace {

// Long enough for another process's lock or a full disk to pass.
constexpr int saveRetryIntervalMs = 2000;
const QString &personalWorkspace = WorkspaceList::personal;

} // namespace

// One operation of a user, for the history: what it touched, as it was
// before and after. An operation that changed nothing, or whose change could
// not be saved, leaves no entry.
class TaskStore::Recording
{
public:
    Recording(TaskStore &store, const QString &text, const QList<const TaskItem *> &touched,
              Scope scope = Scope::Tasks)
        : m_store(store), m_text(text), m_recorder(*store.m_context, touched)
    {
        store.m_saveFailed = false;
        if (scope == Scope::Workspaces) {
            m_workspaces = store.savedWorkspaces();
            m_selected = store.m_selectedWorkspace;
        }
    }
    ~Recording()
    {
        StoreState before = m_recorder.finish();
        before.savedWorkspaces = m_workspaces;
        before.selectedWorkspace = m_selected;
        // Only the touched tasks are looked up: a change costs the same in
        // a large store as in a small one.
        StoreState after = m_store.currentState(before, [this](const QUuid &id) {
            const TaskItem *task = m_recorder.touched().value(id);
            return m_store.m_context->contains(task) ? task : nullptr;
        });
        if (after == before || m_store.m_saveFailed)
            return;
        TaskStore *store = &m_store;
        store->m_history->push(new StoreChange(m_text, std::move(before), std::move(after),
                                               [store](const StoreState &state) { store->restore(state); }));
        if (!m_deletion.isEmpty())
            emit store->deletionRecorded(m_deletion);
    }
    // Names what a deletion took, once it is in the history.
    void setDeletion(const QString &what) { m_deletion = what; }
    Recording(const Recording &) = delete;
    Recording &operator=(const Recording &) = delete;

private:
    TaskStore &m_store;
    QString m_text;
    ChangeRecorder m_recorder;
    std::optional<QStringList> m_workspaces;
    std::optional<QString> m_selected;
    QString m_deletion;
};

TaskStore::TaskStore(ModelContext *context, Preferences *preferences, QObject *parent)
    : QObject(parent), m_context(context), m_preferences(preferences), m_retry(new QTimer(this)),
      m_history(new QUndoStack(this))
{
    connect(m_history, &QUndoStack::indexChanged, this, &TaskStore::historyChanged);
    m_retry->setSingleShot(true);
    m_retry->setInterval(saveRetryIntervalMs);
    connect(m_retry, &QTimer::timeout, this, [this] {
        if (m_context->hasChanges())
            save();
    });
}

TaskStore::~TaskStore()
{
    // The history's commands hold no records, only their states; they go
    // before the context they would restore into.
    m_history->clear();
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
        m_saveFailed = true;
        DiagnosticLog::write(QStringLiteral("Ordlen: SwiftData save error — ") + error.description());
        if (m_context->hasChanges())
            m_retry->start();
    }
}

TaskItem *TaskStore::addTask(const QString &title)
{
    return addTask(title, m_selectedWorkspace);
}

TaskItem *TaskStore::addTask(const QString &title, const QString &selectedWorkspace)
{
    const QString trimmed = TextRules::trimmed(title);
    if (trimmed.isEmpty())
        return nullptr;

    const QList<TaskItem *> highest =
        m_context->fetchTasks({TaskFetchDescriptor::Sort::SortOrderDescending, 1});
    const qint64 position = highest.isEmpty() ? 0 : Positions::after(highest.constFirst()->sortOrder());

    const QString workspace = selectedWorkspace.isEmpty() ? personalWorkspace : selectedWorkspace;
    const Recording recording(*this, QStringLiteral("Add Task"), {});
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
    const Recording recording(*this, QStringLiteral("Tick Task"), {task});
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
    const Recording recording(*this, QStringLiteral("Rename Task"), {task});
    task->setTitle(trimmed);
    save();
}

void TaskStore::deleteTask(TaskItem *task)
{
    if (!holds(task))
        return;
    Recording recording(*this, QStringLiteral("Delete Task"), {task});
    recording.setDeletion(QStringLiteral("Task deleted"));
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
    if (!WorkspaceList(m_preferences).write(names)) {
        m_saveFailed = true;
        return false;
    }
    emit workspacesChanged();
    return true;
}

void TaskStore::createWorkspace(const QString &name)
{
    const QString trimmed = TextRules::trimmed(name);
    if (trimmed.isEmpty())
        return;
    const Recording recording(*this, QStringLiteral("New Workspace"), {}, Scope::Workspaces);
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
    const Recording recording(*this, QStringLiteral("Rename Workspace"), {}, Scope::Workspaces);

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
    Recording recording(*this, QStringLiteral("Delete Workspace"), {}, Scope::Workspaces);

    QList<TaskItem *> doomed;
    for (TaskItem *task : fetchAllTasks()) {
        if (task->workspace() == name)
            doomed.append(task);
    }
    recording.setDeletion(doomed.isEmpty()
                              ? QStringLiteral("Workspace deleted")
                              : QStringLiteral("Workspace and %1 task(s) deleted").arg(doomed.size()));
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
    const Recording recording(*this, QStringLiteral("Move Workspace"), {}, Scope::Workspaces);
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
    const Recording recording(*this, QStringLiteral("Add Subtask"), {task});
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
    const Recording recording(*this, QStringLiteral("Tick Subtask"), {subtask->task()});
    subtask->setIsCompleted(!subtask->isCompleted());
    save();
}

void TaskStore::updateSubtask(SubTaskItem *subtask, const QString &title)
{
    const QString trimmed = TextRules::trimmed(title);
    if (!holds(subtask) || trimmed.isEmpty())
        return;
    const Recording recording(*this, QStringLiteral("Rename Subtask"), {subtask->task()});
    subtask->setTitle(trimmed);
    save();
}

void TaskStore::deleteSubtask(SubTaskItem *subtask, TaskItem *task)
{
    // A subtask handed in with a task it doesn't belong to is left alone:
    // deleting it would take it out of its real task behind the caller's back.
    if (!holds(subtask) || !holds(task) || subtask->task() != task)
        return;
    Recording recording(*this, QStringLiteral("Delete Subtask"), {task});
    recording.setDeletion(QStringLiteral("Subtask deleted"));
    m_context->deleteRecord(subtask);
    save();
}

// History

bool TaskStore::canUndo() const
{
    return m_history->canUndo();
}

bool TaskStore::canRedo() const
{
    return m_history->canRedo();
}

QString TaskStore::undoText() const
{
    return m_history->undoText();
}

QString TaskStore::redoText() const
{
    return m_history->redoText();
}

bool TaskStore::undo()
{
    return step(true);
}

bool TaskStore::redo()
{
    return step(false);
}

bool TaskStore::step(bool undoing)
{
    if (undoing ? !m_history->canUndo() : !m_history->canRedo())
        return false;
    const int index = m_history->index();
    const auto *change = static_cast<const StoreChange *>(m_history->command(undoing ? index - 1 : index));
    const StoreState &expected = undoing ? change->after() : change->before();
    const QHash<QUuid, TaskItem *> byId = tasksById();
    StoreState now = currentState(expected, [&byId](const QUuid &id) { return byId.value(id); });
    // The selection is the user's to change between two changes.
    now.selectedWorkspace = expected.selectedWorkspace;
    const QString verb = undoing ? QStringLiteral("undo") : QStringLiteral("redo");
    if (now != expected) {
        DiagnosticLog::write(QStringLiteral("Ordlen: Could not %1 \"%2\" — what it changed has changed since")
                                 .arg(verb, change->text()));
        return false;
    }
    m_saveFailed = false;
    undoing ? m_history->undo() : m_history->redo();
    if (!m_saveFailed)
        return true;
    // Not saved: the store and the history go back to where they were.
    undoing ? m_history->redo() : m_history->undo();
    DiagnosticLog::write(
        QStringLiteral("Ordlen: Could not %1 \"%2\" — it could not be saved").arg(verb, change->text()));
    return false;
}

QHash<QUuid, TaskItem *> TaskStore::tasksById() const
{
    QHash<QUuid, TaskItem *> byId;
    for (TaskItem *task : m_context->fetchTasks())
        byId.insert(task->id(), task);
    return byId;
}

StoreState TaskStore::currentState(const StoreState &like, const TaskFinder &find) const
{
    StoreState now;
    for (auto it = like.tasks.cbegin(); it != like.tasks.cend(); ++it) {
        const TaskItem *task = find(it.key());
        now.tasks.insert(it.key(), task ? std::optional(TaskState::of(task)) : std::nullopt);
    }
    if (like.savedWorkspaces)
        now.savedWorkspaces = savedWorkspaces();
    if (like.selectedWorkspace)
        now.selectedWorkspace = m_selectedWorkspace;
    return now;
}

void TaskStore::restore(const StoreState &state)
{
    const QHash<QUuid, TaskItem *> byId = tasksById();
    for (auto it = state.tasks.cbegin(); it != state.tasks.cend(); ++it) {
        TaskItem *task = byId.value(it.key());
        if (!it.value()) {
            if (task)
                m_context->deleteRecord(task);
        } else if (!task) {
            m_context->insert(it.value()->make());
        } else {
            task->setTitle(it.value()->title);
            task->setIsCompleted(it.value()->isCompleted);
            task->setWorkspace(it.value()->workspace);
            restoreSubtasks(task, it.value()->subtasks);
        }
    }
    if (state.savedWorkspaces && *state.savedWorkspaces != savedWorkspaces())
        writeSavedWorkspaces(*state.savedWorkspaces);
    if (state.selectedWorkspace)
        setSelectedWorkspace(*state.selectedWorkspace);
    save();
}

void TaskStore::restoreSubtasks(TaskItem *task, const QList<SubtaskState> &wanted)
{
    const auto stateOf = [&](const SubTaskItem *subtask) {
        return std::find_if(wanted.cbegin(), wanted.cend(),
                            [&](const SubtaskState &state) { return state.isSameRecord(subtask); });
    };
    for (SubTaskItem *subtask : QList<SubTaskItem *>(task->subtasks())) {
        const auto state = stateOf(subtask);
        if (state == wanted.cend()) {
            m_context->deleteRecord(subtask);
            continue;
        }
        subtask->setTitle(state->title);
        subtask->setIsCompleted(state->isCompleted);
    }
    for (const SubtaskState &state : wanted) {
        const QList<SubTaskItem *> &present = task->subtasks();
        if (std::any_of(present.cbegin(), present.cend(),
                        [&](const SubTaskItem *subtask) { return state.isSameRecord(subtask); }))
            continue;
        SubTaskItem *subtask = state.make();
        task->restoreSubtask(subtask);
        m_context->insert(subtask);
    }
}
