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
    int first = m_work.ownerOf(members[0]);
    int second = m_work.ownerOf(members[1]);
    if (!m_work.scannable(first) || !m_work.scannable(second) || first == second)
        return std::nullopt;
    SeriesMatch match{node, first, second, members[0], members[1]};
    if (second < first)
        match = {node, second, first, members[1], members[0]};
    const int outerJ = m_work.nodeOf(m_work.otherTerminal(match.jMiddle));
    if (outerJ >= 0 && outerJ == m_work.nodeOf(m_work.otherTerminal(match.mMiddle)))
        return std::nullopt; // j and m join the same two nodes: the parallel step's
    return match;
}

std::optional<ParallelMatch> ScanIndex::parallelAt(int node) const {
    const std::vector<int>& members = m_work.allNodes()[at(node)];
    if (members.size() < 2)
        return std::nullopt;
    // The scan takes the lowest j that pairs with some m after it, then the
    // lowest such m: j and m have their other terminals in one node, so per
    // such node only its two lowest components can make the first pair.
    m_pairs.resize(m_work.allNodes().size());
    for (const int t : members) {
        const int c = m_work.ownerOf(t);
        const int other = m_work.nodeOf(m_work.otherTerminal(t));
        if (!m_work.scannable(c) || other < 0 || other == node)
            continue;
        Pair& p = m_pairs[at(other)];
        if (p.first < 0)
            m_pairNodes.push_back(other);
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
    for (const int other : m_pairNodes) {
        const Pair& p = m_pairs[at(other)];
        if (p.second >= 0 && (!best || p.first < best->j))
            best = ParallelMatch{node, p.first, p.second, p.firstTerminal, p.secondTerminal, other};
        m_pairs[at(other)] = Pair{};
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
    return m_work.scannable(match.j) && m_work.scannable(match.m) &&
           m_work.nodeOf(match.jHere) == match.node && m_work.nodeOf(match.mHere) == match.node &&
           m_work.nodeOf(m_work.otherTerminal(match.jHere)) == match.second &&
           m_work.nodeOf(m_work.otherTerminal(match.mHere)) == match.second;
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
