#pragma once

#include <QString>

// Where a container keeps its records: in a file, or in memory only.
struct ModelConfiguration
{
    bool isStoredInMemoryOnly = false;
    QString path;

    static ModelConfiguration onDisk(const QString &path) { return {false, path}; }
    static ModelConfiguration inMemory() { return {true, {}}; }
};
