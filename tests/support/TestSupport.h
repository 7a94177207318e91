#pragma once

#include "DiagnosticLog.h"

#include <QList>
#include <QStringList>

// The titles of tasks or subtasks, in list order.
template <typename Record> QStringList titlesOf(const QList<Record *> &records)
{
    QStringList titles;
    for (const Record *record : records)
        titles.append(record->title());
    return titles;
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
    CapturedLines(const CapturedLines &) = delete;
    CapturedLines &operator=(const CapturedLines &) = delete;

    const QStringList &lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    QStringList m_lines;
};
