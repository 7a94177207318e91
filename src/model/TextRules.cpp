#include "TextRules.h"

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

} // namespace TextRules
