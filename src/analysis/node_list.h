#pragma once

#include <QStringList>

#include <vector>

namespace ampery::analysis {

class TerminalTable;

// A node list (nodes of terminal ids) built wire by wire: a new node goes to
// the end, and when two nodes are joined the one at the lower position keeps
// the joined members (its own first) and the other leaves the list. Joins are
// near constant time (a union-find whose root is always the lower node).
class NodeList {
public:
    explicit NodeList(int terminalCount = 0);

    // A wire from a to b (also the two terminals of a component found dead,
    // which then joins what it stood between): joins the nodes of a and b,
    // adding a terminal that lies in no node to the other's node, or a new
    // node.
    void addWire(int a, int b);
    // Joins the nodes of a and b when both lie in a node: a conductor
    // between them.
    void join(int a, int b);

    // The node that holds the terminal, or -1. Node ids follow list order.
    int nodeOf(int terminal) const;
    // The nodes, in list order, each with its members in node order.
    std::vector<std::vector<int>> nodes() const;
    // Members of one node (an id from nodeOf) in node order.
    std::vector<int> members(int node) const;
    template <typename F> void forEachMember(int node, F&& f) const {
        for (int t = m_head[static_cast<std::size_t>(node)]; t >= 0;
             t = m_next[static_cast<std::size_t>(t)])
            f(t);
    }
    // Calls f(node) for every node, in list order.
    template <typename F> void forEachNode(F&& f) const {
        for (int node = 0; node < static_cast<int>(m_parent.size()); ++node)
            if (m_parent[static_cast<std::size_t>(node)] == node)
                f(node);
    }
    // The node texts: member names joined by "|".
    QStringList texts(const TerminalTable& terminals) const;

private:
    int root(int node) const;
    int newNode(int first);
    void append(int node, int terminal);
    // Joins node high into node low (low < high).
    void merge(int low, int high);

    std::vector<int> m_entered;        // per terminal: node it entered, -1
    std::vector<int> m_next;           // per terminal: next member, -1
    mutable std::vector<int> m_parent; // per node
    std::vector<int> m_head, m_tail;   // per node, valid at roots
};

} // namespace ampery::analysis
