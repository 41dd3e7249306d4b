#pragma once

#include "first_set.h"
#include "reduction_scans.h"
#include "working_network.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ampery::analysis {

// Where components join in parallel, kept up to date as terminals move
// instead of looked for again in every node after every step.
//
// Each component the reduction takes whose terminals lie in two different
// nodes is counted in the group of those two nodes, under the terminal of
// its pair with the lower id (components of one name share their pair, and
// the pair counts for the first of them still in the lists). A group of two
// or more is a parallel pair at both its nodes; its two lowest components
// are the pair a scan of either node would take. Such groups are listed
// with their lower node, and the nodes that have any are in a set that
// gives the lowest: no group with a pair at that node can have a lower one.
//
// The cost of a step is that of the components it moved, not of the nodes
// they are in: a ladder's bottom rail holds every shunt arm, and looking
// through it after each step made the reduction grow with the square of the
// ladder's length.
class ParallelPairs {
public:
    explicit ParallelPairs(const WorkingNetwork& work);

    // Something the place of the terminal's pair in a group depends on may
    // have changed: the node of either terminal, their owner or whether the
    // owner is taken. Looked at again before the next answer.
    void terminalChanged(int terminal) {
        if (terminal < 0)
            return;
        const int pair = pairOf(terminal);
        const auto p = static_cast<std::size_t>(pair);
        if (p >= m_placeCount)
            makeRoomFor(pair);
        if (m_places[p].dirty)
            return;
        m_places[p].dirty = true;
        m_dirtyPairs.push_back(pair);
    }

    // The pair of the lowest node that has one: its lowest first component,
    // then the lowest second.
    std::optional<ParallelMatch> first();

private:
    struct Group {
        int low = -1; // its two nodes
        int high = -1;
        int head = -1; // terminals, by their components' order
        int tail = -1;
        int size = 0;
        int previousPair = -1; // the lower node's other groups of two or more
        int nextPair = -1;
    };

    // A pair is known by the lower of its two terminal ids; a terminal of
    // no component by its own.
    int pairOf(int terminal) const {
        const int other = m_work.otherTerminal(terminal);
        return other >= 0 && other < terminal ? other : terminal;
    }
    int terminalAt(int pair, int node) const;
    int groupOf(int low, int high);
    std::size_t slotOf(std::uint64_t key) const;
    void join(int pair, int group, int component);
    void leave(int pair);
    void listPair(int group);
    void unlistPair(int group);
    void refresh();
    void growTo(std::size_t terminals);
    void makeRoomFor(int terminal);

    const WorkingNetwork& m_work;

    // Per pair, under its lower terminal: its group, the component it was
    // counted for, its neighbours in the group's list, and whether it is to
    // be looked at again; together, since a step reads them together.
    struct Place {
        int group = -1;
        int component = -1;
        int previous = -1;
        int next = -1;
        bool dirty = false;
    };
    std::vector<Place> m_places;
    std::size_t m_placeCount = 0; // m_places.size(), asked for on every notice
    std::vector<int> m_dirtyPairs;

    std::vector<Group> m_groups;
    // (lower node, higher node) to group, open addressing; empty slots hold -1.
    std::vector<std::uint64_t> m_keys;
    std::vector<int> m_slots;
    int m_shift = 0; // 64 less the bits of a slot number

    std::vector<int> m_pairsAt; // per node: the first group of two or more it is the lower of
    FirstSet m_nodesWithPairs;
};

} // namespace ampery::analysis
