#pragma once

#include <QObject>

class ModelContext;

// What every stored record shares: the context it belongs to, its row in the
// file, and whether a field changed since the last save.
class PersistentRecord : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    ModelContext *context() const { return m_context; }
    bool isInserted() const { return m_context != nullptr; }

protected:
    // Every field setter calls this after a real change.
    void fieldChanged();

private:
    friend class ModelContext;
    friend class RecordLoader;
    friend class RecordWriter;

    ModelContext *m_context = nullptr;
    qint64 m_rowId = 0; // 0 while the record has no row in the file
    bool m_dirty = false;
};
