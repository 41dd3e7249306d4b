#include "node_list.h"

#include "list_index.h"
#include "terminal_table.h"

namespace ampery::analysis {

NodeList::NodeList(int terminalCount)
    : m_entered(at(terminalCount), -1), m_next(at(terminalCount), -1) {
    // A node holds a terminal or more: room for every node at once.
    for (std::vector<int>* list : {&m_parent, &m_head, &m_tail})
        list->reserve(at(terminalCount));
}

int NodeList::root(int node) const {
    while (m_parent[at(node)] != node) {
        m_parent[at(node)] = m_parent[at(m_parent[at(node)])];
        node = m_parent[at(node)];
    }
    return node;
}

int NodeList::nodeOf(int terminal) const {
    if (terminal < 0 || terminal >= static_cast<int>(m_entered.size()))
        return -1;
    const int entered = m_entered[at(terminal)];
    return entered < 0 ? -1 : root(entered);
}

int NodeList::newNode(int first) {
    const int node = static_cast<int>(m_parent.size());
    m_parent.push_back(node);
    m_head.push_back(first);
    m_tail.push_back(first);
    m_entered[at(first)] = node;
    m_next[at(first)] = -1;
    return node;
}

void NodeList::append(int node, int terminal) {
    m_next[at(m_tail[at(node)])] = terminal;
    m_tail[at(node)] = terminal;
    m_next[at(terminal)] = -1;
    m_entered[at(terminal)] = node;
}

void NodeList::merge(int low, int high) {
    m_next[at(m_tail[at(low)])] = m_head[at(high)];
    m_tail[at(low)] = m_tail[at(high)];
    m_parent[at(high)] = low;
}

void NodeList::addWire(int a, int b) {
    const int size = static_cast<int>(m_entered.size());
    if (a < 0 || b < 0 || a >= size || b >= size)
        return;
    const int e = nodeOf(a);
    const int f = nodeOf(b);
    if (e < 0 && f < 0) {
        const int node = newNode(a);
        if (b != a)
            append(node, b);
    } else if (f < 0) {
        append(e, b);
    } else if (e < 0) {
        append(f, a);
    } else if (e < f) {
        merge(e, f);
    } else if (f < e) {
        merge(f, e);
    }
}

void NodeList::join(int a, int b) {
    const int e = nodeOf(a);
    const int f = nodeOf(b);
    if (e < 0 || f < 0 || e == f)
        return;
    if (e < f)
        merge(e, f);
    else
        merge(f, e);
}

std::vector<int> NodeList::members(int node) const {
    std::vector<int> list;
    forEachMember(node, [&list](int t) { list.push_back(t); });
    return list;
}

std::vector<std::vector<int>> NodeList::nodes() const {
    std::vector<std::vector<int>> list;
    forEachNode([&](int node) { list.push_back(members(node)); });
    return list;
}

QStringList NodeList::texts(const TerminalTable& terminals) const {
    QStringList list;
    for (const std::vector<int>& node : nodes()) {
        QStringList parts;
        for (const int t : node)
            parts.append(terminals.name(t));
        list.append(parts.join(QLatin1Char('|')));
    }
    return list;
}

} // namespace ampery::analysis
