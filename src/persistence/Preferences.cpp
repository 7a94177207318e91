#include "Preferences.h"

#include "DiagnosticLog.h"
#include "StoreLogging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUuid>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

QMap<QString, QStringList> asWritten(const QMap<QString, QVariant> &values)
{
    QMap<QString, QStringList> written;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        written.insert(it.key(), asWritten(it.value()));
    return written;
}

// The distinct keys an INI text spells out, section by section: a key that
// is repeated counts once, as Qt keeps only one of them.
qsizetype distinctKeyLines(const QByteArray &iniText)
{
    QSet<QByteArray> keys;
    QByteArray section;
    for (const QByteArray &raw : iniText.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            section = line;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && !line.startsWith(';') && !line.startsWith('#'))
            keys.insert(section + '\n' + line.left(equals).trimmed());
    }
    return keys.size();
}

// Identifies one version of a file on disk: a write through rename() gives a
// new inode, an edit in place a new size or modification time.
QByteArray stampOf(const QString &path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QByteArrayLiteral("missing");
    return QByteArray::number(qulonglong(info.st_ino)) + ':' + QByteArray::number(qlonglong(info.st_size)) +
           ':' + QByteArray::number(qlonglong(info.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qlonglong(info.st_mtim.tv_nsec)) + ':' +
           QByteArray::number(qlonglong(info.st_ctim.tv_nsec));
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

Preferences::Contents Preferences::read(const QByteArray &iniText)
{
    Contents contents;
    if (iniText.isEmpty())
        return contents;
    // Qt parses files only, and caches them by path: a path it has never
    // seen is the only way to make it parse these bytes.
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/ordlen-prefs-XXXXXX.conf"));
    if (!copy.open() || copy.write(iniText) != iniText.size() || !copy.flush()) {
        qCWarning(lcPrefs) << "could not stage the preferences for reading:" << copy.errorString();
        contents.complete = false;
        return contents;
    }
    QSettings settings(copy.fileName(), QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    contents.complete = settings.status() == QSettings::NoError && keys.size() >= distinctKeyLines(iniText);
    if (!contents.complete)
        return contents;
    for (const QString &key : keys)
        contents.values.insert(key, settings.value(key));
    return contents;
}

const Preferences::Contents &Preferences::current() const
{
    const QByteArray stamp = stampOf(m_filePath);
    if (stamp == m_readStamp)
        return m_contents;
    QFile file(m_filePath);
    QByteArray text;
    if (file.open(QIODevice::ReadOnly))
        text = file.readAll();
    else if (file.exists())
        qCWarning(lcPrefs) << "could not read" << m_filePath << file.errorString();
    m_contents = read(text);
    m_readStamp = stamp;
    if (!m_contents.complete)
        reportFailure(QStringLiteral("%1 could not be read completely; it is left as it is").arg(m_filePath));
    return m_contents;
}

QVariant Preferences::value(const QString &key) const
{
    return current().values.value(key);
}

std::optional<QString> Preferences::text(const QString &key) const
{
    if (!contains(key))
        return std::nullopt;
    const QVariant stored = value(key);
    // The INI format reads a value with a comma in it as a list.
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QStringLiteral(", "));
    return stored.toString();
}

bool Preferences::contains(const QString &key) const
{
    return current().values.contains(key);
}

std::optional<QStringList> Preferences::stringArray(const QString &key) const
{
    if (!contains(key))
        return std::nullopt;
    const QVariant stored = value(key);
    switch (stored.typeId()) {
    case QMetaType::QStringList:
        return stored.toStringList();
    case QMetaType::QString:
        // The INI format writes a one-element list as a plain string.
        return QStringList{stored.toString()};
    case QMetaType::UnknownType:
        // ...and an empty list as @Invalid().
        return QStringList{};
    case QMetaType::QVariantList: {
        QStringList strings;
        for (const QVariant &item : stored.toList()) {
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
    const QVariant stored = value(key);
    if (stored.typeId() == QMetaType::Bool)
        return stored.toBool();
    if (stored.typeId() == QMetaType::QString) {
        const QString text = stored.toString();
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
    const QString staging = info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".new-") + QUuid::createUuid().toString(QUuid::Id128);
    const bool ok = writeVerified(staging, edit);
    QFile::remove(staging);
    if (ok)
        m_lastFailure.clear();
    return ok;
}

bool Preferences::reportFailure(const QString &reason) const
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
    const Contents &now = current();
    if (!now.complete)
        return reportFailure(
            QStringLiteral("%1 could not be read completely; it is left as it is").arg(m_filePath));

    QMap<QString, QVariant> intended;
    {
        QSettings next(staging, QSettings::IniFormat);
        for (auto it = now.values.cbegin(); it != now.values.cend(); ++it)
            next.setValue(it.key(), it.value());
        edit(next);
        next.sync();
        if (next.status() != QSettings::NoError)
            return reportFailure(QStringLiteral("could not write a new file beside %1").arg(m_filePath));
        for (const QString &key : next.allKeys())
            intended.insert(key, next.value(key));
    }

    // Qt's own writer can report success on a full disk with a cut-off file,
    // so read the new file back before it replaces the old one.
    // With no key left Qt writes no file at all: then an empty one is the
    // new contents.
    QFile written(staging);
    if (!written.open(intended.isEmpty() ? QIODevice::ReadWrite : QIODevice::ReadOnly))
        return reportFailure(QStringLiteral("could not read back the new file beside %1").arg(m_filePath));
    const Contents readBack = read(written.readAll());
    if (!readBack.complete || asWritten(readBack.values) != asWritten(intended))
        return reportFailure(QStringLiteral("the new preferences file was incomplete (is the disk full?)"));

    if (!syncToDisk(staging))
        return reportFailure(
            QStringLiteral("could not flush the new file beside %1 to disk").arg(m_filePath));
    if (::rename(QFile::encodeName(staging).constData(), QFile::encodeName(m_filePath).constData()) != 0)
        return reportFailure(QStringLiteral("could not replace %1").arg(m_filePath));
    if (!syncToDisk(QFileInfo(m_filePath).absolutePath()))
        qCWarning(lcPrefs) << "could not flush the folder of" << m_filePath;
    return true;
}
