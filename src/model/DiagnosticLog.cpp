#include "DiagnosticLog.h"

#include <cstdio>

namespace DiagnosticLog {

namespace {
Sink &currentSink()
{
    static Sink sink;
    return sink;
}
} // namespace

void write(const QString &line)
{
    if (currentSink()) {
        currentSink()(line);
        return;
    }
    const QByteArray utf8 = line.toUtf8() + '\n';
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fflush(stdout);
}

void setSink(Sink sink)
{
    currentSink() = std::move(sink);
}

} // namespace DiagnosticLog
