#pragma once

class QObject;

// Told of every real change of a field of the records it watches: the one
// who keeps the records learns from it what to save.
class RecordObserver
{
public:
    virtual ~RecordObserver() = default;
    virtual void recordChanged(QObject *record) = 0;
};
