#pragma once

#include <QString>
#include <functional>

// The app's failure lines on standard output: one line each, starting with
// "Ordlen: ". Tests can capture them instead.
namespace DiagnosticLog {

void write(const QString &line);

using Sink = std::function<void(const QString &line)>;
// Replaces standard output; an empty sink restores it.
void setSink(Sink sink);

} // namespace DiagnosticLog
