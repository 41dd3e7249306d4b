#include "working_network.h"

#include "list_index.h"
#include "network.h"
#include "terminal_table.h"

#include "model/component_type.h"

#include <algorithm>

namespace ampery::analysis {

WorkingNetwork::WorkingNetwork(const Network& network, TerminalTable& terminals)
    : m_terminals(terminals), m_owner(network.owner), m_sourcePositive(network.sourcePositive),
      m_sourceNegative(network.sourceNegative) {
    m_components.reserve(network.components.size() * 2);
    for (std::size_t i = 0; i < network.components.size(); ++i) {
        const model::Component& c = network.components[i];
        m_components.push_back({c.name, c.type, c.resistance, network.positive[i],
                                network.negative[i], PartRef{false, static_cast<int>(i)}, true});
    }
    m_count = static_cast<int>(m_components.size());
    m_nodes = network.full.nodes();
    // Room for the equivalents to come: at most one per component.
    const std::size_t room = at(terminals.size()) + 2 * m_components.size();
    m_nodeOf.reserve(room);
    m_owner.reserve(room);
    m_other.reserve(room);
    m_nodeOf.assign(at(terminals.size()), -1);
    m_owner.resize(at(terminals.size()), -1);
    m_other.assign(at(terminals.size()), -1);
    for (std::size_t t = 0; t < m_owner.size(); ++t) {
        if (m_owner[t] < 0)
            continue;
        const WorkingComponent& c = m_components[at(m_owner[t])];
        m_other[t] = static_cast<int>(t) == c.positive ? c.negative : c.positive;
    }
    m_scannable.reserve(m_components.capacity());
    for (const WorkingComponent& c : m_components)
        m_scannable.push_back(c.type != model::Source);
    // Each component of a shared name joins the end of the name's chain,
    // which starts at the terminals' owner, the first of them.
    m_sameName.reserve(m_components.capacity());
    m_sameName.assign(m_components.size(), -1);
    for (int c = 0; c < m_count; ++c) {
        int last = m_owner[at(m_components[at(c)].positive)];
        if (last == c)
            continue;
        while (m_sameName[at(last)] >= 0)
            last = m_sameName[at(last)];
        m_sameName[at(last)] = c;
    }
    for (std::size_t n = 0; n < m_nodes.size(); ++n)
        for (const int t : m_nodes[n])
            m_nodeOf[at(t)] = static_cast<int>(n);
}

bool WorkingNetwork::isSource(int component) const {
    return m_components[at(component)].type == model::Source;
}

bool WorkingNetwork::scannable(int component) const {
    return component >= 0 && m_scannable[at(component)];
}

int WorkingNetwork::ownerOf(int terminal) const {
    return terminal < 0 ? -1 : m_owner[at(terminal)];
}

int WorkingNetwork::nodeOf(int terminal) const {
    return terminal < 0 ? -1 : m_nodeOf[at(terminal)];
}

int WorkingNetwork::otherTerminal(int terminal) const {
    return terminal < 0 ? -1 : m_other[at(terminal)];
}

std::size_t WorkingNetwork::nodeSize(int terminal) const {
    const int node = nodeOf(terminal);
    return node < 0 ? 0 : m_nodes[at(node)].size();
}

bool WorkingNetwork::removeShortedComponents() {
    for (int c = 0; c < static_cast<int>(m_components.size()); ++c) {
        const WorkingComponent& w = m_components[at(c)];
        const int node = nodeOf(w.positive);
        if (!w.present || node < 0 || node != nodeOf(w.negative))
            continue;
        if (isSource(c))
            return false;
        removeComponent(c);
    }
    return true;
}

void WorkingNetwork::removeOpenSwitchesAndVoltmeters() {
    for (int c = 0; c < static_cast<int>(m_components.size()); ++c) {
        const WorkingComponent& w = m_components[at(c)];
        if (w.present && (w.type == model::Switch || w.type == model::Voltmeter))
            removeComponent(c);
    }
}

bool WorkingNetwork::sourceWithoutLoop() const {
    return nodeSize(m_sourcePositive) == 1 || nodeSize(m_sourceNegative) == 1;
}

std::vector<std::vector<int>> WorkingNetwork::nodes() const {
    std::vector<std::vector<int>> list;
    for (const std::vector<int>& node : m_nodes)
        if (!node.empty())
            list.push_back(node);
    return list;
}

QStringList WorkingNetwork::nodeTexts() const {
    QStringList list;
    for (const std::vector<int>& node : nodes()) {
        QStringList parts;
        for (const int t : node)
            parts.append(m_terminals.name(t));
        list.append(parts.join(QLatin1Char('|')));
    }
    return list;
}

// --- edits -----------------------------------------------------------------

int WorkingNetwork::appendEntry(const QString& name, int type, double resistance, PartRef part) {
    const int index = static_cast<int>(m_components.size());
    const auto [positive, negative] = m_terminals.addUnlisted(name);
    m_nodeOf.resize(at(m_terminals.size()), -1);
    m_owner.resize(at(m_terminals.size()), -1);
    m_other.resize(at(m_terminals.size()), -1);
    m_owner[at(positive)] = index;
    m_owner[at(negative)] = index;
    m_other[at(positive)] = negative;
    m_other[at(negative)] = positive;
    m_components.push_back({name, type, resistance, positive, negative, part, true});
    m_scannable.push_back(type != model::Source);
    m_sameName.push_back(-1);
    ++m_count;
    if (m_scanning) {
        const int size = static_cast<int>(m_components.size());
        m_lone.resize(size);
        m_unconnected.resize(size);
        m_componentChanged.resize(at(size), 0);
        markComponent(index);
    }
    return index;
}

void WorkingNetwork::removeEntry(int component) {
    WorkingComponent& w = m_components[at(component)];
    if (!w.present)
        return;
    w.present = false;
    m_scannable[at(component)] = 0;
    --m_count;
    markComponent(component);
    // Its terminals pass to the next component of its name still in the
    // lists, and the nodes that hold them look again at whose they are.
    if (ownerOf(w.positive) == component) {
        int next = m_sameName[at(component)];
        while (next >= 0 && !m_components[at(next)].present)
            next = m_sameName[at(next)];
        m_owner[at(w.positive)] = next;
        m_owner[at(w.negative)] = next;
    }
    markNode(nodeOf(w.positive));
    markNode(nodeOf(w.negative));
}

void WorkingNetwork::deleteNode(int node) {
    std::vector<int> members;
    members.swap(m_nodes[at(node)]);
    for (const int t : members) {
        m_nodeOf[at(t)] = -1;
        touchTerminal(t);
    }
    touchNode(node);
}

void WorkingNetwork::replaceTerminal(int terminal, int replacement) {
    const int node = nodeOf(terminal);
    if (node < 0)
        return;
    std::vector<int>& members = m_nodes[at(node)];
    std::replace(members.begin(), members.end(), terminal, replacement);
    m_nodeOf[at(terminal)] = -1;
    m_nodeOf[at(replacement)] = node;
    touchTerminal(terminal);
    touchTerminal(replacement);
    touchNode(node);
}

void WorkingNetwork::dropTerminal(int terminal) {
    const int node = nodeOf(terminal);
    if (node < 0)
        return;
    std::vector<int>& members = m_nodes[at(node)];
    members.erase(std::remove(members.begin(), members.end(), terminal), members.end());
    m_nodeOf[at(terminal)] = -1;
    touchTerminal(terminal);
    touchNode(node);
}

void WorkingNetwork::removeComponent(int component) {
    dropTerminal(m_components[at(component)].positive);
    dropTerminal(m_components[at(component)].negative);
    removeEntry(component);
}

// --- what qualifies --------------------------------------------------------

bool WorkingNetwork::lone(int component) const {
    const WorkingComponent& w = m_components[at(component)];
    return scannable(component) && (nodeSize(w.positive) == 1 || nodeSize(w.negative) == 1);
}

bool WorkingNetwork::unconnected(int component) const {
    const WorkingComponent& w = m_components[at(component)];
    return scannable(component) && (nodeOf(w.positive) < 0 || nodeOf(w.negative) < 0);
}

std::optional<SeriesMatch> WorkingNetwork::seriesAt(int node) const {
    const std::vector<int>& members = m_nodes[at(node)];
    if (members.size() != 2)
        return std::nullopt;
    int first = ownerOf(members[0]);
    int second = ownerOf(members[1]);
    if (!scannable(first) || !scannable(second) || first == second)
        return std::nullopt;
    SeriesMatch match{node, first, second, members[0], members[1]};
    if (second < first)
        match = {node, second, first, members[1], members[0]};
    const int outerJ = nodeOf(otherTerminal(match.jMiddle));
    if (outerJ >= 0 && outerJ == nodeOf(otherTerminal(match.mMiddle)))
        return std::nullopt; // j and m join the same two nodes: the parallel step's
    return match;
}

std::optional<ParallelMatch> WorkingNetwork::parallelAt(int node) const {
    const std::vector<int>& members = m_nodes[at(node)];
    if (members.size() < 2)
        return std::nullopt;
    // The scan takes the lowest j that pairs with some m after it, then the
    // lowest such m: j and m have their other terminals in one node, so per
    // such node only its two lowest components can make the first pair.
    m_pairs.resize(m_nodes.size());
    for (const int t : members) {
        const int c = ownerOf(t);
        const int other = nodeOf(otherTerminal(t));
        if (!scannable(c) || other < 0 || other == node)
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

void WorkingNetwork::markComponent(int component) {
    if (!m_scanning || component < 0 || m_componentChanged[at(component)])
        return;
    m_componentChanged[at(component)] = 1;
    m_changedComponents.push_back(component);
}

void WorkingNetwork::markNode(int node) {
    if (!m_scanning || node < 0)
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
void WorkingNetwork::markOwners(int terminal) {
    for (int c = ownerOf(terminal); c >= 0; c = m_sameName[at(c)])
        markComponent(c);
}

// A terminal came or went: its components' lone and unconnected state, and
// the node of its other terminal (whose series and parallel pairs look at
// where this terminal lies).
void WorkingNetwork::touchTerminal(int terminal) {
    if (!m_scanning)
        return;
    markOwners(terminal);
    markNode(nodeOf(otherTerminal(terminal)));
}

// A node changed: its own pairs, and when it is small its members' lone state.
void WorkingNetwork::touchNode(int node) {
    if (!m_scanning)
        return;
    markNode(node);
    const std::vector<int>& members = m_nodes[at(node)];
    if (members.size() <= 2)
        for (const int t : members)
            markOwners(t);
}

void WorkingNetwork::startScans() {
    m_scanning = true;
    const int components = static_cast<int>(m_components.size());
    const int nodes = static_cast<int>(m_nodes.size());
    m_lone.resize(components);
    m_unconnected.resize(components);
    m_series.resize(nodes);
    m_parallel.resize(nodes);
    m_parallelMatch.assign(at(nodes), ParallelMatch{});
    m_componentChanged.assign(at(components), 0);
    m_seriesChanged.assign(at(nodes), 0);
    m_parallelChanged.assign(at(nodes), 0);
    for (int c = 0; c < components; ++c)
        markComponent(c);
    for (int n = 0; n < nodes; ++n)
        markNode(n);
}

void WorkingNetwork::refreshComponents() {
    for (const int c : m_changedComponents) {
        m_componentChanged[at(c)] = 0;
        m_lone.set(c, lone(c));
        m_unconnected.set(c, unconnected(c));
    }
    m_changedComponents.clear();
}

void WorkingNetwork::refreshSeries() {
    for (const int n : m_changedSeries) {
        m_seriesChanged[at(n)] = 0;
        m_series.set(n, seriesAt(n).has_value());
    }
    m_changedSeries.clear();
}

void WorkingNetwork::refreshParallel() {
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
bool WorkingNetwork::stillHolds(const ParallelMatch& match) const {
    return scannable(match.j) && scannable(match.m) && nodeOf(match.jHere) == match.node &&
           nodeOf(match.mHere) == match.node &&
           nodeOf(otherTerminal(match.jHere)) == match.second &&
           nodeOf(otherTerminal(match.mHere)) == match.second;
}

// The lowest entry of a set that still qualifies. The bookkeeping above
// leaves no stale entry; should one slip through, it is looked at afresh
// instead of being taken.
int WorkingNetwork::firstLone() {
    refreshComponents();
    for (int c = m_lone.first(); c >= 0; c = m_lone.first()) {
        if (lone(c))
            return c;
        m_lone.set(c, false);
    }
    return -1;
}

int WorkingNetwork::firstUnconnected() {
    refreshComponents();
    for (int c = m_unconnected.first(); c >= 0; c = m_unconnected.first()) {
        if (unconnected(c))
            return c;
        m_unconnected.set(c, false);
    }
    return -1;
}

std::optional<SeriesMatch> WorkingNetwork::firstSeries() {
    refreshSeries();
    for (int node = m_series.first(); node >= 0; node = m_series.first()) {
        if (std::optional<SeriesMatch> match = seriesAt(node))
            return match;
        m_series.set(node, false);
    }
    return std::nullopt;
}

std::optional<ParallelMatch> WorkingNetwork::firstParallel() {
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
