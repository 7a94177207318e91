#include "Preferences.h"

#include "DiagnosticLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUuid>
#include <fcntl.h>
#include <unistd.h>

namespace {

// QSettings keeps one parsed copy per file name for the whole process, so a
// path it has never seen is the only way to make it read a file from disk.
QString unusedSiblingPath(const QString &path, const char *purpose)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
           QLatin1String(purpose) + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::Id128);
}

// A value as it reads back from an INI file: a one-element list comes back as
// a string, an empty list as an invalid value, a Boolean as "true"/"false".
QStringList asWritten(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QStringList:
        return value.toStringList();
    case QMetaType::UnknownType:
        return {};
    case QMetaType::Bool:
        return {value.toBool() ? QStringLiteral("true") : QStringLiteral("false")};
    default:
        return {value.toString()};
    }
}

QMap<QString, QStringList> allValues(QSettings &settings)
{
    QMap<QString, QStringList> values;
    for (const QString &key : settings.allKeys())
        values.insert(key, asWritten(settings.value(key)));
    return values;
}

// Qt's INI reader silently drops every key after an unterminated quote. A
// file with more key lines than keys read must not be rewritten from what
// was read, or the dropped keys would be lost.
bool readCompletely(const QString &path, const QSettings &settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // no file yet
    qsizetype keyLines = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.isEmpty() && line.contains('=') && !line.startsWith(';') && !line.startsWith('#') &&
            !line.startsWith('['))
            ++keyLines;
    }
    return settings.allKeys().size() >= keyLines;
}

bool syncToDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

Preferences::Preferences(const QString &filePath) : m_filePath(filePath) {}

QString Preferences::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Ordlen/Ordlen.conf");
}

bool Preferences::contains(const QString &key) const
{
    return QSettings(m_filePath, QSettings::IniFormat).contains(key);
}

std::optional<QStringList> Preferences::stringArray(const QString &key) const
{
    QSettings settings(m_filePath, QSettings::IniFormat);
    if (!settings.contains(key))
        return std::nullopt;
    const QVariant value = settings.value(key);
    switch (value.typeId()) {
    case QMetaType::QStringList:
        return value.toStringList();
    case QMetaType::QString:
        // The INI format writes a one-element list as a plain string.
        return QStringList{value.toString()};
    case QMetaType::UnknownType:
        // ...and an empty list as @Invalid().
        return QStringList{};
    case QMetaType::QVariantList: {
        const QVariantList items = value.toList();
        QStringList strings;
        for (const QVariant &item : items) {
            if (item.typeId() != QMetaType::QString)
                return std::nullopt;
            strings.append(item.toString());
        }
        return strings;
    }
    default:
        return std::nullopt;
    }
}

bool Preferences::boolValue(const QString &key, bool defaultValue) const
{
    QSettings settings(m_filePath, QSettings::IniFormat);
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text == QLatin1String("true"))
            return true;
        if (text == QLatin1String("false"))
            return false;
    }
    return defaultValue;
}

bool Preferences::setStringArray(const QString &key, const QStringList &value)
{
    return write([&](QSettings &settings) { settings.setValue(key, value); });
}

bool Preferences::setBool(const QString &key, bool value)
{
    return write([&](QSettings &settings) { settings.setValue(key, value); });
}

bool Preferences::remove(const QString &key)
{
    return write([&](QSettings &settings) { settings.remove(key); });
}

bool Preferences::write(const Edit &edit)
{
    const QFileInfo info(m_filePath);
    if (!QDir().mkpath(info.absolutePath()))
        return reportFailure(QStringLiteral("cannot create %1").arg(info.absolutePath()));
    const QString staging = unusedSiblingPath(m_filePath, "new");
    const bool ok = writeVerified(staging, edit);
    QFile::remove(staging);
    if (!ok)
        return false;
    m_lastFailure.clear();
    // Drop the cached copy so the next read sees the new file.
    QSettings(m_filePath, QSettings::IniFormat).sync();
    return true;
}

bool Preferences::reportFailure(const QString &reason)
{
    // Reads retry the legacy takeover, so a lasting failure would otherwise
    // print the same line on every redraw of the menu.
    if (reason != m_lastFailure)
        DiagnosticLog::write(QStringLiteral("Ordlen: Could not save preferences — ") + reason);
    m_lastFailure = reason;
    return false;
}

bool Preferences::writeVerified(const QString &staging, const Edit &edit)
{
    auto fail = [this](const QString &reason) { return reportFailure(reason); };

    QMap<QString, QStringList> intended;
    {
        QSettings current(m_filePath, QSettings::IniFormat);
        current.sync(); // pick up edits made outside this process
        if (current.status() == QSettings::FormatError || !readCompletely(m_filePath, current))
            return fail(QStringLiteral("%1 could not be read completely").arg(m_filePath));
        QSettings next(staging, QSettings::IniFormat);
        for (const QString &key : current.allKeys())
            next.setValue(key, current.value(key));
        edit(next);
        next.sync();
        if (next.status() != QSettings::NoError)
            return fail(QStringLiteral("could not write %1").arg(staging));
        intended = allValues(next);
    }

    // Qt's own writer can report success on a full disk with a cut-off file,
    // so read the new file back before it replaces the old one.
    const QString probe = unusedSiblingPath(m_filePath, "check");
    if (!QFile::copy(staging, probe))
        return fail(QStringLiteral("could not read back %1").arg(staging));
    QMap<QString, QStringList> written;
    {
        QSettings readBack(probe, QSettings::IniFormat);
        written = allValues(readBack);
    }
    QFile::remove(probe);
    if (written != intended)
        return fail(QStringLiteral("the new preferences file was incomplete (is the disk full?)"));

    if (!syncToDisk(staging))
        return fail(QStringLiteral("could not flush %1 to disk").arg(staging));
    if (::rename(QFile::encodeName(staging).constData(), QFile::encodeName(m_filePath).constData()) != 0)
        return fail(QStringLiteral("could not replace %1").arg(m_filePath));
    syncToDisk(QFileInfo(m_filePath).absolutePath());
    return true;
}
