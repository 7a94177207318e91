#include "Preferences.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString key = u"ordlen_custom_workspaces"_s;
const QString pinned = u"isPinned"_s;

// What a reader that never saw this process's writes finds in the file.
std::optional<QStringList> storedList(const QString &path)
{
    return Preferences(path).stringArray(key);
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // A list written and read again, or a file written by hand (null list: nothing read).
    void readsBack_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: the list is written
        QTest::addColumn<QStringList>("list");
        const QByteArray written;
        QTest::newRow("empty list") << written << QStringList{};
        QTest::newRow("one name") << written << QStringList{"Work"};
        QTest::newRow("INI syntax inside")
            << written << QStringList{"Work, Home", "say \"hi\"",     "a=b",      "x;y", "back\\slash",
                                      "[General]",  "#not a comment", "  padded "};
        QTest::newRow("emoji and right-to-left") << written << QStringList{"🏠 Home", "עבודה"};
        QTest::newRow("looks like a Qt value") << written << QStringList{"@Invalid()", "@Variant(x)", "true"};
        QTest::newRow("missing key") << "[General]\nother=1\n"_ba << QStringList();
        QTest::newRow("byte array") << "[General]\nordlen_custom_workspaces=@ByteArray(abc)\n"_ba
                                    << QStringList();
        QTest::newRow("hand-edited list")
            << "[General]\nordlen_custom_workspaces=Work, Home\n"_ba << QStringList{"Work", "Home"};
    }

    void readsBack()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, list);
        const QString path = m_dir.filePath(u"%1.conf"_s.arg(QTest::currentDataTag()));
        if (file.isNull())
            QVERIFY(Preferences(path).setStringArray(key, list));
        else
            writeFile(path, file);
        QCOMPARE(storedList(path), file.isNull() || !list.isEmpty() ? std::optional(list) : std::nullopt);
    }

    void otherKeysAndBooleansSurviveWrites()
    {
        const QString path = m_dir.filePath(u"others.conf"_s);
        writeFile(path, "[General]\nisPinned=true\nsomething=else\n");
        Preferences preferences(path);
        QVERIFY(preferences.setStringArray(key, {"Work"}));
        QVERIFY(preferences.remove(key));
        QVERIFY(!preferences.contains(key));
        QVERIFY(Preferences(path).boolValue(pinned, false));
        QCOMPARE(Preferences::read(contentsOf(path)).values.value("something").toString(), "else");
        QVERIFY(preferences.setBool(pinned, false));
        QVERIFY(!Preferences(path).boolValue(pinned, true));
    }

    // Two writes of the same size that the file system stamps with the same
    // time look unchanged to Qt's per-path cache of settings files.
    void writesWithinOneTimestampTickAreAllKept()
    {
        const QString path = m_dir.filePath(u"tick.conf"_s);
        Preferences preferences(path);
        const QByteArray file = QFile::encodeName(path);
        struct stat first = {};
        QVERIFY(preferences.setStringArray(key, {"A"}) && ::stat(file.constData(), &first) == 0);
        QVERIFY(preferences.setStringArray(key, {"B"}));
        const timespec sameTimes[2] = {first.st_atim, first.st_mtim};
        QVERIFY(::utimensat(AT_FDCWD, file.constData(), sameTimes, 0) == 0);
        QVERIFY(preferences.setBool(pinned, true));
        QCOMPARE(storedList(path), std::optional(QStringList{"B"}));
        QCOMPARE(preferences.stringArray(key), std::optional(QStringList{"B"}));
    }

    void damagedFileIsNeverOverwritten()
    {
        // Qt reads this without an error but drops every key after the quote.
        const QString path = m_dir.filePath(u"damaged.conf"_s);
        const QByteArray damaged("[General]\nisPinned=\"true\nordlen_custom_workspaces=Work\nother=kept\n");
        writeFile(path, damaged);
        Preferences preferences(path);
        CapturedLines lines;
        QCOMPARE(preferences.stringArray(key), std::nullopt); // nothing bogus is shown
        QVERIFY(!preferences.setStringArray(key, {"Home"}));
        QVERIFY(!preferences.setStringArray(key, {"Garden"}));
        QCOMPARE(contentsOf(path), damaged);
        QCOMPARE(lines.lines().size(), 1); // the same failure is reported once
        QVERIFY(lines.lines().constFirst().startsWith("Ordlen: Could not save preferences — "));
    }

    void fullDiskKeepsThePreviousFile()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a tiny file system needs root");
        QTemporaryDir mountPoint;
        const QByteArray mounted = mountPoint.path().toLocal8Bit();
        if (::mount("tmpfs", mounted.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP("could not mount a tmpfs here");
        const QString path = mountPoint.filePath(u"Ordlen.conf"_s);
        {
            Preferences preferences(path);
            QVERIFY(preferences.setStringArray(WorkspaceList::legacyKey, {"Work", "Home"}));
            const QByteArray before = contentsOf(path);
            QFile filler(mountPoint.filePath(u"filler"_s));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
            }
            filler.close();

            CapturedLines lines;
            // The legacy list can't be taken over now; it is shown all the same.
            QCOMPARE(WorkspaceList(&preferences).saved(), (QStringList{"Work", "Home"}));
            QVERIFY(!preferences.setStringArray(key, QStringList(400, u"A long workspace name"_s)));
            QCOMPARE(WorkspaceList(&preferences).saved(), (QStringList{"Work", "Home"}));
            QCOMPARE(lines.lines().size(), 1); // one failure, told once
            QCOMPARE(contentsOf(path), before);
            QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden).size(),
                     2); // no staging left
        }
        ::umount(mounted.constData());
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
