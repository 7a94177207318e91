#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

class QSettings;

// The user's preferences: a few keys in one INI file, owned by this object.
// Reads come from the file as it is on disk (never from Qt's per-process
// cache of settings files, which can miss a write made within one timestamp
// tick). A write replaces the file only once the new file has been read back
// and found complete, so a full disk or a failing write leaves the previous
// preferences intact.
class Preferences
{
public:
    explicit Preferences(const QString &filePath);

    // $XDG_CONFIG_HOME/Ordlen/Ordlen.conf (default ~/.config).
    static QString defaultFilePath();

    QString filePath() const { return m_filePath; }

    // The list of strings under the key, or nothing when the key is missing
    // or holds something else.
    std::optional<QStringList> stringArray(const QString &key) const;
    bool boolValue(const QString &key, bool defaultValue) const;
    // The text under the key, or nothing when the key is missing.
    std::optional<QString> text(const QString &key) const;
    bool contains(const QString &key) const;

    // Each returns false (and prints a line, once while the same failure
    // repeats) when the file could not be written; the previous file is then
    // unchanged.
    bool setStringArray(const QString &key, const QStringList &value);
    bool setBool(const QString &key, bool value);
    bool remove(const QString &key);

    // What a file holds, as Qt reads it. A file Qt reads only in part (an
    // unterminated quote swallows every later line) is not complete: its
    // values can't be trusted, and it is never rewritten from them.
    struct Contents
    {
        bool complete = true;
        QMap<QString, QVariant> values;
    };
    static Contents read(const QByteArray &iniText);

private:
    using Edit = std::function<void(QSettings &)>;
    // The file's contents, read again whenever it changed on disk.
    const Contents &current() const;
    QVariant value(const QString &key) const;
    bool write(const Edit &edit);
    bool writeVerified(const QString &stagingPath, const Edit &edit);
    // Prints the failure line once for a run of the same failure.
    bool reportFailure(const QString &reason) const;

    QString m_filePath;
    mutable QString m_lastFailure;
    mutable QByteArray m_readStamp;
    mutable Contents m_contents;
};
