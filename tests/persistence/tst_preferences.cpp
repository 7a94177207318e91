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

namespace {

const QString key = QStringLiteral("ordlen_custom_workspaces");
const QString pinned = QStringLiteral("isPinned");

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeRaw(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// What a reader that never saw this process's writes finds in the file.
std::optional<QStringList> storedList(const QString &path)
{
    return Preferences(path).stringArray(key);
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void roundTrips_data();
    void roundTrips();
    void valuesThatAreNotStringLists_data();
    void valuesThatAreNotStringLists();
    void otherKeysAndBooleansSurviveWrites();
    void writesWithinOneTimestampTickAreAllKept();
    void damagedFileIsNeverOverwritten();
    void fullDiskKeepsThePreviousFile();

private:
    QTemporaryDir m_dir;
};

void TestPreferences::roundTrips_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty list") << QStringList{};
    QTest::newRow("one name") << QStringList{"Work"};
    QTest::newRow("INI syntax inside") << QStringList{
        "Work, Home", "say \"hi\"", "a=b", "x;y", "back\\slash", "[General]", "#not a comment", "  padded "};
    QTest::newRow("emoji and right-to-left")
        << QStringList{QString::fromUtf8("🏠 Home"), QString::fromUtf8("עבודה")};
    QTest::newRow("looks like a Qt value") << QStringList{"@Invalid()", "@Variant(x)", "true"};
}

void TestPreferences::roundTrips()
{
    QFETCH(QStringList, names);
    const QString path = m_dir.filePath(QStringLiteral("round-%1.conf").arg(QTest::currentDataTag()));
    QVERIFY(Preferences(path).setStringArray(key, names));
    QCOMPARE(storedList(path), std::optional<QStringList>(names));
}

void TestPreferences::valuesThatAreNotStringLists_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected"); // {"<nothing>"} for nothing
    QTest::newRow("missing key") << QByteArray("[General]\nother=1\n") << QStringList{"<nothing>"};
    QTest::newRow("byte array") << QByteArray("[General]\nordlen_custom_workspaces=@ByteArray(abc)\n")
                                << QStringList{"<nothing>"};
    QTest::newRow("hand-edited list")
        << QByteArray("[General]\nordlen_custom_workspaces=Work, Home\n") << QStringList{"Work", "Home"};
}

void TestPreferences::valuesThatAreNotStringLists()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    const QString path = m_dir.filePath(QStringLiteral("typed-%1.conf").arg(QTest::currentDataTag()));
    writeRaw(path, file);
    QCOMPARE(storedList(path).value_or(QStringList{"<nothing>"}), expected);
}

void TestPreferences::otherKeysAndBooleansSurviveWrites()
{
    const QString path = m_dir.filePath(QStringLiteral("others.conf"));
    writeRaw(path, "[General]\nisPinned=true\nsomething=else\n");
    Preferences preferences(path);
    QVERIFY(preferences.setStringArray(key, {"Work"}));
    QVERIFY(preferences.remove(key));
    QVERIFY(!preferences.contains(key));
    QVERIFY(Preferences(path).boolValue(pinned, false));
    QCOMPARE(Preferences::read(contentsOf(path)).values.value(QStringLiteral("something")).toString(),
             QStringLiteral("else"));
    QVERIFY(preferences.setBool(pinned, false));
    QVERIFY(!Preferences(path).boolValue(pinned, true));
}

void TestPreferences::writesWithinOneTimestampTickAreAllKept()
{
    // Two writes of the same size that the file system stamps with the same
    // time look unchanged to Qt's per-path cache of settings files.
    const QString path = m_dir.filePath(QStringLiteral("tick.conf"));
    Preferences preferences(path);
    const QByteArray file = QFile::encodeName(path);
    struct stat first
    {
    };
    QVERIFY(preferences.setStringArray(key, {"A"}));
    QVERIFY(::stat(file.constData(), &first) == 0);
    QVERIFY(preferences.setStringArray(key, {"B"}));
    const timespec sameTimes[2] = {first.st_atim, first.st_mtim};
    QVERIFY(::utimensat(AT_FDCWD, file.constData(), sameTimes, 0) == 0);
    QVERIFY(preferences.setBool(pinned, true));
    QCOMPARE(storedList(path), std::optional<QStringList>(QStringList{"B"}));
    QCOMPARE(preferences.stringArray(key), std::optional<QStringList>(QStringList{"B"}));
}

void TestPreferences::damagedFileIsNeverOverwritten()
{
    // Qt reads this without an error but drops every key after the quote.
    const QString path = m_dir.filePath(QStringLiteral("damaged.conf"));
    const QByteArray damaged("[General]\nisPinned=\"true\nordlen_custom_workspaces=Work\nother=kept\n");
    writeRaw(path, damaged);
    Preferences preferences(path);
    CapturedLines lines;
    QCOMPARE(preferences.stringArray(key), std::nullopt); // nothing bogus is shown
    QVERIFY(!preferences.setStringArray(key, {"Home"}));
    QVERIFY(!preferences.setStringArray(key, {"Garden"}));
    QCOMPARE(contentsOf(path), damaged);
    QCOMPARE(lines.lines().size(), 1); // the same failure is reported once
    QVERIFY(lines.lines().constFirst().startsWith(QStringLiteral("Ordlen: Could not save preferences — ")));
}

void TestPreferences::fullDiskKeepsThePreviousFile()
{
    if (::geteuid() != 0)
        QSKIP("mounting a tiny file system needs root");
    QTemporaryDir mountPoint;
    if (::mount("tmpfs", mountPoint.path().toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0)
        QSKIP("could not mount a tmpfs here");
    const QString path = mountPoint.filePath(QStringLiteral("Ordlen.conf"));
    {
        Preferences preferences(path);
        QVERIFY(preferences.setStringArray(WorkspaceList::legacyKey, {"Work", "Home"}));
        const QByteArray before = contentsOf(path);
        QFile filler(mountPoint.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        CapturedLines lines;
        // The legacy list can't be taken over now; it is shown all the same.
        QCOMPARE(WorkspaceList(&preferences).saved(), (QStringList{"Work", "Home"}));
        QVERIFY(!preferences.setStringArray(key, QStringList(400, QStringLiteral("A long workspace name"))));
        QCOMPARE(WorkspaceList(&preferences).saved(), (QStringList{"Work", "Home"}));
        QCOMPARE(lines.lines().size(), 1); // one failure, told once
        QCOMPARE(contentsOf(path), before);
        QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no staging left
    }
    ::umount(mountPoint.path().toLocal8Bit().constData());
}

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
