#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The console report, plus a closing table of ratios between benchmarks
// measured in the same run (the disk's speed swings too much between runs
// for absolute figures to compare).
class BenchReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    // Real time per iteration in microseconds (the median when repeated).
    double microseconds(const std::string &name) const;
    void printRatio(const std::string &label, const std::string &ours, const std::string &baseline,
                    double target) const;

private:
    std::map<std::string, double> m_times;
};
