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
    const NodeMembers members = m_work.members(node);
    if (members.size() != 2)
        return std::nullopt;
    const int here = *members.begin();
    const int there = *++members.begin();
    const int a = m_work.ownerOf(here);
    const int b = m_work.ownerOf(there);
    if (!m_work.scannable(a) || !m_work.scannable(b) || a == b)
        return std::nullopt;
    const SeriesMatch match =
        a < b ? SeriesMatch{node, a, b, here, there} : SeriesMatch{node, b, a, there, here};
    const int firstFar = m_work.nodeOf(m_work.otherTerminal(match.firstMiddle));
    if (firstFar >= 0 && firstFar == m_work.nodeOf(m_work.otherTerminal(match.secondMiddle)))
        return std::nullopt; // the two join the same two nodes: the parallel step's
    return match;
}

// --- keeping the first-qualifying sets -------------------------------------

ScanIndex::ScanIndex(WorkingNetwork& work) : m_work(work), m_parallel(work) {
    const int components = static_cast<int>(work.components().size());
    const int nodes = work.nodeCount();
    // Room for every entry to come: an equivalent takes the place of two
    // entries, so there are fewer equivalents than components.
    makeRoomForComponents(2 * components);
    m_series.resize(nodes);
    m_seriesChanged.assign(at(nodes), 0);
    m_changedComponents.reserve(2 * at(components));
    m_changedSeries.reserve(at(nodes));
    for (int c = 0; c < components; ++c)
        markComponent(c);
    for (int n = 0; n < nodes; ++n)
        markNode(n);
    work.setWatcher(this);
}

ScanIndex::~ScanIndex() {
    m_work.setWatcher(nullptr);
}

void ScanIndex::makeRoomForComponents(int count) {
    m_lone.resize(count);
    m_unconnected.resize(count);
    m_componentChanged.resize(at(count), 0);
}

void ScanIndex::componentAppended(int component) {
    if (at(component) >= m_componentChanged.size())
        makeRoomForComponents(2 * (component + 1));
    componentChanged(component);
}

// The component left the lists or came: its own state, and where its
// terminals count in the parallel pairs.
void ScanIndex::componentChanged(int component) {
    markComponent(component);
    m_parallel.terminalChanged(m_work.components()[at(component)].positive);
}

void ScanIndex::nodeChanged(int node) {
    markNode(node);
}

// The lone and unconnected state of every component with the terminal: the
// owner and the components of its name after it.
void ScanIndex::markOwners(int terminal) {
    for (int c = m_work.ownerOf(terminal); c >= 0; c = m_work.nextOfName(c))
        markComponent(c);
}

// A terminal came or went: its components' lone and unconnected state, the
// node of its other terminal (whose series pairs look at where this terminal
// lies), and where its pair counts in the parallel pairs.
void ScanIndex::terminalMoved(int terminal) {
    markOwners(terminal);
    markNode(m_work.nodeOf(m_work.otherTerminal(terminal)));
    m_parallel.terminalChanged(terminal);
}

// A node changed: its own pairs, and when it is small its members' lone state.
void ScanIndex::nodeEdited(int node) {
    markNode(node);
    const NodeMembers members = m_work.members(node);
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
    return m_parallel.first();
}

} // namespace ampery::analysis
