#include "StoreChange.h"

StoreChange::StoreChange(const QString &text, StoreState before, StoreState after, Restore restore)
    : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)),
      m_restore(std::move(restore))
{}

void StoreChange::undo()
{
    m_restore(m_before);
    m_isApplied = false;
}

void StoreChange::redo()
{
    // The stack redoes a command as it is pushed: this one is done already.
    if (!m_isApplied)
        m_restore(m_after);
    m_isApplied = true;
}
