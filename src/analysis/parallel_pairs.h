#pragma once

#include "first_set.h"
#include "reduction_scans.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ampery::analysis {

class WorkingNetwork;

// Where components join in parallel, kept up to date as terminals move
// instead of looked for again in every node after every step.
//
// Each terminal in a node whose component is taken by the reduction and
// whose other terminal lies in another node is counted in the group of its
// node and that far node. A group of two or more is a parallel pair; its two
// lowest components are the pair a scan of the node would take. A node's
// groups of two or more are listed with it, and the nodes that have any are
// in a set that gives the lowest.
//
// The cost of a step is that of the terminals it moved, not of the nodes
// they are in: a ladder's bottom rail holds every shunt arm, and looking
// through it after each step made the reduction grow with the square of the
// ladder's length.
class ParallelPairs {
public:
    explicit ParallelPairs(const WorkingNetwork& work);

    // Something the terminal's place in a group depends on may have changed:
    // its node, its owner or whether the owner is taken, or the node of its
    // component's other terminal. Looked at again before the next answer.
    void terminalChanged(int terminal) {
        if (terminal < 0)
            return;
        const auto t = static_cast<std::size_t>(terminal);
        if (t >= m_placeCount)
            makeRoomFor(terminal);
        if (m_places[t].dirty)
            return;
        m_places[t].dirty = true;
        m_dirtyTerminals.push_back(terminal);
    }

    // The pair of the lowest node that has one: its lowest first component,
    // then the lowest second.
    std::optional<ParallelMatch> first();

private:
    struct Group {
        int node = -1;
        int far = -1;
        int head = -1; // terminals, by their components' order
        int tail = -1;
        int size = 0;
        int previousPair = -1; // the node's other groups of two or more
        int nextPair = -1;
    };

    int groupOf(int node, int far);
    std::size_t slotOf(std::uint64_t key) const;
    void join(int terminal, int group, int component);
    void leave(int terminal);
    void listPair(int group);
    void unlistPair(int group);
    void refresh();
    void growTo(std::size_t terminals);
    void makeRoomFor(int terminal);

    const WorkingNetwork& m_work;

    // Per terminal: its group, the component it was counted for, its
    // neighbours in the group's list, and whether it is to be looked at
    // again; together, since a step reads them together.
    struct Place {
        int group = -1;
        int component = -1;
        int previous = -1;
        int next = -1;
        bool dirty = false;
    };
    std::vector<Place> m_places;
    std::size_t m_placeCount = 0; // m_places.size(), asked for on every notice
    std::vector<int> m_dirtyTerminals;

    std::vector<Group> m_groups;
    // (node, far node) to group, open addressing; empty slots hold -1.
    std::vector<std::uint64_t> m_keys;
    std::vector<int> m_slots;
    int m_shift = 0; // 64 less the bits of a slot number

    std::vector<int> m_pairsAt; // per node: its first group of two or more
    FirstSet m_nodesWithPairs;
};

} // namespace ampery::analysis
