#include "BenchReporter.h"

#include <cstdio>

bool BenchReporter::ReportContext(const Context &)
{
    return true;
}

void BenchReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        const std::string name = run.benchmark_name();
        if (run.error_occurred) {
            std::fprintf(stderr, "bench: %s failed: %s\n", name.c_str(), run.error_message.c_str());
            m_failed = true;
            continue;
        }
        if (run.iterations == 0)
            continue;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type != Run::RT_Iteration && !median)
            continue;
        std::string key = run.run_name.function_name;
        if (!run.run_name.args.empty())
            key += "/" + run.run_name.args;
        // Repeated, only the median counts.
        if (run.repetitions > 1 && !median)
            continue;
        const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        m_times[key] = seconds * 1e6;
        std::fprintf(stderr, "  %-40s %12.1f us\n", name.c_str(), m_times[key]);
    }
}

double BenchReporter::microseconds(const std::string &name) const
{
    const auto it = m_times.find(name);
    return it == m_times.end() ? NAN : it->second;
}

bool BenchReporter::printFigure(const std::string &name, double value, const std::string &unit,
                                double baseline)
{
    if (!std::isfinite(value)) {
        std::fprintf(stderr, "bench: %s was not measured\n", name.c_str());
        return false;
    }
    if (std::isfinite(baseline))
        std::printf("figure %s %.2f %s %.2f\n", name.c_str(), value, unit.c_str(), baseline);
    else
        std::printf("figure %s %.2f %s -\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
    return true;
}
