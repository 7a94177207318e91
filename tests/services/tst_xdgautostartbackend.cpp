#include "DesktopEntry.h"
#include "XdgAutostartBackend.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Status = LoginItemBackend::Status;
Q_DECLARE_METATYPE(LoginItemBackend::Status)

class TestXdgAutostartBackend : public QObject
{
    Q_OBJECT

private:
    QString autostartDir() const { return m_home.filePath(QStringLiteral("config/autostart")); }
    QString program() const { return m_home.filePath(QStringLiteral("bin/ordlen")); }

    void writeEntry(const QByteArray &text)
    {
        QVERIFY(QDir().mkpath(autostartDir()));
        QFile file(QDir(autostartDir()).filePath(XdgAutostartBackend::entryFileName));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QTemporaryDir m_home;

private slots:
    void init()
    {
        QDir(autostartDir()).removeRecursively();
        QFile::remove(autostartDir());
        QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("bin"))));
        QFile binary(program());
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void statusOfEntries_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<Status>("expected");

        const QByteArray exec = "Exec=" + program().toUtf8() + "\n";
        const QByteArray head = "[Desktop Entry]\nType=Application\nName=Ordlen\n";
        QTest::newRow("ours") << head + exec << Status::Enabled;
        QTest::newRow("ours with arguments and a field code")
            << head + "Exec=" + program().toUtf8() + " --quiet %U\n"
            << Status::Enabled;
        QTest::newRow("other groups around it")
            << "# comment\n[Other]\nExec=/bin/false\n" + head + exec + "[Desktop Action x]\nExec=/bin/true\n"
            << Status::Enabled;
        QTest::newRow("hidden") << head + exec + "Hidden=true\n" << Status::NotRegistered;
        QTest::newRow("switched off in GNOME") << head + exec + "X-GNOME-Autostart-enabled=false\n"
                                               << Status::NotRegistered;
        QTest::newRow("explicitly on") << head + exec + "X-GNOME-Autostart-enabled=true\nHidden=false\n"
                                       << Status::Enabled;
        QTest::newRow("another program") << head + "Exec=/usr/bin/true\n" << Status::NotFound;
        QTest::newRow("program path only as a prefix") << head + "Exec=" + program().toUtf8() + "-other\n"
                                                       << Status::NotFound;
        QTest::newRow("no Exec") << head << Status::NotFound;
        QTest::newRow("broken quoting") << head + "Exec=\"" + program().toUtf8() + "\n" << Status::NotFound;
        QTest::newRow("a link, not an application")
            << "[Desktop Entry]\nType=Link\n" + exec << Status::NotFound;
        QTest::newRow("no desktop entry group") << exec << Status::NotFound;
        QTest::newRow("not text at all") << QByteArray("\x7f"
                                                       "ELF\x02\x01\x01\0\0\0",
                                                       10)
                                         << Status::NotFound;
    }

    void statusOfEntries()
    {
        QFETCH(QByteArray, entry);
        QFETCH(Status, expected);
        writeEntry(entry);
        QCOMPARE(XdgAutostartBackend(autostartDir(), program()).status(), expected);
    }

    void statusWithoutEntryOrFolder()
    {
        QCOMPARE(XdgAutostartBackend(autostartDir(), program()).status(), Status::NotRegistered);
        QVERIFY(QDir().mkpath(autostartDir()));
        QCOMPARE(XdgAutostartBackend(autostartDir(), program()).status(), Status::NotRegistered);
    }

    void entryPathTakenByFolderIsNotAnEntry()
    {
        QVERIFY(QDir().mkpath(QDir(autostartDir()).filePath(XdgAutostartBackend::entryFileName)));
        QCOMPARE(XdgAutostartBackend(autostartDir(), program()).status(), Status::NotFound);
    }

    // Whatever the executable's path holds, the entry written for it must
    // start exactly that file.
    void registeredEntryStartsThisProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("ordlen");
        QTest::newRow("blank") << QStringLiteral("Ordlen app");
        QTest::newRow("shell characters") << QStringLiteral("it's $HOME `x` \"q\" & (1)");
        QTest::newRow("percent") << QStringLiteral("100% ordlen %U");
        QTest::newRow("backslash") << QStringLiteral("back\\slash");
        QTest::newRow("non-ASCII") << QStringLiteral("Ördlen — ✓");
    }

    void registeredEntryStartsThisProgram()
    {
        QFETCH(QString, name);
        const QString path = m_home.filePath(QStringLiteral("bin/") + name);
        QFile binary(path);
        QVERIFY(binary.open(QIODevice::WriteOnly));

        XdgAutostartBackend backend(autostartDir(), path);
        QString error;
        QVERIFY2(backend.registerItem(error), qPrintable(error));
        QCOMPARE(backend.status(), Status::Enabled);

        QFile entryFile(backend.entryPath());
        QVERIFY(entryFile.open(QIODevice::ReadOnly));
        const auto entry = DesktopEntry::parse(entryFile.readAll());
        QVERIFY(entry);
        QCOMPARE(DesktopEntry::splitExec(entry->value(QStringLiteral("Exec"))), QStringList{path});
        // Another program's entry reader must not take it for its own.
        QCOMPARE(XdgAutostartBackend(autostartDir(), program()).status(),
                 name == QLatin1String("ordlen") ? Status::Enabled : Status::NotFound);
    }

    void registerReplacesEntrySwitchedOff()
    {
        writeEntry("[Desktop Entry]\nType=Application\nExec=" + program().toUtf8() + "\nHidden=true\n");
        XdgAutostartBackend backend(autostartDir(), program());
        QCOMPARE(backend.status(), Status::NotRegistered);
        QString error;
        QVERIFY(backend.registerItem(error));
        QCOMPARE(backend.status(), Status::Enabled);
    }

    void registerFailsWhenFolderIsAFile()
    {
        QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("config"))));
        QFile occupied(autostartDir());
        QVERIFY(occupied.open(QIODevice::WriteOnly));
        occupied.write("not a folder");
        occupied.close();

        XdgAutostartBackend backend(autostartDir(), program());
        QString error;
        QVERIFY(!backend.registerItem(error));
        QVERIFY2(error.contains(autostartDir()), qPrintable(error));
        QCOMPARE(backend.status(), Status::NotRegistered);
        QVERIFY(occupied.open(QIODevice::ReadOnly));
        QCOMPARE(occupied.readAll(), QByteArray("not a folder"));
    }

    void unregister()
    {
        XdgAutostartBackend backend(autostartDir(), program());
        QString error;
        QVERIFY2(backend.unregisterItem(error), "nothing to remove is no failure");
        QVERIFY(backend.registerItem(error));
        QVERIFY(backend.unregisterItem(error));
        QVERIFY(!QFile::exists(backend.entryPath()));
        QCOMPARE(backend.status(), Status::NotRegistered);
    }

    void unregisterFailsOnFolder()
    {
        XdgAutostartBackend backend(autostartDir(), program());
        QVERIFY(QDir().mkpath(backend.entryPath()));
        QString error;
        QVERIFY(!backend.unregisterItem(error));
        QVERIFY2(error.contains(backend.entryPath()), qPrintable(error));
        QVERIFY(QFileInfo(backend.entryPath()).isDir());
    }
};

QTEST_GUILESS_MAIN(TestXdgAutostartBackend)
#include "tst_xdgautostartbackend.moc"
