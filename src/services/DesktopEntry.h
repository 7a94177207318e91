#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// The [Desktop Entry] group of a freedesktop.org desktop entry file, enough
// of it to write an autostart entry and read one back. Values are unescaped;
// localised keys (Name[de]) are kept under their full key.
class DesktopEntry
{
public:
    // Nothing when the text has no [Desktop Entry] group.
    static std::optional<DesktopEntry> parse(const QByteArray &text);

    QString value(const QString &key) const { return m_values.value(key); }
    bool contains(const QString &key) const { return m_values.contains(key); }
    // "true" / "false" as the format spells them; anything else gives the default.
    bool boolValue(const QString &key, bool defaultValue) const;

    // The program and arguments of an Exec value, with the format's quoting
    // undone; nothing when the quoting is broken.
    static std::optional<QStringList> splitExec(const QString &exec);
    // One argument quoted for an Exec value, so that splitExec gives it back.
    static QString quoteExecArgument(const QString &argument);
    // A string value escaped for writing (backslash, line breaks, tabs).
    static QString escapeValue(const QString &value);

private:
    QMap<QString, QString> m_values;
};
