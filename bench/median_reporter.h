#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace ampery::bench {

// Keeps the median real time of every benchmark (or its single run without
// repetitions) so that ratios measured in one run can be printed at the end.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_median[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                m_median.emplace(name, run.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatio(const std::string& numerator, const std::string& denominator) const {
        const auto n = m_median.find(numerator);
        const auto d = m_median.find(denominator);
        if (n != m_median.end() && d != m_median.end() && d->second > 0)
            std::printf("time(%s) / time(%s) = %.2f\n", numerator.c_str(), denominator.c_str(),
                        n->second / d->second);
    }

private:
    std::map<std::string, double> m_median;
};

} // namespace ampery::bench
