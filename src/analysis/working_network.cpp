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
        m_components.push_back({c.type, c.resistance, network.positive[i], network.negative[i],
                                PartRef{false, static_cast<int>(i)}, true});
    }
    m_count = static_cast<int>(m_components.size());
    // Room for the equivalents to come: at most one per component.
    const std::size_t room = at(terminals.size()) + 2 * m_components.size();
    for (std::vector<int>* list : {&m_nodeOf, &m_owner, &m_other, &m_nextInNode, &m_previousInNode})
        list->reserve(room);
    m_nodeOf.assign(at(terminals.size()), -1);
    m_nextInNode.assign(at(terminals.size()), -1);
    m_previousInNode.assign(at(terminals.size()), -1);
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
    m_nodes.reserve(at(terminals.size()));
    network.conductorNodes.forEachNode([&](int listed) {
        const int node = static_cast<int>(m_nodes.size());
        NodeHead& ends = m_nodes.emplace_back();
        int last = -1;
        network.conductorNodes.forEachMember(listed, [&](int t) {
            m_nodeOf[at(t)] = node;
            m_previousInNode[at(t)] = last;
            (last < 0 ? ends.first : m_nextInNode[at(last)]) = t;
            last = t;
            ++ends.size;
        });
    });
}

bool WorkingNetwork::sourceWithoutLoop() const {
    return nodeSize(m_sourcePositive) == 1 || nodeSize(m_sourceNegative) == 1;
}

std::vector<std::vector<int>> WorkingNetwork::allNodes() const {
    std::vector<std::vector<int>> list;
    list.reserve(m_nodes.size());
    for (int node = 0; node < nodeCount(); ++node) {
        std::vector<int>& copy = list.emplace_back();
        for (const int t : members(node))
            copy.push_back(t);
    }
    return list;
}

std::vector<std::vector<int>> WorkingNetwork::nodes() const {
    std::vector<std::vector<int>> list = allNodes();
    std::erase_if(list, [](const std::vector<int>& node) { return node.empty(); });
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

int WorkingNetwork::appendEntry(int type, double resistance, PartRef part) {
    const int index = static_cast<int>(m_components.size());
    const auto [positive, negative] = m_terminals.addUnlisted(part.index + 1);
    m_nodeOf.resize(at(m_terminals.size()), -1);
    m_nextInNode.resize(at(m_terminals.size()), -1);
    m_previousInNode.resize(at(m_terminals.size()), -1);
    m_owner.resize(at(m_terminals.size()), -1);
    m_other.resize(at(m_terminals.size()), -1);
    m_owner[at(positive)] = index;
    m_owner[at(negative)] = index;
    m_other[at(positive)] = negative;
    m_other[at(negative)] = positive;
    m_components.push_back({type, resistance, positive, negative, part, true});
    m_scannable.push_back(type != model::Source);
    m_sameName.push_back(-1);
    ++m_count;
    if (m_watcher)
        m_watcher->componentAppended(index);
    return index;
}

void WorkingNetwork::removeEntry(int component) {
    WorkingComponent& w = m_components[at(component)];
    if (!w.present)
        return;
    w.present = false;
    m_scannable[at(component)] = 0;
    --m_count;
    if (m_watcher)
        m_watcher->componentChanged(component);
    // Its terminals pass to the next component of its name still in the
    // lists, and the nodes that hold them look again at whose they are.
    if (ownerOf(w.positive) == component) {
        int next = m_sameName[at(component)];
        while (next >= 0 && !m_components[at(next)].present)
            next = m_sameName[at(next)];
        m_owner[at(w.positive)] = next;
        m_owner[at(w.negative)] = next;
    }
    if (m_watcher) {
        m_watcher->nodeChanged(nodeOf(w.positive));
        m_watcher->nodeChanged(nodeOf(w.negative));
    }
}

void WorkingNetwork::deleteNode(int node) {
    int t = m_nodes[at(node)].first;
    m_nodes[at(node)] = NodeHead{};
    while (t >= 0) {
        const int next = m_nextInNode[at(t)];
        m_nodeOf[at(t)] = -1;
        m_nextInNode[at(t)] = m_previousInNode[at(t)] = -1;
        if (m_watcher)
            m_watcher->terminalMoved(t);
        t = next;
    }
    if (m_watcher)
        m_watcher->nodeEdited(node);
}

// Takes the terminal out of its node's list.
void WorkingNetwork::unlink(int terminal) {
    NodeHead& ends = m_nodes[at(m_nodeOf[at(terminal)])];
    const int previous = m_previousInNode[at(terminal)];
    const int next = m_nextInNode[at(terminal)];
    (previous < 0 ? ends.first : m_nextInNode[at(previous)]) = next;
    if (next >= 0)
        m_previousInNode[at(next)] = previous;
    m_nextInNode[at(terminal)] = m_previousInNode[at(terminal)] = -1;
    m_nodeOf[at(terminal)] = -1;
    --ends.size;
}

// The replacement, which lies in no node, takes the terminal's place in its
// node's order.
void WorkingNetwork::replaceTerminal(int terminal, int replacement) {
    const int node = nodeOf(terminal);
    if (node < 0 || nodeOf(replacement) >= 0)
        return;
    NodeHead& ends = m_nodes[at(node)];
    const int previous = m_previousInNode[at(terminal)];
    const int next = m_nextInNode[at(terminal)];
    (previous < 0 ? ends.first : m_nextInNode[at(previous)]) = replacement;
    if (next >= 0)
        m_previousInNode[at(next)] = replacement;
    m_previousInNode[at(replacement)] = previous;
    m_nextInNode[at(replacement)] = next;
    m_nextInNode[at(terminal)] = m_previousInNode[at(terminal)] = -1;
    m_nodeOf[at(terminal)] = -1;
    m_nodeOf[at(replacement)] = node;
    if (m_watcher) {
        m_watcher->terminalMoved(terminal);
        m_watcher->terminalMoved(replacement);
        m_watcher->nodeEdited(node);
    }
}

void WorkingNetwork::dropTerminal(int terminal) {
    const int node = nodeOf(terminal);
    if (node < 0)
        return;
    unlink(terminal);
    if (m_watcher) {
        m_watcher->terminalMoved(terminal);
        m_watcher->nodeEdited(node);
    }
}

void WorkingNetwork::removeComponent(int component) {
    dropTerminal(m_components[at(component)].positive);
    dropTerminal(m_components[at(component)].negative);
    removeEntry(component);
}

} // namespace ampery::analysis
