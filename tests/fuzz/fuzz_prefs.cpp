// Any preferences file must be read without a crash, and a write that reports
// failure must leave the file exactly as it was.

#include "DiagnosticLog.h"
#include "FuzzTarget.h"
#include "Preferences.h"
#include "TaskStore.h"
#include "WorkspaceList.h"

#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DiagnosticLog::setSink([](const QString &) {});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ordlen.conf"));
    const QByteArray input = writeInput(path, data, size);
    Preferences preferences(path);
    preferences.stringArray(WorkspaceList::savedKey);
    preferences.stringArray(WorkspaceList::legacyKey);
    preferences.boolValue(QStringLiteral("isPinned"), false);
    if (!preferences.setStringArray(WorkspaceList::savedKey, {QStringLiteral("Fuzz")}) &&
        contentsOf(path) != input)
        std::abort();
    return 0;
}
