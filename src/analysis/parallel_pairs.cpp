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
    m_dirtyPairs.reserve(room);
    growTo(room);
    const int nodes = work.nodeCount();
    m_pairsAt.assign(at(nodes), -1);
    m_nodesWithPairs.resize(nodes);
    // Room for a group per pair in the nodes before the table grows.
    std::size_t pairs = 0;
    for (int node = 0; node < nodes; ++node)
        pairs += at(work.members(node).size());
    pairs = pairs / 2 + 1;
    m_groups.reserve(pairs);
    std::size_t slotCount = 64;
    while (slotCount < 2 * pairs)
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

// The pair's terminal in the node, one of the two the pair's group joins.
int ParallelPairs::terminalAt(int pair, int node) const {
    return m_work.nodeOf(pair) == node ? pair : m_work.otherTerminal(pair);
}

int ParallelPairs::groupOf(int low, int high) {
    if (2 * (m_groups.size() + 1) > m_keys.size()) {
        // Twice the room, every group placed again.
        m_keys.assign(2 * m_keys.size(), noKey);
        m_slots.assign(m_keys.size(), -1);
        --m_shift;
        for (std::size_t g = 0; g < m_groups.size(); ++g) {
            const std::uint64_t key = keyOf(m_groups[g].low, m_groups[g].high);
            std::size_t slot = slotOf(key);
            while (m_keys[slot] != noKey)
                slot = (slot + 1) & (m_keys.size() - 1);
            m_keys[slot] = key;
            m_slots[slot] = static_cast<int>(g);
        }
    }
    const std::uint64_t key = keyOf(low, high);
    std::size_t slot = slotOf(key);
    while (m_keys[slot] != noKey) {
        if (m_keys[slot] == key)
            return m_slots[slot];
        slot = (slot + 1) & (m_keys.size() - 1);
    }
    m_keys[slot] = key;
    m_slots[slot] = static_cast<int>(m_groups.size());
    m_groups.push_back(Group{low, high});
    return m_slots[slot];
}

// Into the group's list by component order. Components come mostly in
// rising order (equivalents are appended), so the place is near the tail.
void ParallelPairs::join(int pair, int group, int component) {
    Group& g = m_groups[at(group)];
    int after = g.tail;
    while (after >= 0 && m_places[at(after)].component > component)
        after = m_places[at(after)].previous;
    const int before = after < 0 ? g.head : m_places[at(after)].next;
    m_places[at(pair)].previous = after;
    m_places[at(pair)].next = before;
    (after < 0 ? g.head : m_places[at(after)].next) = pair;
    (before < 0 ? g.tail : m_places[at(before)].previous) = pair;
    m_places[at(pair)].group = group;
    m_places[at(pair)].component = component;
    if (++g.size == 2)
        listPair(group);
}

void ParallelPairs::leave(int pair) {
    const int group = m_places[at(pair)].group;
    if (group < 0)
        return;
    Group& g = m_groups[at(group)];
    const int after = m_places[at(pair)].previous;
    const int before = m_places[at(pair)].next;
    (after < 0 ? g.head : m_places[at(after)].next) = before;
    (before < 0 ? g.tail : m_places[at(before)].previous) = after;
    m_places[at(pair)].group = -1;
    m_places[at(pair)].component = -1;
    if (--g.size == 1)
        unlistPair(group);
}

void ParallelPairs::listPair(int group) {
    Group& g = m_groups[at(group)];
    int& head = m_pairsAt[at(g.low)];
    g.previousPair = -1;
    g.nextPair = head;
    if (head >= 0)
        m_groups[at(head)].previousPair = group;
    head = group;
    m_nodesWithPairs.set(g.low, true);
}

void ParallelPairs::unlistPair(int group) {
    const Group& g = m_groups[at(group)];
    int& head = m_pairsAt[at(g.low)];
    (g.previousPair < 0 ? head : m_groups[at(g.previousPair)].nextPair) = g.nextPair;
    if (g.nextPair >= 0)
        m_groups[at(g.nextPair)].previousPair = g.previousPair;
    if (head < 0)
        m_nodesWithPairs.set(g.low, false);
}

// Each pair looked at again: where it belongs now, compared with its group
// before any table lookup, since most stay where they were.
void ParallelPairs::refresh() {
    for (const int pair : m_dirtyPairs) {
        Place& place = m_places[at(pair)];
        place.dirty = false;
        const int component = m_work.ownerOf(pair);
        const int a = m_work.nodeOf(pair);
        const int b = m_work.nodeOf(m_work.otherTerminal(pair));
        const bool counted = a >= 0 && b >= 0 && a != b && m_work.scannable(component);
        const int low = std::min(a, b);
        const int high = std::max(a, b);
        const int group = place.group;
        if (group < 0 ? !counted
                      : counted && m_groups[at(group)].low == low &&
                            m_groups[at(group)].high == high && place.component == component)
            continue;
        leave(pair);
        if (counted)
            join(pair, groupOf(low, high), component);
    }
    m_dirtyPairs.clear();
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
    const int first = best->head;
    const int second = m_places[at(first)].next;
    return ParallelMatch{node,
                         m_places[at(first)].component,
                         m_places[at(second)].component,
                         terminalAt(first, node),
                         terminalAt(second, node),
                         best->high};
}

} // namespace ampery::analysis
