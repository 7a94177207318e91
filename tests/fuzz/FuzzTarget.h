#pragma once

#include "TestSupport.h"

#include <cstddef>
#include <cstdint>

// Called by libFuzzer, or by the corpus replay in the normal build.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// Writes the input as the file and returns it, to compare the file with later.
inline QByteArray writeInput(const QString &path, const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
        qFatal("cannot write %s", qPrintable(path));
    return input;
}
