#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

// What a subtask read back is made from. A task keeps these until something
// asks for its subtask objects: most tasks of a large list are never opened,
// and a value costs a fraction of an object. The key is whatever number the
// task's keeper gave the subtask; it is handed back when the object is made.
struct SubtaskSeed
{
    QUuid id;
    QString title;
    QDateTime createdAt;
    qint64 sortOrder = 0;
    qint64 listIndex = 0;
    qint64 key = 0;
    bool isCompleted = false;
};
