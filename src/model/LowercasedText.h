#pragma once

#include "TextRules.h"

#include <QString>

// A record's title, lower-cased once and kept until the title changes, so a
// search over thousands of tasks doesn't lower-case every title on every
// keystroke. It knows the text it was made from by its shared data (which it
// keeps alive), so a new title is never matched against the old one's
// lower case, whenever it is asked.
class LowercasedText
{
public:
    const QString &of(const QString &text) const
    {
        if (m_source.constData() != text.constData() || m_source.size() != text.size()) {
            m_value = TextRules::lowercased(text);
            m_source = text;
        }
        return m_value;
    }

private:
    mutable QString m_source;
    mutable QString m_value;
};
