#pragma once

#include "TextRules.h"

#include <QString>
#include <algorithm>

// Answers whether a record's title, lower-cased, contains a search text that
// is lower-cased already. Titles of plain ASCII (most of them) are compared
// in place, which gives the same answer without a lower-cased copy; any other
// title is lower-cased once and kept until it changes, so a search over
// thousands of tasks lower-cases nothing on most keystrokes. A title is known
// by its shared data (kept alive here), so a new title is never matched
// against what was kept for the old one, whenever it is asked.
class LowercasedText
{
public:
    bool contains(const QString &text, const QString &query) const
    {
        if (m_source.constData() != text.constData() || m_source.size() != text.size())
            remember(text);
        if (m_isAscii)
            return containsAsciiLowercased(text, query);
        return m_value.contains(query);
    }

    // The same answer for a text that is asked about once: nothing is kept.
    static bool containsOnce(const QString &text, const QString &query)
    {
        if (isAscii(text))
            return containsAsciiLowercased(text, query);
        return TextRules::lowercased(text).contains(query);
    }

private:
    static bool isAscii(const QString &text)
    {
        return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    }

    // Whether ASCII text, lower-cased, contains the query.
    static bool containsAsciiLowercased(QStringView text, QStringView query)
    {
        const auto lower = [](char16_t c) {
            return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
        };
        for (qsizetype start = 0; start + query.size() <= text.size(); ++start) {
            qsizetype matched = 0;
            while (matched < query.size() &&
                   lower(text[start + matched].unicode()) == query[matched].unicode())
                ++matched;
            if (matched == query.size())
                return true;
        }
        return false;
    }

    void remember(const QString &text) const
    {
        m_source = text;
        m_isAscii = isAscii(text);
        m_value = m_isAscii ? QString() : TextRules::lowercased(text);
    }

    mutable QString m_source;
    mutable QString m_value;
    mutable bool m_isAscii = true;
};
