#pragma once

#include "../../support/StoreFixture.h"
#include "LaunchAtLoginService.h"
#include "PanelPreferences.h"
#include "TaskListModel.h"
#include "XdgAutostartBackend.h"

#include <QAbstractItemModelTester>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// For Quick tests: the C++ tests' store fixture, in memory, one per fixture
// object, with the panel's list of it.
class TaskStoreFixture : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(TaskStore *store READ store CONSTANT)
    Q_PROPERTY(TaskListModel *taskList READ taskList CONSTANT)
    Q_PROPERTY(PanelPreferences *panelPreferences READ panelPreferences CONSTANT)
    // Over an autostart folder of its own.
    Q_PROPERTY(LaunchAtLoginService *loginItems READ loginItems CONSTANT)

public:
    using QObject::QObject;

    TaskStore *store() const { return &*m_base.store; }
    TaskListModel *taskList() const { return m_taskList.get(); }
    PanelPreferences *panelPreferences() const { return m_panelPreferences.get(); }
    LaunchAtLoginService *loginItems() const { return m_loginItems.get(); }

    // Makes every later write of the preferences fail, as a file that can't
    // be read completely does.
    Q_INVOKABLE void breakPreferences()
    {
        QFile file(m_base.preferences.filePath());
        if (!file.open(QIODevice::Append) || file.write("broken=\"unterminated\nafter=1\n") < 0)
            qFatal("TaskStoreFixture: could not break the preferences");
    }

    // How long a task ticked under Pending stays out of the list.
    Q_INVOKABLE void setHoldBackInterval(int milliseconds) { m_taskList->setHoldBackInterval(milliseconds); }

    // How many tasks the store holds, read back from it rather than a view.
    Q_INVOKABLE int taskCount() const { return static_cast<int>(m_base.allTasks().size()); }

private:
    mutable StoreFixture m_base{true};
    std::unique_ptr<TaskListModel> m_taskList = std::make_unique<TaskListModel>(store());
    std::unique_ptr<PanelPreferences> m_panelPreferences =
        std::make_unique<PanelPreferences>(&m_base.preferences);
    std::unique_ptr<LaunchAtLoginService> m_loginItems =
        std::make_unique<LaunchAtLoginService>(std::make_unique<XdgAutostartBackend>(
            m_base.dir.filePath(QStringLiteral("autostart")), QCoreApplication::applicationFilePath()));
    QAbstractItemModelTester m_taskListTester{m_taskList.get(),
                                              QAbstractItemModelTester::FailureReportingMode::QtTest};
};
