#include "BenchReporter.h"

#include <cstdio>

void BenchReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.error_occurred || run.iterations == 0)
            continue;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Iteration || median) {
            const double seconds =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            if (median || !m_times.count(name))
                m_times[name] = seconds * 1e6;
        }
    }
}

double BenchReporter::microseconds(const std::string &name) const
{
    const auto it = m_times.find(name);
    return it == m_times.end() ? 0.0 : it->second;
}

void BenchReporter::printRatio(const std::string &label, const std::string &ours, const std::string &baseline,
                               double target) const
{
    const double a = microseconds(ours);
    const double b = microseconds(baseline);
    if (a <= 0 || b <= 0) {
        std::printf("%-44s (not measured)\n", label.c_str());
        return;
    }
    const double ratio = a / b;
    std::printf("%-44s %10.1f us vs %10.1f us  ratio %.2f  (target <= %.2f: %s)\n", label.c_str(), a, b,
                ratio, target, ratio <= target ? "met" : "MISSED");
}
