#pragma once

#include "TaskState.h"

#include <QMap>
#include <QStringList>
#include <QUndoCommand>
#include <functional>
#include <optional>

// What a change touched, as it was before or after it: each task by id
// (nothing where the task did not exist), and where the change concerned
// workspaces, the saved list and the selection.
struct StoreState
{
    QMap<QUuid, std::optional<TaskState>> tasks;
    std::optional<QStringList> savedWorkspaces;
    std::optional<QString> selectedWorkspace;

    bool operator==(const StoreState &) const = default;
};

// One change a user made, for the undo history: undoing puts the state
// before it back, redoing the state after it.
class StoreChange : public QUndoCommand
{
public:
    // Puts a state back and saves it.
    using Restore = std::function<void(const StoreState &)>;

    // The change has already been made when it is pushed.
    StoreChange(const QString &text, StoreState before, StoreState after, Restore restore);

    const StoreState &before() const { return m_before; }
    const StoreState &after() const { return m_after; }

    void undo() override;
    void redo() override;

private:
    StoreState m_before;
    StoreState m_after;
    Restore m_restore;
    bool m_isApplied = true;
};
