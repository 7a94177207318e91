#pragma once

#include <QString>

// The rules every text the user enters goes through.
namespace TextRules {

// Removes Unicode white space and line breaks from both ends; the text in
// between is left as it is.
QString trimmed(const QString &text);

// Whether nothing is left after trimming.
bool isBlank(const QString &text);

// Unicode default lower-casing, the same whatever the user's locale.
QString lowercased(const QString &text);

// The first `limit` user-perceived characters of the text (grapheme
// clusters: a flag, an emoji with its skin tone or a ZWJ sequence, a letter
// with its combining marks each count as one); shorter texts as they are.
QString firstCharacters(const QString &text, int limit);

} // namespace TextRules
