#pragma once

#include <QtGlobal>

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
// move. The first call comes while the record still has its old value.
class RecordObserver
{
public:
    virtual ~RecordObserver() = default;
    virtual void recordWillChange(QObject *record, RecordField field) = 0;
    virtual void recordChanged(QObject *record, RecordField field) = 0;
};
