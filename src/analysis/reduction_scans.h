#pragma once

#include <optional>

namespace ampery::analysis {

// Two components in series: their middle node holds exactly one terminal of
// each; the first comes before the second in the working lists.
struct SeriesMatch {
    int node = -1; // the middle node
    int first = -1;
    int second = -1;
    int firstMiddle = -1; // the first's terminal in the middle node
    int secondMiddle = -1;
};

// Two components in parallel: a terminal of each in one node, their other
// terminals together in the far node; the first comes before the second.
struct ParallelMatch {
    int node = -1;
    int first = -1;
    int second = -1;
    int firstHere = -1; // the first's terminal in the node
    int secondHere = -1;
    int farNode = -1;
};

// The questions the reduction asks of the working network before each step:
// the first entry in list order that a step applies to, as a scan from the
// top of the lists finds it. The analysis answers them from an index that
// follows every edit; the tests answer them by rescanning, and hold the two
// against each other.
class ReductionScans {
public:
    virtual ~ReductionScans() = default;
    // The first component other than the source with a terminal alone in its
    // node, or -1.
    virtual int firstLone() = 0;
    // The first component other than the source with a terminal in no node,
    // or -1.
    virtual int firstUnconnected() = 0;
    // The first node that joins two components in series.
    virtual std::optional<SeriesMatch> firstSeries() = 0;
    // The first node where two components join in parallel: of its pairs,
    // the lowest first component, then the lowest second.
    virtual std::optional<ParallelMatch> firstParallel() = 0;
};

} // namespace ampery::analysis
