#include "TaskState.h"

#include "SubTaskItem.h"
#include "TaskItem.h"

SubtaskState SubtaskState::of(const SubTaskItem *subtask)
{
    return {subtask->id(),        subtask->title(),     subtask->isCompleted(),
            subtask->createdAt(), subtask->sortOrder(), subtask->listIndex()};
}

SubTaskItem *SubtaskState::make() const
{
    return new SubTaskItem(id, title, isCompleted, createdAt, sortOrder, listIndex);
}

bool SubtaskState::isSameRecord(const SubTaskItem *subtask) const
{
    // Ids alone may repeat in a file another tool wrote; with the place they don't.
    return subtask->id() == id && subtask->listIndex() == listIndex && subtask->createdAt() == createdAt;
}

TaskState TaskState::of(const TaskItem *task)
{
    TaskState state{task->id(),    task->title(),     task->isCompleted(), task->createdAt(),
                    task->notes(), task->sortOrder(), task->workspace(),   {}};
    for (const SubTaskItem *subtask : task->subtasks())
        state.subtasks.append(SubtaskState::of(subtask));
    return state;
}

TaskItem *TaskState::make() const
{
    auto *task = new TaskItem(id, title, isCompleted, createdAt, notes, sortOrder, workspace);
    for (const SubtaskState &subtask : subtasks)
        task->adoptSubtask(subtask.make());
    return task;
}
