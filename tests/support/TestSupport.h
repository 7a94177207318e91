#pragma once

#include "DiagnosticLog.h"

#include <QFile>
#include <QList>
#include <QStringList>
#include <QTest>

// The titles of tasks or subtasks, in list order.
template <typename Record> QStringList titlesOf(const QList<Record *> &records)
{
    QStringList titles;
    for (const Record *record : records)
        titles.append(record->title());
    return titles;
}

inline QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &contents,
                      QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    QVERIFY(file.open(mode) && file.write(contents) == contents.size());
}

// Collects the app's diagnostic lines while it exists.
class CapturedLines
{
public:
    CapturedLines()
    {
        DiagnosticLog::setSink([this](const QString &line) { m_lines.append(line); });
    }
    ~CapturedLines() { DiagnosticLog::setSink({}); }
    Q_DISABLE_COPY(CapturedLines)

    const QStringList &lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    QStringList m_lines;
};
