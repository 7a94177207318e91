#pragma once

#include "RecordObserver.h"

#include <QObject>

// What tasks and subtasks share: whoever keeps them may watch their fields.
class Record : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    const RecordObserver *observer() const { return m_observer; }
    void setObserver(const RecordObserver *observer) { m_observer = observer; }

protected:
    // Stores a field's new value; true (and the observer told) only when the
    // value really differs, so setters notify only then.
    template <typename T> bool assignField(T &field, const T &value, RecordField which)
    {
        if (field == value)
            return false;
        if (m_observer)
            m_observer->willChange(this, which);
        field = value;
        if (m_observer)
            m_observer->changed(this, which);
        return true;
    }

private:
    const RecordObserver *m_observer = nullptr;
};
