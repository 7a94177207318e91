#include "XdgAutostartBackend.h"

#include "DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// An autostart entry is a few hundred bytes; anything far larger is not ours.
constexpr qint64 maximumEntrySize = 64 * 1024;

QString quotedPath(const QString &path)
{
    return QStringLiteral("“") + QDir::toNativeSeparators(path) + QStringLiteral("”");
}

QString comparablePath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

XdgAutostartBackend::XdgAutostartBackend(const QString &autostartDirectory, const QString &executablePath)
    : m_autostartDirectory(autostartDirectory), m_executablePath(executablePath)
{
    // Renamed to the new name, or dropped when both exist: the login must
    // start the app once, and the new entry is the one the app keeps.
    QFile legacy(QDir(m_autostartDirectory).filePath(legacyEntryFileName));
    if (legacy.exists() && !legacy.rename(entryPath()))
        legacy.remove();
}

QString XdgAutostartBackend::defaultAutostartDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

QString XdgAutostartBackend::defaultExecutablePath()
{
    const QString appImage = qEnvironmentVariable("APPIMAGE");
    if (!appImage.isEmpty() && QFileInfo(appImage).isExecutable())
        return appImage;
    return QCoreApplication::applicationFilePath();
}

QString XdgAutostartBackend::entryPath() const
{
    return QDir(m_autostartDirectory).filePath(entryFileName);
}

LoginItemBackend::Status XdgAutostartBackend::status() const
{
    const QFileInfo info(entryPath());
    if (!info.exists())
        return Status::NotRegistered;
    QFile file(entryPath());
    if (!info.isFile() || info.size() > maximumEntrySize || !file.open(QIODevice::ReadOnly))
        return Status::NotFound;
    const std::optional<DesktopEntry> entry = DesktopEntry::parse(file.readAll());
    if (!entry || entry->value(QStringLiteral("Type")) != QLatin1String("Application") ||
        !startsThisProgram(entry->value(QStringLiteral("Exec"))))
        return Status::NotFound;
    if (entry->boolValue(QStringLiteral("Hidden"), false) ||
        !entry->boolValue(QStringLiteral("X-GNOME-Autostart-enabled"), true))
        return Status::NotRegistered;
    return Status::Enabled;
}

bool XdgAutostartBackend::registerItem(QString &errorText)
{
    const QFileInfo directory(m_autostartDirectory);
    if (directory.exists() && !directory.isDir()) {
        errorText = quotedPath(m_autostartDirectory) + QStringLiteral(" is a file, not a folder.");
        return false;
    }
    if (!QDir().mkpath(m_autostartDirectory)) {
        errorText = QStringLiteral("The folder ") + quotedPath(m_autostartDirectory) +
                    QStringLiteral(" could not be created.");
        return false;
    }
    // Written beside the old entry and renamed over it, so a failed write
    // (a full disk) leaves the previous entry as it was.
    QSaveFile file(entryPath());
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        file.write(entryText());
        written = file.flush() && file.error() == QFileDevice::NoError;
        if (!written)
            file.cancelWriting();
    }
    if (!written || !file.commit()) {
        errorText = QStringLiteral("Could not write ") + quotedPath(entryPath()) + QStringLiteral(": ") +
                    file.errorString();
        return false;
    }
    return true;
}

bool XdgAutostartBackend::unregisterItem(QString &errorText)
{
    const QFileInfo info(entryPath());
    if (!info.exists() && !info.isSymLink())
        return true;
    QFile file(entryPath());
    if (info.isDir() || !file.remove()) {
        errorText = QStringLiteral("Could not remove ") + quotedPath(entryPath()) + QStringLiteral(": ") +
                    (info.isDir() ? QStringLiteral("it is a folder.") : file.errorString());
        return false;
    }
    return true;
}

bool XdgAutostartBackend::startsThisProgram(const QString &exec) const
{
    const std::optional<QStringList> arguments = DesktopEntry::splitExec(exec);
    if (!arguments || arguments->isEmpty())
        return false;
    QString program = arguments->first();
    if (!program.contains(QLatin1Char('/')))
        program = QStandardPaths::findExecutable(program);
    return !program.isEmpty() && comparablePath(program) == comparablePath(m_executablePath);
}

QByteArray XdgAutostartBackend::entryText() const
{
    const QString text =
        QStringLiteral("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Ordlen\n"
                       "Comment=To-do list in the tray\n"
                       "Exec=%1\n"
                       "Terminal=false\n"
                       "X-GNOME-Autostart-enabled=true\n"
                       // After the panel, whose tray shows the icon.
                       "X-GNOME-Autostart-Delay=2\n"
                       "X-KDE-autostart-after=panel\n")
            .arg(DesktopEntry::escapeValue(DesktopEntry::quoteExecArgument(m_executablePath)));
    return text.toUtf8();
}
