#include "scan_index.h"

#include "list_index.h"

namespace ampery::analysis {

// --- what qualifies --------------------------------------------------------

bool ScanIndex::lone(int component) const {
    const WorkingComponent& w = m_work.components()[at(component)];
    return m_work.scannable(component) &&
           (m_work.nodeSize(w.positive) == 1 || m_work.nodeSize(w.negative) == 1);
}

bool ScanIndex::unconnected(int component) const {
    const WorkingComponent& w = m_work.components()[at(component)];
    return m_work.scannable(component) &&
           (m_work.nodeOf(w.positive) < 0 || m_work.nodeOf(w.negative) < 0);
}

std::optional<SeriesMatch> ScanIndex::seriesAt(int node) const {
    const std::vector<int>& members = m_work.allNodes()[at(node)];
    if (members.size() != 2)
        return std::nullopt;
    const int a = m_work.ownerOf(members[0]);
    const int b = m_work.ownerOf(members[1]);
    if (!m_work.scannable(a) || !m_work.scannable(b) || a == b)
        return std::nullopt;
    const SeriesMatch match = a < b ? SeriesMatch{node, a, b, members[0], members[1]}
                                    : SeriesMatch{node, b, a, members[1], members[0]};
    const int firstFar = m_work.nodeOf(m_work.otherTerminal(match.firstMiddle));
    if (firstFar >= 0 && firstFar == m_work.nodeOf(m_work.otherTerminal(match.secondMiddle)))
        return std::nullopt; // the two join the same two nodes: the parallel step's
    return match;
}

std::optional<ParallelMatch> ScanIndex::parallelAt(int node) const {
    const std::vector<int>& members = m_work.allNodes()[at(node)];
    if (members.size() < 2)
        return std::nullopt;
    // The scan takes the lowest component that pairs with some component
    // after it, then the lowest such partner: the two have their other
    // terminals in one far node, so per far node only its two lowest
    // components can make the first pair.
    m_pairs.resize(m_work.allNodes().size());
    for (const int t : members) {
        const int c = m_work.ownerOf(t);
        const int far = m_work.nodeOf(m_work.otherTerminal(t));
        if (!m_work.scannable(c) || far < 0 || far == node)
            continue;
        Pair& p = m_pairs[at(far)];
        if (p.first < 0)
            m_pairNodes.push_back(far);
        if (p.first < 0 || c < p.first) {
            p.second = p.first;
            p.secondTerminal = p.firstTerminal;
            p.first = c;
            p.firstTerminal = t;
        } else if (c != p.first && (p.second < 0 || c < p.second)) {
            p.second = c;
            p.secondTerminal = t;
        }
    }
    std::optional<ParallelMatch> best;
    for (const int far : m_pairNodes) {
        const Pair& p = m_pairs[at(far)];
        if (p.second >= 0 && (!best || p.first < best->first))
            best = ParallelMatch{node, p.first, p.second, p.firstTerminal, p.secondTerminal, far};
        m_pairs[at(far)] = Pair{};
    }
    m_pairNodes.clear();
    return best;
}

// --- keeping the first-qualifying sets -------------------------------------

ScanIndex::ScanIndex(WorkingNetwork& work) : m_work(work) {
    const int components = static_cast<int>(work.components().size());
    const int nodes = static_cast<int>(work.allNodes().size());
    m_lone.resize(components);
    m_unconnected.resize(components);
    m_series.resize(nodes);
    m_parallel.resize(nodes);
    m_parallelMatch.assign(at(nodes), ParallelMatch{});
    m_componentChanged.assign(at(components), 0);
    m_seriesChanged.assign(at(nodes), 0);
    m_parallelChanged.assign(at(nodes), 0);
    for (int c = 0; c < components; ++c)
        componentChanged(c);
    for (int n = 0; n < nodes; ++n)
        nodeChanged(n);
    work.setWatcher(this);
}

ScanIndex::~ScanIndex() {
    m_work.setWatcher(nullptr);
}

void ScanIndex::componentAppended(int component) {
    const int size = static_cast<int>(m_work.components().size());
    m_lone.resize(size);
    m_unconnected.resize(size);
    m_componentChanged.resize(at(size), 0);
    componentChanged(component);
}

void ScanIndex::componentChanged(int component) {
    if (component < 0 || m_componentChanged[at(component)])
        return;
    m_componentChanged[at(component)] = 1;
    m_changedComponents.push_back(component);
}

void ScanIndex::nodeChanged(int node) {
    if (node < 0)
        return;
    if (!m_seriesChanged[at(node)]) {
        m_seriesChanged[at(node)] = 1;
        m_changedSeries.push_back(node);
    }
    if (!m_parallelChanged[at(node)]) {
        m_parallelChanged[at(node)] = 1;
        m_changedParallel.push_back(node);
    }
}

// The lone and unconnected state of every component with the terminal: the
// owner and the components of its name after it.
void ScanIndex::markOwners(int terminal) {
    for (int c = m_work.ownerOf(terminal); c >= 0; c = m_work.nextOfName(c))
        componentChanged(c);
}

// A terminal came or went: its components' lone and unconnected state, and
// the node of its other terminal (whose series and parallel pairs look at
// where this terminal lies).
void ScanIndex::terminalMoved(int terminal) {
    markOwners(terminal);
    nodeChanged(m_work.nodeOf(m_work.otherTerminal(terminal)));
}

// A node changed: its own pairs, and when it is small its members' lone state.
void ScanIndex::nodeEdited(int node) {
    nodeChanged(node);
    const std::vector<int>& members = m_work.allNodes()[at(node)];
    if (members.size() <= 2)
        for (const int t : members)
            markOwners(t);
}

void ScanIndex::refreshComponents() {
    for (const int c : m_changedComponents) {
        m_componentChanged[at(c)] = 0;
        m_lone.set(c, lone(c));
        m_unconnected.set(c, unconnected(c));
    }
    m_changedComponents.clear();
}

void ScanIndex::refreshSeries() {
    for (const int n : m_changedSeries) {
        m_seriesChanged[at(n)] = 0;
        m_series.set(n, seriesAt(n).has_value());
    }
    m_changedSeries.clear();
}

void ScanIndex::refreshParallel() {
    for (const int n : m_changedParallel) {
        m_parallelChanged[at(n)] = 0;
        const std::optional<ParallelMatch> match = parallelAt(n);
        m_parallel.set(n, match.has_value());
        if (match)
            m_parallelMatch[at(n)] = *match;
    }
    m_changedParallel.clear();
}

// Whether a kept match still describes the network: its terminals where they
// were and both components there.
bool ScanIndex::stillHolds(const ParallelMatch& match) const {
    return m_work.scannable(match.first) && m_work.scannable(match.second) &&
           m_work.nodeOf(match.firstHere) == match.node &&
           m_work.nodeOf(match.secondHere) == match.node &&
           m_work.nodeOf(m_work.otherTerminal(match.firstHere)) == match.farNode &&
           m_work.nodeOf(m_work.otherTerminal(match.secondHere)) == match.farNode;
}

// The lowest entry of a set that still qualifies. The bookkeeping above
// leaves no stale entry; should one slip through, it is looked at afresh
// instead of being taken.
int ScanIndex::firstComponent(FirstSet& set, bool (ScanIndex::*qualifies)(int) const) {
    refreshComponents();
    for (int c = set.first(); c >= 0; c = set.first()) {
        if ((this->*qualifies)(c))
            return c;
        set.set(c, false);
    }
    return -1;
}

int ScanIndex::firstLone() {
    return firstComponent(m_lone, &ScanIndex::lone);
}

int ScanIndex::firstUnconnected() {
    return firstComponent(m_unconnected, &ScanIndex::unconnected);
}

std::optional<SeriesMatch> ScanIndex::firstSeries() {
    refreshSeries();
    for (int node = m_series.first(); node >= 0; node = m_series.first()) {
        if (std::optional<SeriesMatch> match = seriesAt(node))
            return match;
        m_series.set(node, false);
    }
    return std::nullopt;
}

std::optional<ParallelMatch> ScanIndex::firstParallel() {
    refreshParallel();
    for (int node = m_parallel.first(); node >= 0; node = m_parallel.first()) {
        if (stillHolds(m_parallelMatch[at(node)]))
            return m_parallelMatch[at(node)];
        if (std::optional<ParallelMatch> match = parallelAt(node))
            return match;
        m_parallel.set(node, false);
    }
    return std::nullopt;
}

} // namespace ampery::analysis
