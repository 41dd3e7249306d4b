#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace ampery::bench {

// Keeps the median real and CPU time of every benchmark (or of its single run
// without repetitions) so that ratios measured in one run can be printed at
// the end.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const Times times{run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_median[run.run_name.str()] = times;
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                m_median.emplace(run.run_name.str(), times);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const std::string& numerator, const std::string& denominator) const {
        const auto n = m_median.find(numerator);
        const auto d = m_median.find(denominator);
        if (n == m_median.end() || d == m_median.end() || d->second.real <= 0 || d->second.cpu <= 0)
            return;
        std::printf("time(%s) / time(%s): %.2f real, %.2f CPU\n", numerator.c_str(),
                    denominator.c_str(), n->second.real / d->second.real,
                    n->second.cpu / d->second.cpu);
    }

private:
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    std::map<std::string, Times> m_median;
};

// Runs the benchmarks registered in this program with the command line's
// options, then prints time(numerator) / time(denominator) from the medians
// of the same run.
inline int runBenchmarks(int argc, char** argv, const std::string& numerator,
                         const std::string& denominator) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio(numerator, denominator);
    benchmark::Shutdown();
    return 0;
}

} // namespace ampery::bench
