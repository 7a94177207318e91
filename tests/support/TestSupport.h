#pragma once

#include "DiagnosticLog.h"

#include <QStringList>

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
