#include "working_network.h"

#include "list_index.h"
#include "network.h"
#include "terminal_table.h"

#include "model/component_type.h"

#include <algorithm>

namespace ampery::analysis {

WorkingNetwork::WorkingNetwork(const Network& network, TerminalTable& terminals)
    : m_terminals(terminals), m_sourcePositive(network.sourcePositive),
      m_sourceNegative(network.sourceNegative) {
    m_components.reserve(network.components.size() * 2);
    for (std::size_t i = 0; i < network.components.size(); ++i) {
        const model::Component& c = network.components[i];
        m_components.push_back({c.type, c.resistance, network.positive[i], network.negative[i],
                                PartRef{false, static_cast<int>(i)}, true});
    }
    m_count = static_cast<int>(m_components.size());
    // Places for the terminals of the equivalents to come: each would
    // otherwise grow the list again.
    m_places.resize(terminals.sizeWithEquivalentsOf(m_components.size()));
    for (std::size_t t = 0; t < network.owner.size(); ++t) {
        const int owner = network.owner[t];
        if (owner < 0)
            continue;
        const WorkingComponent& c = m_components[at(owner)];
        m_places[t].owner = owner;
        m_places[t].other = static_cast<int>(t) == c.positive ? c.negative : c.positive;
    }
    m_scannable.reserve(m_components.capacity());
    for (const WorkingComponent& c : m_components)
        m_scannable.push_back(c.type != model::Source);
    // Each component of a shared name joins the end of the name's chain,
    // which starts at the terminals' owner, the first of them.
    m_sameName.reserve(m_components.capacity());
    m_sameName.assign(m_components.size(), -1);
    for (int c = 0; c < m_count; ++c) {
        int last = m_places[at(m_components[at(c)].positive)].owner;
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
            m_places[at(t)].node = node;
            m_places[at(t)].previous = last;
            (last < 0 ? ends.first : m_places[at(last)].next) = t;
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
    if (m_places.size() < at(m_terminals.size()))
        m_places.resize(at(m_terminals.size()));
    m_places[at(positive)].owner = index;
    m_places[at(negative)].owner = index;
    m_places[at(positive)].other = negative;
    m_places[at(negative)].other = positive;
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
        m_places[at(w.positive)].owner = next;
        m_places[at(w.negative)].owner = next;
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
        const int next = m_places[at(t)].next;
        m_places[at(t)].leaveNode();
        if (m_watcher)
            m_watcher->terminalMoved(t);
        t = next;
    }
    if (m_watcher)
        m_watcher->nodeEdited(node);
}

// Takes the terminal out of its node's list.
void WorkingNetwork::unlink(int terminal) {
    NodeHead& ends = m_nodes[at(m_places[at(terminal)].node)];
    const int previous = m_places[at(terminal)].previous;
    const int next = m_places[at(terminal)].next;
    (previous < 0 ? ends.first : m_places[at(previous)].next) = next;
    if (next >= 0)
        m_places[at(next)].previous = previous;
    m_places[at(terminal)].leaveNode();
    --ends.size;
}

// The replacement, which lies in no node, takes the terminal's place in its
// node's order.
void WorkingNetwork::replaceTerminal(int terminal, int replacement) {
    const int node = nodeOf(terminal);
    if (node < 0 || nodeOf(replacement) >= 0)
        return;
    NodeHead& ends = m_nodes[at(node)];
    const int previous = m_places[at(terminal)].previous;
    const int next = m_places[at(terminal)].next;
    (previous < 0 ? ends.first : m_places[at(previous)].next) = replacement;
    if (next >= 0)
        m_places[at(next)].previous = replacement;
    m_places[at(replacement)].previous = previous;
    m_places[at(replacement)].next = next;
    m_places[at(terminal)].leaveNode();
    m_places[at(replacement)].node = node;
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
