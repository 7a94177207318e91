#include "SingleInstance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_key = QStringLiteral("ordlen-test");

private slots:
    void init()
    {
        QFile::remove(QDir(m_dir.path()).filePath(m_key + QStringLiteral(".lock")));
        QFile::remove(QDir(m_dir.path()).filePath(m_key + QStringLiteral(".socket")));
    }

    void onlyTheFirstClaims()
    {
        SingleInstance first(m_dir.path(), m_key);
        SingleInstance second(m_dir.path(), m_key);
        SingleInstance otherDataFolder(m_dir.path(), SingleInstance::keyFor(QStringLiteral("/elsewhere")));
        QVERIFY(first.claim());
        QVERIFY(!second.claim());
        QVERIFY(otherDataFolder.claim());
    }

    void keysFollowTheDataFolder()
    {
        QCOMPARE(SingleInstance::keyFor(QStringLiteral("/a/Ordlen")),
                 SingleInstance::keyFor(QStringLiteral("/a//Ordlen/")));
        QVERIFY(SingleInstance::keyFor(QStringLiteral("/a/Ordlen")) !=
                SingleInstance::keyFor(QStringLiteral("/b/Ordlen")));
    }

    void secondLaunchAsksTheFirstToShow()
    {
        SingleInstance first(m_dir.path(), m_key);
        QVERIFY(first.claim());
        QSignalSpy shown(&first, &SingleInstance::activationRequested);

        SingleInstance second(m_dir.path(), m_key);
        QVERIFY(!second.claim());
        QString error;
        QVERIFY2(second.notifyRunningInstance(1000, error), qPrintable(error));
        QTRY_COMPARE(shown.count(), 1);
    }

    void noAnswerGivesUpInTime()
    {
        SingleInstance nobody(m_dir.path(), m_key);
        QElapsedTimer timer;
        timer.start();
        QString error;
        QVERIFY(!nobody.notifyRunningInstance(200, error));
        QVERIFY(!error.isEmpty());
        QVERIFY2(timer.elapsed() < 5000, "bounded by its timeout, not by the system's");
    }

    // A killed instance leaves its lock and its socket file behind.
    void takesOverFromAKilledInstance()
    {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            SingleInstance killed(m_dir.path(), m_key);
            // _exit skips every destructor, as SIGKILL would.
            _exit(killed.claim() ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        SingleInstance probe(m_dir.path(), m_key);
        QVERIFY(QFile::exists(probe.lockPath()));
        QVERIFY(QFile::exists(probe.socketPath()));

        SingleInstance next(m_dir.path(), m_key);
        QVERIFY(next.claim());
        QSignalSpy shown(&next, &SingleInstance::activationRequested);
        QString error;
        QVERIFY2(probe.notifyRunningInstance(1000, error), qPrintable(error));
        QTRY_COMPARE(shown.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
