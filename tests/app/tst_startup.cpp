#include "ModelContainer.h"
#include "SingleInstance.h"
#include "StorageBootstrap.h"
#include "TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

// Before anything shows: one instance per data folder, and the store it runs on.
class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // A killed instance leaves its lock and socket files behind: they must
    // not keep the next one from starting, nor from being found.
    void oneInstancePerDataFolder()
    {
        const QString key = SingleInstance::keyFor(QStringLiteral("/data/Ordlen"));
        QCOMPARE(SingleInstance::keyFor(QStringLiteral("/data//Ordlen/")), key);
        if (fork() == 0) // _exit skips every destructor, as SIGKILL would.
            _exit(SingleInstance(m_dir.path(), key).claim() ? 0 : 1);
        int status = -1;
        QVERIFY(::wait(&status) > 0 && status == 0);
        SingleInstance first(m_dir.path(), key), second(m_dir.path(), key);
        QString error;
        QVERIFY2(!second.notifyRunningInstance(200, error) && !error.isEmpty(), "nobody listens yet");
        QVERIFY(first.claim() && !second.claim());
        QVERIFY(SingleInstance(m_dir.path(), SingleInstance::keyFor(QStringLiteral("/other"))).claim());
        QVERIFY2(SingleInstance(m_dir.filePath(QStringLiteral("gone")), key).claim(), "no lock: run anyway");
        QSignalSpy shown(&first, &SingleInstance::activationRequested);
        QVERIFY2(second.notifyRunningInstance(1000, error), qPrintable(error));
        QTRY_COMPARE(shown.count(), 1);
    }

    // A folder made for the store is its owner's only; one that exists keeps its mode.
    void storeFolderIsPrivate()
    {
        QTemporaryDir dir;
        const QString made = dir.filePath(QStringLiteral("a/b"));
        const auto othersRead = QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | othersRead));
        QString problem = QStringLiteral("(left from before)");
        QVERIFY(!StorageBootstrap::makeModelContainer(made, &problem)->configuration().isStoredInMemoryOnly);
        QCOMPARE(problem, QString());
        StorageBootstrap::makeModelContainer(dir.path());
        QCOMPARE(QFile::permissions(made) & othersRead, QFile::Permissions());
        QCOMPARE(QFile::permissions(dir.path()) & othersRead, othersRead);
    }

    // A file the store refuses (which ones, and that it keeps them byte for
    // byte, is the container's): the app runs on memory, says why, and
    // leaves the file as it was.
    void refusedStoreFileFallsBackToMemoryUntouched()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(StorageBootstrap::storeFileName);
        const QByteArray text("milk\n");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
        file.close();
        CapturedLines lines;
        QString problem;
        QVERIFY(
            StorageBootstrap::makeModelContainer(dir.path(), &problem)->configuration().isStoredInMemoryOnly);
        QVERIFY2(problem.contains(QStringLiteral("not a database"), Qt::CaseInsensitive),
                 qPrintable(problem));
        // The line says why and which file, for nothing else tells the user.
        QCOMPARE(lines.lines().size(), 1);
        QVERIFY2(lines.lines()[0].startsWith(
                     "Ordlen: Error initializing SwiftData, falling back to memory: " + problem) &&
                     lines.lines()[0].contains(path),
                 qPrintable(lines.lines()[0]));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), text);
        QVERIFY(QFile::remove(path + QStringLiteral(".lock")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList(StorageBootstrap::storeFileName));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
