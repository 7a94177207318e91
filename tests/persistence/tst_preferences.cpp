#include "Preferences.h"
#include "TestSupport.h"
#include "WorkspaceList.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString key = QStringLiteral("ordlen_custom_workspaces");

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

// Reads the key in a fresh process, so nothing can come from a cache.
QStringList readInOtherProcess(const QString &path)
{
    QProcess reader;
    reader.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--read"), path});
    reader.waitForFinished(30000);
    const QString out = QString::fromUtf8(reader.readAllStandardOutput());
    if (out == QLatin1String("<nothing>"))
        return {QStringLiteral("<nothing>")};
    return out.split(QChar(0x1F), Qt::KeepEmptyParts).mid(1);
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
    void otherKeysSurviveAWrite();
    void booleans();
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
    QTest::newRow("comma inside") << QStringList{"Work, Home"};
    QTest::newRow("quotes, equals, semicolon") << QStringList{"say \"hi\"", "a=b", "x;y", "back\\slash"};
    QTest::newRow("emoji and right-to-left")
        << QStringList{QString::fromUtf8("🏠 Home"), QString::fromUtf8("עבודה"), QString::fromUtf8("عمل")};
    QTest::newRow("looks like a Qt value") << QStringList{"@Invalid()", "@Variant(x)", "true"};
    QTest::newRow("brackets and hash") << QStringList{"[General]", "#not a comment", "%percent"};
}

void TestPreferences::roundTrips()
{
    QFETCH(QStringList, names);
    const QString path = m_dir.filePath(QStringLiteral("round-%1.conf").arg(QTest::currentDataTag()));
    Preferences preferences(path);
    QVERIFY(preferences.setStringArray(key, names));
    QCOMPARE(preferences.stringArray(key), std::optional<QStringList>(names));
    QCOMPARE(readInOtherProcess(path), names);
}

void TestPreferences::valuesThatAreNotStringLists_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected"); // {"<nothing>"} for nothing
    QTest::newRow("missing key") << QByteArray("[General]\nother=1\n") << QStringList{"<nothing>"};
    QTest::newRow("number")
        << QByteArray("[General]\nordlen_custom_workspaces=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n")
        << QStringList{"<nothing>"};
    QTest::newRow("byte array") << QByteArray("[General]\nordlen_custom_workspaces=@ByteArray(abc)\n")
                                << QStringList{"<nothing>"};
    QTest::newRow("hand-edited list")
        << QByteArray("[General]\nordlen_custom_workspaces=Work, Home\n") << QStringList{"Work", "Home"};
    QTest::newRow("plain word") << QByteArray("[General]\nordlen_custom_workspaces=Work\n")
                                << QStringList{"Work"};
}

void TestPreferences::valuesThatAreNotStringLists()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    const QString path = m_dir.filePath(QStringLiteral("typed-%1.conf").arg(QTest::currentDataTag()));
    writeRaw(path, file);
    const auto value = Preferences(path).stringArray(key);
    QCOMPARE(value.value_or(QStringList{"<nothing>"}), expected);
}

void TestPreferences::otherKeysSurviveAWrite()
{
    const QString path = m_dir.filePath(QStringLiteral("others.conf"));
    writeRaw(path, "[General]\nisPinned=true\nsomething=else\n");
    Preferences preferences(path);
    QVERIFY(preferences.setStringArray(key, {"Work"}));
    QVERIFY(preferences.boolValue(QStringLiteral("isPinned"), false));
    QCOMPARE(Preferences::read(contentsOf(path)).values.value(QStringLiteral("something")).toString(),
             QStringLiteral("else"));
    QVERIFY(preferences.remove(key));
    QVERIFY(!preferences.contains(key));
    QVERIFY(preferences.boolValue(QStringLiteral("isPinned"), false));
}

void TestPreferences::booleans()
{
    Preferences preferences(m_dir.filePath(QStringLiteral("bool.conf")));
    QVERIFY(!preferences.boolValue(QStringLiteral("isPinned"), false));
    QVERIFY(preferences.setBool(QStringLiteral("isPinned"), true));
    QVERIFY(preferences.boolValue(QStringLiteral("isPinned"), false));
    QVERIFY(preferences.setBool(QStringLiteral("isPinned"), false));
    QVERIFY(!preferences.boolValue(QStringLiteral("isPinned"), true));
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
    QVERIFY(preferences.setBool(QStringLiteral("isPinned"), true));
    QCOMPARE(readInOtherProcess(path), QStringList{"B"});
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

        // Fill the file system, leaving too little room for a larger list.
        QFile filler(mountPoint.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();

        CapturedLines lines;
        // The legacy list can't be taken over now; it is shown all the same.
        QCOMPARE(WorkspaceList(&preferences).saved(), (QStringList{"Work", "Home"}));
        QStringList many;
        for (int i = 0; i < 400; ++i)
            many.append(QStringLiteral("Workspace number %1").arg(i));
        QVERIFY(!preferences.setStringArray(key, many));
        QCOMPARE(WorkspaceList(&preferences).saved(), (QStringList{"Work", "Home"}));
        QCOMPARE(lines.lines().size(), 1); // one failure, told once
        QCOMPARE(contentsOf(path), before);
        // No staging files are left behind.
        QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
    ::umount(mountPoint.path().toLocal8Bit().constData());
}

int main(int argc, char *argv[])
{
    // Child mode: print the key's list, units separated by U+001F.
    if (argc == 3 && qstrcmp(argv[1], "--read") == 0) {
        QCoreApplication app(argc, argv);
        const auto value = Preferences(QString::fromLocal8Bit(argv[2])).stringArray(key);
        QString out;
        if (!value)
            out = QStringLiteral("<nothing>");
        else
            for (const QString &name : *value)
                out += QChar(0x1F) + name;
        fputs(out.toUtf8().constData(), stdout);
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestPreferences test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_preferences.moc"
