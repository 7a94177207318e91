#include "DesktopEntry.h"
#include "LaunchAtLoginService.h"
#include "TestSupport.h"
#include "XdgAutostartBackend.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using Status = LoginItemBackend::Status;

class TestLaunchAtLogin : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    const QString m_autostart = m_home.filePath(QStringLiteral("autostart"));
    const QString m_bin = m_home.filePath(QStringLiteral("bin"));
    const QString m_entry = m_autostart + QStringLiteral("/io.github.ordlen.Ordlen.desktop");
    const QString m_program = m_bin + QStringLiteral("/ordlen");

    void writeEntry(const QByteArray &text)
    {
        QVERIFY(QDir().mkpath(m_autostart));
        writeFile(m_entry, text);
    }

private slots:
    // An executable "ordlen" on the PATH, with a link to it.
    void initTestCase()
    {
        QFile program(m_program);
        QVERIFY(QDir().mkpath(m_bin) && program.open(QIODevice::WriteOnly));
        QVERIFY(program.setPermissions(program.permissions() | QFile::ExeOwner));
        QVERIFY(program.link(m_bin + QStringLiteral("/link")));
        qputenv("PATH", (m_bin + u':' + qEnvironmentVariable("PATH")).toLocal8Bit());
    }

    void init() { QVERIFY(QDir(m_autostart).removeRecursively() || QFile::remove(m_autostart)); }

    void statusOfEntries_data()
    {
        QTest::addColumn<QByteArray>("entry"); // null: there is none
        QTest::addColumn<Status>("expected");
        // h: the group's head, p: our program, e: an Exec line for it.
        const QByteArray h = "[Desktop Entry]\nType=Application\nName=Ordlen\n", p = m_program.toUtf8();
        const QByteArray e = "Exec=" + p + "\n", other = "Exec=/bin/true\n";
        QTest::newRow("none") << QByteArray() << Status::NotRegistered;
        QTest::newRow("ours") << h + e << Status::Enabled;
        QTest::newRow("arguments, field code") << h + "Exec=" + p + " --quiet %U\n" << Status::Enabled;
        QTest::newRow("escaped blank") << h + "Exec=" + p + "\\s--quiet\n" << Status::Enabled;
        QTest::newRow("found on the PATH") << h + "Exec=ordlen\n" << Status::Enabled;
        QTest::newRow("through a link") << h + "Exec=" + m_bin.toUtf8() + "/link\n" << Status::Enabled;
        QTest::newRow("groups around it") << "[A]\n" + other + h + e + "[B]\n" + other << Status::Enabled;
        QTest::newRow("on") << h + e + "X-GNOME-Autostart-enabled=true\nHidden=false\n" << Status::Enabled;
        QTest::newRow("hidden") << h + e + "Hidden=true\n" << Status::NotRegistered;
        QTest::newRow("off in GNOME") << h + e + "X-GNOME-Autostart-enabled=false\n" << Status::NotRegistered;
        QTest::newRow("first Exec counts") << h + other + e << Status::NotFound;
        QTest::newRow("our path as a prefix") << h + "Exec=" + p + "-other\n" << Status::NotFound;
        QTest::newRow("no Exec") << h << Status::NotFound;
        QTest::newRow("broken quoting") << h + "Exec=\"" + p + "\n" << Status::NotFound;
        QTest::newRow("a link entry") << "[Desktop Entry]\nType=Link\n" + e << Status::NotFound;
        QTest::newRow("no entry group") << e << Status::NotFound;
        QTest::newRow("far too large") << h + e + "#" + QByteArray(70000, 'x') << Status::NotFound;
    }

    void statusOfEntries()
    {
        QFETCH(QByteArray, entry);
        QFETCH(Status, expected);
        if (!entry.isNull())
            writeEntry(entry);
        QCOMPARE(XdgAutostartBackend(m_autostart, m_program).status(), expected);
    }

    // Whatever the executable's path holds, the entry written for it starts
    // exactly that file, replacing one that was switched off.
    void registeredEntryStartsThisProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("blank") << u"Ordlen app"_s;
        QTest::newRow("shell characters") << u"it's $HOME `x` \"q\" & (1)"_s;
        QTest::newRow("percent") << u"100% ordlen %U"_s;
        QTest::newRow("backslash") << u"back\\slash"_s;
        QTest::newRow("non-ASCII") << u"Ördlen — ✓"_s;
    }

    void registeredEntryStartsThisProgram()
    {
        QFETCH(QString, name);
        const QString path = m_bin + u'/' + name;
        writeFile(path, "#!/bin/sh\n");
        writeEntry("[Desktop Entry]\nType=Application\nExec=" + path.toUtf8() + "\nHidden=true\n");
        XdgAutostartBackend backend(m_autostart, path);
        QString error;
        QVERIFY2(backend.registerItem(error), qPrintable(error));
        QCOMPARE(backend.status(), Status::Enabled);
        QCOMPARE(DesktopEntry::splitExec(DesktopEntry::parse(contentsOf(m_entry))->value("Exec")),
                 QStringList{path});
    }

    // The entry's or its folder's place taken by the wrong kind of file: the change fails, the flag
    // stays, one line says why. Nothing to remove is no failure.
    void failedChangesKeepTheFlagAndSayWhy()
    {
        CapturedLines lines;
        LaunchAtLoginService(std::make_unique<XdgAutostartBackend>(m_autostart, m_program)).disable();
        QVERIFY(QDir().mkpath(m_entry));
        LaunchAtLoginService service(std::make_unique<XdgAutostartBackend>(m_autostart, m_program));
        service.disable();
        QVERIFY(QFileInfo(m_entry).isDir() && QDir(m_autostart).removeRecursively());
        QVERIFY(QFile(m_autostart).open(QIODevice::WriteOnly));
        service.enable();
        QVERIFY(!service.isEnabled() && QFileInfo(m_autostart).isFile());
        QCOMPARE(lines.lines().size(), 2);
        QVERIFY(lines.lines()[0].startsWith(QStringLiteral("Ordlen: Could not disable launch at login — ")));
        QVERIFY(lines.lines()[1].startsWith(QStringLiteral("Ordlen: Could not enable launch at login — ")));
        QVERIFY(lines.lines()[0].contains(m_entry) && lines.lines()[1].contains(m_autostart));
    }

    // The app's instance writes its entry to $XDG_CONFIG_HOME/autostart for
    // the running executable, and removes it. (Reading it again on coming
    // back to the app: tst_app.)
    void sharedServiceWritesTheEntry()
    {
        const QString path =
            qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/io.github.ordlen.Ordlen.desktop";
        QFile::remove(path); // left by a run that stopped half-way
        LaunchAtLoginService &service = LaunchAtLoginService::shared();
        service.enable();
        QVERIFY(service.isEnabled() &&
                contentsOf(path).contains("Exec=" + QCoreApplication::applicationFilePath().toUtf8()));
        service.disable();
        QVERIFY(!service.isEnabled() && !QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "tst_launchatlogin.moc"
