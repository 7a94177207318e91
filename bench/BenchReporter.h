#pragma once

#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <string>
#include <vector>

// Collects each benchmark's time and prints one progress line per benchmark
// to standard error: standard output carries only the figures, which
// scripts/bench.sh gathers from every benchmark program into one table.
class BenchReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;

    // Real time per iteration in microseconds (the median when repeated);
    // NaN when the benchmark did not run.
    double microseconds(const std::string &name) const;
    // Whether a benchmark reported an error.
    bool failed() const { return m_failed; }

    // "figure <name> <value> <unit> <baseline>", the baseline being the
    // same figure for the floor we compare against, measured in the same run
    // (or "-"). False, with a line on standard error, when value is NaN.
    static bool printFigure(const std::string &name, double value, const std::string &unit,
                            double baseline = NAN);

private:
    std::map<std::string, double> m_times;
    bool m_failed = false;
};
