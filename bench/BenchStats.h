#pragma once

// Figures shared by the benchmarks: medians and percentiles of samples, and a Google Benchmark
// reporter that keeps each benchmark's median rate so that main() can print ratios.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace bench {

inline double percentile(std::vector<double> values, int percent)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() * size_t(percent) / 100];
}

inline double median(std::vector<double> values)
{
    return percentile(std::move(values), 50);
}

inline double percentile90(std::vector<double> values)
{
    return percentile(std::move(values), 90);
}

// Keeps the median "items_per_second" of every benchmark run with repetitions.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                rates[run.run_name.function_name] = run.counters.at("items_per_second");
        }
    }

    std::map<std::string, double> rates;
};

} // namespace bench
