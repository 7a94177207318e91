// Any file named OrdlenStore.sqlite must open or be refused without a crash,
// and a refused file must be left exactly as it was.

#include "DiagnosticLog.h"
#include "FuzzTarget.h"
#include "ModelContainer.h"
#include "ModelContext.h"
#include "Preferences.h"
#include "StoreError.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskStore.h"

#include <QMetaProperty>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DiagnosticLog::setSink([](const QString &) {});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OrdlenStore.sqlite"));
    const QByteArray input = writeInput(path, data, size);
    std::unique_ptr<ModelContainer> container;
    try {
        container = ModelContainer::open(ModelConfiguration::onDisk(path));
    } catch (const StoreError &) {
        if (contentsOf(path) != input)
            std::abort();
        return 0;
    }
    // Read every property, so whatever was loaded from the file gets used.
    size_t digest = 0;
    auto readAll = [&digest](const QObject *record) {
        for (int i = 0; i < record->metaObject()->propertyCount(); ++i)
            digest += qHash(record->metaObject()->property(i).read(record).toString());
    };
    for (const TaskItem *task : container->mainContext()->fetchTasks()) {
        readAll(task);
        for (const SubTaskItem *subtask : task->subtasks())
            readAll(subtask);
    }
    Preferences preferences(dir.filePath(QStringLiteral("Ordlen.conf")));
    TaskStore(container->mainContext(), &preferences).addTask(QString::number(digest));
    return 0;
}
