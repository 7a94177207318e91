#pragma once

#include <QtGlobal>

#include <functional>
#include <utility>

class QObject;

// The fields of tasks and subtasks that change after creation.
enum class RecordField : quint8
{
    Title,
    IsCompleted,
    Workspace
};

// Told of every real change of a field of the records it watches: the one
// who keeps the records learns from it what to save, and lists learn what to
// move. The first notice comes while the record still has its old value.
// The keeper hands in what to do, so records never call up into it.
class RecordObserver
{
public:
    using Notice = std::function<void(QObject *record, RecordField field)>;
    // A subtask object was made from a seed (see SubtaskSeed) of a watched
    // task; it is watched from now on.
    using Made = std::function<void(QObject *subtask, qint64 key)>;

    RecordObserver(Notice willChange, Notice changed, Made made = {})
        : m_willChange(std::move(willChange)), m_changed(std::move(changed)), m_made(std::move(made))
    {}

    void willChange(QObject *record, RecordField field) const { m_willChange(record, field); }
    void changed(QObject *record, RecordField field) const { m_changed(record, field); }
    void made(QObject *subtask, qint64 key) const
    {
        if (m_made)
            m_made(subtask, key);
    }

private:
    Notice m_willChange;
    Notice m_changed;
    Made m_made;
};
