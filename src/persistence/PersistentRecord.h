#pragma once

#include <QObject>

class ModelContext;

// What every stored record shares: the context it belongs to and its row in
// the file. Field changes are reported to the context, which saves them.
class PersistentRecord : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    ModelContext *context() const { return m_context; }
    bool isInserted() const { return m_context != nullptr; }

protected:
    // Stores a field's new value; true (and the record marked as changed)
    // only when the value really differs, so setters notify only then.
    template <typename T> bool assignField(T &field, const T &value)
    {
        if (field == value)
            return false;
        field = value;
        fieldChanged();
        return true;
    }

private:
    void fieldChanged();

    friend class ModelContext;
    friend class RecordLoader;
    friend class RecordWriter;

    ModelContext *m_context = nullptr;
    qint64 m_rowId = 0; // 0 while the record has no row in the file
};
