#pragma once

#include "first_set.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ampery::analysis {

struct Network;
class TerminalTable;

// What a working component stands for: a physical component (an index into
// the component lists) or an equivalent resistor (an index into the
// equivalent lists).
struct PartRef {
    bool equivalent = false;
    int index = 0;
    bool operator==(const PartRef&) const = default;
};

struct WorkingComponent {
    QString name;
    int type = 0;
    double resistance = 0;
    int positive = -1; // terminal ids
    int negative = -1;
    PartRef part;
    bool present = true; // false once removed from the working lists
};

// A middle node of the series step: j before m in the working lists,
// each with one terminal in the node.
struct SeriesMatch {
    int node = -1;
    int j = -1;
    int m = -1;
    int jMiddle = -1;
    int mMiddle = -1;
};

// A node k of the parallel step with its pair and the second node.
struct ParallelMatch {
    int node = -1;
    int j = -1;
    int m = -1;
    int jHere = -1; // j's terminal in node k
    int mHere = -1;
    int second = -1;
};

// The working lists and the working node list of the checks and the reduction.
//
// Working components keep their list positions (a removed entry stays as a
// gap, so the order of the others is unchanged and new entries go to the
// end); working nodes likewise (a deleted node stays empty, and an empty node
// qualifies for nothing). Every terminal lies in at most one node, so each
// terminal knows its node. The reduction's scans take "the first component /
// node in list order that qualifies": each kind keeps the set of entries that
// qualify, re-examining only the entries a change can affect.
//
// Components of one name (a hand-edited file can hold two) have the same
// terminals. A terminal in a node belongs to the first of them still in the
// working lists, as a scan from the top of the lists finds it; when that one
// leaves, the terminal passes to the next. A change at a terminal concerns
// every component of its name.
class WorkingNetwork {
public:
    WorkingNetwork(const Network& network, TerminalTable& terminals);

    // Takes out shorted components; false when a source is
    // the first shorted component.
    bool removeShortedComponents();
    // Takes out open switches and voltmeters.
    void removeOpenSwitchesAndVoltmeters();
    // The closed-loop check: a node is exactly 电源1∧ or 电源1∨.
    bool sourceWithoutLoop() const;

    int count() const { return m_count; }
    const std::vector<WorkingComponent>& components() const { return m_components; }
    // The non-empty working nodes in list order.
    std::vector<std::vector<int>> nodes() const;
    QStringList nodeTexts() const;
    const TerminalTable& terminals() const { return m_terminals; }

    // The reduction's scans (call startScans() once before the first).
    void startScans();
    int firstLone();
    int firstUnconnected();
    std::optional<SeriesMatch> firstSeries();
    std::optional<ParallelMatch> firstParallel();
    // Every working node by id, in list order, deleted ones empty: the node
    // ids the matches above name.
    const std::vector<std::vector<int>>& allNodes() const { return m_nodes; }

    // The other terminal of the terminal's component, or -1.
    int otherTerminal(int terminal) const;
    int nodeOf(int terminal) const;

    // Edits of the working lists and nodes.
    int appendEntry(const QString& name, int type, double resistance, PartRef part);
    void removeEntry(int component);
    void deleteNode(int node);
    void replaceTerminal(int terminal, int replacement);
    void dropTerminal(int terminal);
    // Removes both terminals from every node and then the entry.
    void removeComponent(int component);

private:
    bool isSource(int component) const;
    bool scannable(int component) const; // present and not a source
    int ownerOf(int terminal) const;
    std::size_t nodeSize(int terminal) const;

    bool lone(int component) const;
    bool unconnected(int component) const;
    std::optional<SeriesMatch> seriesAt(int node) const;
    std::optional<ParallelMatch> parallelAt(int node) const;

    void markOwners(int terminal);
    void touchTerminal(int terminal);
    void touchNode(int node);
    void markComponent(int component);
    void markNode(int node);
    void refreshComponents();
    void refreshSeries();
    void refreshParallel();
    bool stillHolds(const ParallelMatch& match) const;

    TerminalTable& m_terminals;
    std::vector<WorkingComponent> m_components;
    int m_count = 0;
    std::vector<std::vector<int>> m_nodes;
    std::vector<int> m_nodeOf;     // per terminal
    std::vector<int> m_owner;      // per terminal: working component, -1
    std::vector<int> m_other;      // per terminal: the owner's other terminal, -1
    std::vector<int> m_sameName;   // per component: the next one with its terminals, -1
    std::vector<char> m_scannable; // per component: present and not a source
    int m_sourcePositive = -1;
    int m_sourceNegative = -1;

    // Entries whose qualification may have changed since the last look.
    bool m_scanning = false;
    std::vector<int> m_changedComponents, m_changedSeries, m_changedParallel;
    std::vector<char> m_componentChanged, m_seriesChanged, m_parallelChanged;
    FirstSet m_lone, m_unconnected, m_series, m_parallel;
    std::vector<ParallelMatch> m_parallelMatch; // per node, while its bit is set

    // parallelAt's working space, per node id: the two lowest components
    // whose other terminal lies in that node (kept to spare allocations).
    struct Pair {
        int first = -1, firstTerminal = -1, second = -1, secondTerminal = -1;
    };
    mutable std::vector<Pair> m_pairs;
    mutable std::vector<int> m_pairNodes;
};

} // namespace ampery::analysis
