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

    RecordObserver(Notice willChange, Notice changed)
        : m_willChange(std::move(willChange)), m_changed(std::move(changed))
    {}

    void willChange(QObject *record, RecordField field) const { m_willChange(record, field); }
    void changed(QObject *record, RecordField field) const { m_changed(record, field); }

private:
    Notice m_willChange;
    Notice m_changed;
};
