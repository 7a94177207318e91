#include "TextRules.h"

#include <QTextBoundaryFinder>

namespace TextRules {

// QString::trimmed() and QChar::isSpace() cover exactly the Unicode
// White_Space characters: separators (Zs, Zl, Zp), U+0009..U+000D and U+0085.
QString trimmed(const QString &text)
{
    return text.trimmed();
}

bool isBlank(const QString &text)
{
    return trimmed(text).isEmpty();
}

// QString::toLower() applies Unicode's full default case mapping and never
// consults the locale (unlike QLocale::toLower).
QString lowercased(const QString &text)
{
    return text.toLower();
}

QString firstCharacters(const QString &text, int limit)
{
    if (limit <= 0)
        return {};
    // No text of `limit` UTF-16 units or fewer can hold more characters.
    if (text.size() <= limit)
        return text;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    int counted = 0;
    while (boundaries.toNextBoundary() >= 0) {
        if (++counted == limit)
            return boundaries.position() < text.size() ? text.left(boundaries.position()) : text;
    }
    return text;
}

} // namespace TextRules
