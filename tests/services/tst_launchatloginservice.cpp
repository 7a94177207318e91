#include "LaunchAtLoginService.h"
#include "TestSupport.h"
#include "XdgAutostartBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A login-item registry that refuses on demand, for the failures a real
// folder can't be made to produce while running as root.
class RefusingBackend : public LoginItemBackend
{
public:
    explicit RefusingBackend(Status status) : m_status(status) {}
    Status status() const override { return m_status; }
    bool registerItem(QString &errorText) override
    {
        errorText = QStringLiteral("registration refused");
        return false;
    }
    bool unregisterItem(QString &errorText) override
    {
        errorText = QStringLiteral("removal refused");
        return false;
    }

private:
    Status m_status;
};

} // namespace

class TestLaunchAtLoginService : public QObject
{
    Q_OBJECT

private:
    QString autostartDir() const { return m_config.filePath(QStringLiteral("autostart")); }
    QString entryPath() const { return QDir(autostartDir()).filePath(XdgAutostartBackend::entryFileName); }

    std::unique_ptr<LaunchAtLoginService> makeService()
    {
        return std::make_unique<LaunchAtLoginService>(
            std::make_unique<XdgAutostartBackend>(autostartDir(), QCoreApplication::applicationFilePath()));
    }

    QTemporaryDir m_config;

private slots:
    void init()
    {
        QDir(autostartDir()).removeRecursively();
        QFile::remove(autostartDir());
    }

    void startsFromTheRegisteredState()
    {
        QVERIFY(!makeService()->isEnabled());
        QString error;
        QVERIFY(
            XdgAutostartBackend(autostartDir(), QCoreApplication::applicationFilePath()).registerItem(error));
        QVERIFY(makeService()->isEnabled());
    }

    void enableThenDisable()
    {
        auto service = makeService();
        QSignalSpy changed(service.get(), &LaunchAtLoginService::isEnabledChanged);
        CapturedLines lines;

        service->enable();
        QVERIFY(service->isEnabled());
        QVERIFY(QFile::exists(entryPath()));
        service->disable();
        QVERIFY(!service->isEnabled());
        QVERIFY(!QFile::exists(entryPath()));

        QCOMPARE(changed.count(), 2);
        QVERIFY2(lines.lines().isEmpty(), qPrintable(lines.lines().join(u'\n')));
    }

    void failedEnableKeepsStateAndPrintsOneLine()
    {
        QFile occupied(autostartDir());
        QVERIFY(occupied.open(QIODevice::WriteOnly));
        occupied.close();
        auto service = makeService();
        QSignalSpy changed(service.get(), &LaunchAtLoginService::isEnabledChanged);
        CapturedLines lines;

        service->enable();

        QVERIFY(!service->isEnabled());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(lines.lines().size(), 1);
        const QString prefix = QStringLiteral("Ordlen: Could not enable launch at login — ");
        QVERIFY2(lines.lines().first().startsWith(prefix), qPrintable(lines.lines().first()));
        QVERIFY(lines.lines().first().size() > prefix.size());
    }

    void refusedChangesKeepState_data()
    {
        QTest::addColumn<LoginItemBackend::Status>("status");
        QTest::addColumn<bool>("enable");
        QTest::addColumn<QString>("line");
        QTest::newRow("enable refused")
            << LoginItemBackend::Status::NotRegistered << true
            << QStringLiteral("Ordlen: Could not enable launch at login — registration refused");
        QTest::newRow("disable refused")
            << LoginItemBackend::Status::Enabled << false
            << QStringLiteral("Ordlen: Could not disable launch at login — removal refused");
    }

    void refusedChangesKeepState()
    {
        QFETCH(LoginItemBackend::Status, status);
        QFETCH(bool, enable);
        QFETCH(QString, line);
        LaunchAtLoginService service(std::make_unique<RefusingBackend>(status));
        const bool before = service.isEnabled();
        QCOMPARE(before, status == LoginItemBackend::Status::Enabled);
        CapturedLines lines;

        enable ? service.enable() : service.disable();

        QCOMPARE(service.isEnabled(), before);
        QCOMPARE(lines.lines(), QStringList{line});
    }

    void onlyEnabledCounts_data()
    {
        QTest::addColumn<LoginItemBackend::Status>("status");
        QTest::addColumn<bool>("expected");
        QTest::newRow("enabled") << LoginItemBackend::Status::Enabled << true;
        QTest::newRow("not registered") << LoginItemBackend::Status::NotRegistered << false;
        QTest::newRow("requires approval") << LoginItemBackend::Status::RequiresApproval << false;
        QTest::newRow("not found") << LoginItemBackend::Status::NotFound << false;
    }

    void onlyEnabledCounts()
    {
        QFETCH(LoginItemBackend::Status, status);
        QFETCH(bool, expected);
        QCOMPARE(LaunchAtLoginService(std::make_unique<RefusingBackend>(status)).isEnabled(), expected);
    }

    void refreshPicksUpChangesMadeOutside()
    {
        auto service = makeService();
        service->enable();
        QSignalSpy changed(service.get(), &LaunchAtLoginService::isEnabledChanged);

        service->refreshStatus();
        QVERIFY(service->isEnabled());
        QCOMPARE(changed.count(), 1); // announced even though nothing changed

        QFile entry(entryPath());
        QVERIFY(entry.open(QIODevice::Append));
        entry.write("Hidden=true\n");
        entry.close();
        QVERIFY2(service->isEnabled(), "only a refresh reads the entry again");
        service->refreshStatus();
        QVERIFY(!service->isEnabled());

        QVERIFY(QFile::remove(entryPath()));
        service->enable();
        QVERIFY(service->isEnabled());
        QVERIFY(QFile::remove(entryPath()));
        service->refreshStatus();
        QVERIFY(!service->isEnabled());
    }

    // The app's instance writes to $XDG_CONFIG_HOME/autostart and names the
    // running executable.
    void sharedInstanceUsesTheUsersAutostartFolder()
    {
        LaunchAtLoginService &shared = LaunchAtLoginService::shared();
        QCOMPARE(&LaunchAtLoginService::shared(), &shared);
        const QString userEntry =
            XdgAutostartBackend::defaultAutostartDirectory() + QStringLiteral("/ordlen.desktop");
        QVERIFY2(userEntry.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + u'/'), qPrintable(userEntry));

        shared.enable();
        QVERIFY(shared.isEnabled());
        QFile entry(userEntry);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=" + QCoreApplication::applicationFilePath().toUtf8()));
        shared.disable();
        QVERIFY(!QFile::exists(userEntry));
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLoginService)
#include "tst_launchatloginservice.moc"
