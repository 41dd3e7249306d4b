#pragma once

#include "analysis/freed_memory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace ampery::bench {

// time(numerator) / time(denominator), by benchmark names as printed.
struct Ratio {
    std::string numerator;
    std::string denominator;
};

// Keeps the median real and CPU time of every benchmark (or of its single run
// without repetitions) so that ratios measured in one run can be printed at
// the end.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                m_failed = true;
                continue;
            }
            const Times times{run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_median[run.run_name.str()] = times;
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                m_median.emplace(run.run_name.str(), times);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints nothing when either benchmark did not run or failed.
    void printRatio(const Ratio& ratio) const {
        const auto n = m_median.find(ratio.numerator);
        const auto d = m_median.find(ratio.denominator);
        if (n == m_median.end() || d == m_median.end() || d->second.real <= 0 || d->second.cpu <= 0)
            return;
        std::printf("time(%s) / time(%s): %.2f real, %.2f CPU\n", ratio.numerator.c_str(),
                    ratio.denominator.c_str(), n->second.real / d->second.real,
                    n->second.cpu / d->second.cpu);
    }

    // Some benchmark stopped with an error.
    bool failed() const { return m_failed; }

private:
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    std::map<std::string, Times> m_median;
    bool m_failed = false;
};

// Runs the benchmarks registered in this program with the command line's
// options, then prints the ratios from the medians of the same run. Returns 1
// when a benchmark stopped with an error.
inline int runBenchmarks(int argc, char** argv, const std::vector<Ratio>& ratios) {
    // As the program does: the analyses are measured with the memory they
    // free kept for the next one.
    analysis::keepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Ratio& ratio : ratios)
        reporter.printRatio(ratio);
    benchmark::Shutdown();
    return reporter.failed() ? 1 : 0;
}

} // namespace ampery::bench
