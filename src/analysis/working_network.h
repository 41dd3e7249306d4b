#pragma once

#include "reduction_scans.h"

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

// Where a terminal stands in the working lists: its node and its
// neighbours there, and its component and that component's other terminal;
// -1 for none. Kept together, since an edit reads and writes them together.
struct TerminalPlace {
    int node = -1;
    int next = -1; // the next member of its node
    int previous = -1;
    int owner = -1; // the working component
    int other = -1; // the owner's other terminal

    void leaveNode() { node = next = previous = -1; }
};

// The terminals of one working node, in node order, read off the node's
// list without copying it.
class NodeMembers {
public:
    class Iterator {
    public:
        Iterator(const std::vector<TerminalPlace>& places, int terminal)
            : m_places(&places), m_terminal(terminal) {}
        int operator*() const { return m_terminal; }
        Iterator& operator++() {
            m_terminal = (*m_places)[static_cast<std::size_t>(m_terminal)].next;
            return *this;
        }
        bool operator==(const Iterator& other) const { return m_terminal == other.m_terminal; }

    private:
        const std::vector<TerminalPlace>* m_places;
        int m_terminal;
    };

    NodeMembers(const std::vector<TerminalPlace>& places, int first, int size)
        : m_places(places), m_first(first), m_size(size) {}
    Iterator begin() const { return {m_places, m_first}; }
    Iterator end() const { return {m_places, -1}; }
    int size() const { return m_size; }

private:
    const std::vector<TerminalPlace>& m_places;
    int m_first;
    int m_size;
};

struct WorkingComponent {
    int type = 0;
    double resistance = 0;
    int positive = -1; // terminal ids
    int negative = -1;
    PartRef part;
    bool present = true; // false once removed from the working lists
};

// The working lists and the working node list of the checks and the
// reduction, and the edits they make.
//
// Working components keep their list positions (a removed entry stays as a
// gap, so the order of the others is unchanged and new entries go to the
// end); working nodes likewise (a deleted node stays empty, and an empty node
// qualifies for nothing). Every terminal lies in at most one node, so each
// terminal knows its node and its neighbours there: a node's members are a
// linked list, so that replacing or dropping a terminal costs the same in
// a node of two as in a ladder's rail of hundreds.
//
// Components of one name (a hand-edited file can hold two) have the same
// terminals. A terminal in a node belongs to the first of them still in the
// working lists, as a scan from the top of the lists finds it; when that one
// leaves, the terminal passes to the next.
//
// A watcher (the reduction's scan index) hears of every edit as it is made.
class WorkingNetwork {
public:
    // What an edit changed, told as it happens.
    class Watcher {
    public:
        virtual ~Watcher() = default;
        virtual void componentAppended(int component) = 0;
        // The component left the lists (its terminals may have passed on).
        virtual void componentChanged(int component) = 0;
        // A node's members or their owners changed.
        virtual void nodeChanged(int node) = 0;
        // A terminal came into a node or left one.
        virtual void terminalMoved(int terminal) = 0;
        // A node gained, lost or exchanged a member.
        virtual void nodeEdited(int node) = 0;
    };

    WorkingNetwork(const Network& network, TerminalTable& terminals);

    // The closed-loop check: a node is exactly 电源1∧ or 电源1∨.
    bool sourceWithoutLoop() const;

    int count() const { return m_count; }
    const std::vector<WorkingComponent>& components() const { return m_components; }
    // The non-empty working nodes in list order.
    std::vector<std::vector<int>> nodes() const;
    QStringList nodeTexts() const;
    const TerminalTable& terminals() const { return m_terminals; }

    // How many working nodes there are, deleted ones included: node ids run
    // from 0 to one less, in list order.
    int nodeCount() const { return static_cast<int>(m_nodes.size()); }
    NodeMembers members(int node) const {
        const NodeHead& n = m_nodes[static_cast<std::size_t>(node)];
        return {m_places, n.first, n.size};
    }
    // Every working node by id as a list of its members, deleted ones empty
    // (a copy, for looking at the lists as they stand).
    std::vector<std::vector<int>> allNodes() const;

    // Tells the watcher of every edit from now on; nullptr for none.
    void setWatcher(Watcher* watcher) { m_watcher = watcher; }

    // The other terminal of the terminal's component, or -1.
    int otherTerminal(int terminal) const {
        return terminal < 0 ? -1 : m_places[static_cast<std::size_t>(terminal)].other;
    }
    int nodeOf(int terminal) const {
        return terminal < 0 ? -1 : m_places[static_cast<std::size_t>(terminal)].node;
    }
    // The working component a terminal belongs to, or -1.
    int ownerOf(int terminal) const {
        return terminal < 0 ? -1 : m_places[static_cast<std::size_t>(terminal)].owner;
    }
    // The next component of the same name after this one, or -1.
    int nextOfName(int component) const { return m_sameName[static_cast<std::size_t>(component)]; }
    // Still in the lists and not a source: what the reduction's steps take.
    bool scannable(int component) const {
        return component >= 0 && m_scannable[static_cast<std::size_t>(component)];
    }
    // How many terminals the node of the terminal holds; 0 for none.
    std::size_t nodeSize(int terminal) const {
        const int node = nodeOf(terminal);
        return node < 0 ? 0
                        : static_cast<std::size_t>(m_nodes[static_cast<std::size_t>(node)].size);
    }

    // Edits of the working lists and nodes.
    // An equivalent resistor, nameless in the lists (its name comes from its
    // serial, one more than its list position), with fresh terminals.
    int appendEntry(int type, double resistance, PartRef part);
    void removeEntry(int component);
    void deleteNode(int node);
    void replaceTerminal(int terminal, int replacement);
    void dropTerminal(int terminal);
    // Removes both terminals from every node and then the entry.
    void removeComponent(int component);

private:
    TerminalTable& m_terminals;
    std::vector<WorkingComponent> m_components;
    int m_count = 0;
    struct NodeHead {
        int first = -1;
        int size = 0;
    };
    void unlink(int terminal);

    std::vector<NodeHead> m_nodes;
    std::vector<TerminalPlace> m_places; // per terminal
    std::vector<int> m_sameName;         // per component: the next one with its terminals, -1
    std::vector<char> m_scannable;       // per component: present and not a source
    int m_sourcePositive = -1;
    int m_sourceNegative = -1;

    Watcher* m_watcher = nullptr;
};

} // namespace ampery::analysis
