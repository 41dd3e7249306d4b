#pragma once

#include "first_set.h"
#include "parallel_pairs.h"
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
// again before taking the lowest entry of its set. Parallel pairs are kept
// by ParallelPairs, from the terminals each edit moved.
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

    // The lowest component of the set that still qualifies.
    int firstComponent(FirstSet& set, bool (ScanIndex::*qualifies)(int) const);
    void markComponent(int component) {
        if (component >= 0 && !m_componentChanged[static_cast<std::size_t>(component)]) {
            m_componentChanged[static_cast<std::size_t>(component)] = 1;
            m_changedComponents.push_back(component);
        }
    }
    void markNode(int node) {
        if (node >= 0 && !m_seriesChanged[static_cast<std::size_t>(node)]) {
            m_seriesChanged[static_cast<std::size_t>(node)] = 1;
            m_changedSeries.push_back(node);
        }
    }
    void markOwners(int terminal);
    // Room in the per-component lists for components numbered below count.
    void makeRoomForComponents(int count);
    void refreshComponents();
    void refreshSeries();

    WorkingNetwork& m_work;

    // Entries whose qualification may have changed since the last look.
    std::vector<int> m_changedComponents, m_changedSeries;
    std::vector<char> m_componentChanged, m_seriesChanged;
    FirstSet m_lone, m_unconnected, m_series;
    ParallelPairs m_parallel;
};

} // namespace ampery::analysis
