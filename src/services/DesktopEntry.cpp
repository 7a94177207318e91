#include "DesktopEntry.h"

namespace {

const QString desktopEntryGroup = QStringLiteral("[Desktop Entry]");

// The escapes every string value may carry; a backslash before anything else
// stays as written.
QString unescapeValue(const QString &raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            out.append(c);
            continue;
        }
        const QChar next = raw.at(++i);
        switch (next.unicode()) {
        case 's':
            out.append(QLatin1Char(' '));
            break;
        case 'n':
            out.append(QLatin1Char('\n'));
            break;
        case 't':
            out.append(QLatin1Char('\t'));
            break;
        case 'r':
            out.append(QLatin1Char('\r'));
            break;
        case '\\':
            out.append(QLatin1Char('\\'));
            break;
        default:
            out.append(QLatin1Char('\\')).append(next);
        }
    }
    return out;
}

bool isFieldCode(const QString &argument)
{
    static const QString codes = QStringLiteral("fFuUdDnNickvm");
    return argument.size() == 2 && argument.at(0) == QLatin1Char('%') && codes.contains(argument.at(1));
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::parse(const QByteArray &text)
{
    DesktopEntry entry;
    bool inGroup = false;
    bool sawGroup = false;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('['))) {
            inGroup = trimmed == desktopEntryGroup;
            sawGroup = sawGroup || inGroup;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inGroup || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        // The first of duplicate keys wins, as most desktops read them.
        if (!entry.m_values.contains(key))
            entry.m_values.insert(key, unescapeValue(line.mid(equals + 1).trimmed()));
    }
    if (!sawGroup)
        return std::nullopt;
    return entry;
}

bool DesktopEntry::boolValue(const QString &key, bool defaultValue) const
{
    const QString value = m_values.value(key);
    if (value == QLatin1String("true"))
        return true;
    if (value == QLatin1String("false"))
        return false;
    return defaultValue;
}

std::optional<QStringList> DesktopEntry::splitExec(const QString &exec)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < exec.size() &&
                       QStringLiteral("\"`$\\").contains(exec.at(i + 1))) {
                current.append(exec.at(++i));
            } else {
                current.append(c);
            }
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (c == QLatin1Char('"'))
                quoted = true;
            else
                current.append(c);
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.append(current);

    QStringList result;
    for (const QString &argument : std::as_const(arguments)) {
        if (!isFieldCode(argument))
            result.append(QString(argument).replace(QStringLiteral("%%"), QStringLiteral("%")));
    }
    return result;
}

QString DesktopEntry::quoteExecArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString text = QString(argument).replace(QLatin1Char('%'), QStringLiteral("%%"));
    bool needsQuotes = text.isEmpty();
    for (const QChar c : std::as_const(text))
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return text;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : std::as_const(text)) {
        if (QStringLiteral("\"`$\\").contains(c))
            quoted.append(QLatin1Char('\\'));
        quoted.append(c);
    }
    return quoted + QLatin1Char('"');
}

QString DesktopEntry::escapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out.append(QStringLiteral("\\\\"));
            break;
        case '\n':
            out.append(QStringLiteral("\\n"));
            break;
        case '\t':
            out.append(QStringLiteral("\\t"));
            break;
        case '\r':
            out.append(QStringLiteral("\\r"));
            break;
        default:
            out.append(c);
        }
    }
    return out;
}
