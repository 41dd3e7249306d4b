#include "parallel_pairs.h"

#include "list_index.h"
#include "terminal_table.h"
#include "working_network.h"

#include <algorithm>
#include <bit>

namespace ampery::analysis {

namespace {

std::uint64_t keyOf(int node, int far) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(node)) << 32) |
           static_cast<std::uint32_t>(far);
}

constexpr std::uint64_t noKey = ~std::uint64_t{0};

} // namespace

// Fibonacci hashing: the top bits of the product depend on every bit of the
// key, so far nodes that share their low bits still spread.
std::size_t ParallelPairs::slotOf(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9e3779b97f4a7c15u) >> m_shift);
}

ParallelPairs::ParallelPairs(const WorkingNetwork& work) : m_work(work) {
    // Places for the terminals of the equivalents to come.
    const std::size_t room = work.terminals().sizeWithEquivalentsOf(work.components().size());
    m_dirtyTerminals.reserve(room);
    growTo(room);
    const int nodes = work.nodeCount();
    m_pairsAt.assign(at(nodes), -1);
    m_nodesWithPairs.resize(nodes);
    // Room for a group per terminal in a node before the table grows.
    std::size_t placed = 0;
    for (int node = 0; node < nodes; ++node)
        placed += at(work.members(node).size());
    m_groups.reserve(placed);
    std::size_t slotCount = 64;
    while (slotCount < 2 * placed)
        slotCount *= 2;
    m_keys.assign(slotCount, noKey);
    m_slots.assign(slotCount, -1);
    m_shift = 64 - std::countr_zero(slotCount);
    for (int node = 0; node < nodes; ++node)
        for (const int t : work.members(node))
            terminalChanged(t);
}

void ParallelPairs::growTo(std::size_t terminals) {
    if (terminals > m_places.size())
        m_places.resize(terminals);
    m_placeCount = m_places.size();
}

// Up to the room reserved, so that each equivalent does not grow the lists
// again.
void ParallelPairs::makeRoomFor(int terminal) {
    growTo(std::max({at(terminal) + 1, at(m_work.terminals().size()), m_places.capacity()}));
}

int ParallelPairs::groupOf(int node, int far) {
    if (2 * (m_groups.size() + 1) > m_keys.size()) {
        // Twice the room, every group placed again.
        m_keys.assign(2 * m_keys.size(), noKey);
        m_slots.assign(m_keys.size(), -1);
        --m_shift;
        for (std::size_t g = 0; g < m_groups.size(); ++g) {
            const std::uint64_t key = keyOf(m_groups[g].node, m_groups[g].far);
            std::size_t slot = slotOf(key);
            while (m_keys[slot] != noKey)
                slot = (slot + 1) & (m_keys.size() - 1);
            m_keys[slot] = key;
            m_slots[slot] = static_cast<int>(g);
        }
    }
    const std::uint64_t key = keyOf(node, far);
    std::size_t slot = slotOf(key);
    while (m_keys[slot] != noKey) {
        if (m_keys[slot] == key)
            return m_slots[slot];
        slot = (slot + 1) & (m_keys.size() - 1);
    }
    m_keys[slot] = key;
    m_slots[slot] = static_cast<int>(m_groups.size());
    m_groups.push_back(Group{node, far});
    return m_slots[slot];
}

// Into the group's list by component order. Components come mostly in
// rising order (equivalents are appended), so the place is near the tail.
void ParallelPairs::join(int terminal, int group, int component) {
    Group& g = m_groups[at(group)];
    int after = g.tail;
    while (after >= 0 && m_places[at(after)].component > component)
        after = m_places[at(after)].previous;
    const int before = after < 0 ? g.head : m_places[at(after)].next;
    m_places[at(terminal)].previous = after;
    m_places[at(terminal)].next = before;
    (after < 0 ? g.head : m_places[at(after)].next) = terminal;
    (before < 0 ? g.tail : m_places[at(before)].previous) = terminal;
    m_places[at(terminal)].group = group;
    m_places[at(terminal)].component = component;
    if (++g.size == 2)
        listPair(group);
}

void ParallelPairs::leave(int terminal) {
    const int group = m_places[at(terminal)].group;
    if (group < 0)
        return;
    Group& g = m_groups[at(group)];
    const int after = m_places[at(terminal)].previous;
    const int before = m_places[at(terminal)].next;
    (after < 0 ? g.head : m_places[at(after)].next) = before;
    (before < 0 ? g.tail : m_places[at(before)].previous) = after;
    m_places[at(terminal)].group = -1;
    m_places[at(terminal)].component = -1;
    if (--g.size == 1)
        unlistPair(group);
}

void ParallelPairs::listPair(int group) {
    Group& g = m_groups[at(group)];
    int& head = m_pairsAt[at(g.node)];
    g.previousPair = -1;
    g.nextPair = head;
    if (head >= 0)
        m_groups[at(head)].previousPair = group;
    head = group;
    m_nodesWithPairs.set(g.node, true);
}

void ParallelPairs::unlistPair(int group) {
    const Group& g = m_groups[at(group)];
    int& head = m_pairsAt[at(g.node)];
    (g.previousPair < 0 ? head : m_groups[at(g.previousPair)].nextPair) = g.nextPair;
    if (g.nextPair >= 0)
        m_groups[at(g.nextPair)].previousPair = g.previousPair;
    if (head < 0)
        m_nodesWithPairs.set(g.node, false);
}

// Each terminal looked at again: where it belongs now, compared with its
// group before any table lookup, since most stay where they were.
void ParallelPairs::refresh() {
    for (const int t : m_dirtyTerminals) {
        m_places[at(t)].dirty = false;
        const int component = m_work.ownerOf(t);
        const int node = m_work.nodeOf(t);
        const int far = m_work.nodeOf(m_work.otherTerminal(t));
        const bool counted = node >= 0 && m_work.scannable(component) && far >= 0 && far != node;
        const int group = m_places[at(t)].group;
        if (group < 0
                ? !counted
                : counted && m_groups[at(group)].node == node && m_groups[at(group)].far == far &&
                      m_places[at(t)].component == component)
            continue;
        leave(t);
        if (counted)
            join(t, groupOf(node, far), component);
    }
    m_dirtyTerminals.clear();
}

std::optional<ParallelMatch> ParallelPairs::first() {
    refresh();
    const int node = m_nodesWithPairs.first();
    if (node < 0)
        return std::nullopt;
    const Group* best = nullptr;
    for (int g = m_pairsAt[at(node)]; g >= 0; g = m_groups[at(g)].nextPair)
        if (best == nullptr ||
            m_places[at(m_groups[at(g)].head)].component < m_places[at(best->head)].component)
            best = &m_groups[at(g)];
    const int firstHere = best->head;
    const int secondHere = m_places[at(firstHere)].next;
    return ParallelMatch{node,
                         m_places[at(firstHere)].component,
                         m_places[at(secondHere)].component,
                         firstHere,
                         secondHere,
                         best->far};
}

} // namespace ampery::analysis
