#pragma once

#include "first_set.h"
#include "reduction_scans.h"
#include "working_network.h"

#include <optional>
#include <vector>

namespace ampery::analysis {

// The reduction's scans answered from an index instead of a rescan of the
// working lists after every step. Each kind of step keeps the set of entries
// that qualify for it; an edit marks the entries it can affect (the
// components at the terminals it moved, of every component of their name,
// and the nodes at their other ends), and the next question looks at those
// again before taking the lowest entry of its set.
class ScanIndex final : public ReductionScans, private WorkingNetwork::Watcher {
public:
    // Watches the working network from now on, and marks every entry to be
    // looked at.
    explicit ScanIndex(WorkingNetwork& work);
    ~ScanIndex() override;
    ScanIndex(const ScanIndex&) = delete;
    ScanIndex& operator=(const ScanIndex&) = delete;

    int firstLone() override;
    int firstUnconnected() override;
    std::optional<SeriesMatch> firstSeries() override;
    std::optional<ParallelMatch> firstParallel() override;

private:
    // WorkingNetwork::Watcher
    void componentAppended(int component) override;
    void componentChanged(int component) override;
    void nodeChanged(int node) override;
    void terminalMoved(int terminal) override;
    void nodeEdited(int node) override;

    bool lone(int component) const;
    bool unconnected(int component) const;
    std::optional<SeriesMatch> seriesAt(int node) const;
    std::optional<ParallelMatch> parallelAt(int node) const;
    bool stillHolds(const ParallelMatch& match) const;

    // The lowest component of the set that still qualifies.
    int firstComponent(FirstSet& set, bool (ScanIndex::*qualifies)(int) const);
    void markOwners(int terminal);
    void refreshComponents();
    void refreshSeries();
    void refreshParallel();

    WorkingNetwork& m_work;

    // Entries whose qualification may have changed since the last look.
    std::vector<int> m_changedComponents, m_changedSeries, m_changedParallel;
    std::vector<char> m_componentChanged, m_seriesChanged, m_parallelChanged;
    FirstSet m_lone, m_unconnected, m_series, m_parallel;
    std::vector<ParallelMatch> m_parallelMatch; // per node, while its bit is set

    // parallelAt's working space, per far node id: the two lowest components
    // whose other terminal lies there (kept to spare allocations).
    struct Pair {
        int first = -1, firstTerminal = -1, second = -1, secondTerminal = -1;
    };
    mutable std::vector<Pair> m_pairs;
    mutable std::vector<int> m_pairNodes;
};

} // namespace ampery::analysis
