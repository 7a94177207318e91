#pragma once

#include "TextRules.h"

#include <QString>

// A record's title, lower-cased once and kept until the title changes, so a
// search over thousands of tasks doesn't lower-case every title on every
// keystroke.
class LowercasedText
{
public:
    const QString &of(const QString &text) const
    {
        if (!m_valid) {
            m_value = TextRules::lowercased(text);
            m_valid = true;
        }
        return m_value;
    }

    void invalidate()
    {
        m_valid = false;
        m_value.clear();
    }

private:
    mutable QString m_value;
    mutable bool m_valid = false;
};
