#include "diagram_graph.h"

#include "analysis/status_texts.h"
#include "analysis/terminal_table.h"
#include "model/component_type.h"

#include <QHash>

#include <algorithm>
#include <numeric>
#include <vector>

namespace ampery::diagram {

namespace {

class Joins {
public:
    explicit Joins(qsizetype count) : m_parent(std::size_t(count)) {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }
    int find(int at) {
        while (m_parent[std::size_t(at)] != at) {
            m_parent[std::size_t(at)] = m_parent[std::size_t(m_parent[std::size_t(at)])];
            at = m_parent[std::size_t(at)];
        }
        return at;
    }
    void join(int a, int b) {
        a = find(a);
        b = find(b);
        if (a != b)
            m_parent[std::size_t(std::max(a, b))] = std::min(a, b);
    }

private:
    std::vector<int> m_parent;
};

} // namespace

DiagramGraph diagramGraph(const DiagramSource& source) {
    DiagramGraph graph;
    graph.parts = source.parts;

    // Every terminal a wire names, whether or not a part has it: a wire to a
    // post that is gone still joins the wires that meet there. The table
    // gives a part's terminals without building their names, which a damaged
    // file can make as long as itself for every one of its parts.
    analysis::TerminalTable terminals;
    std::vector<std::pair<int, int>> partTerminals;
    partTerminals.reserve(std::size_t(source.parts.size()));
    for (const DiagramPart& part : source.parts)
        partTerminals.push_back(terminals.componentTerminals(part.name));
    std::vector<std::pair<int, int>> joined;
    for (const auto& [a, b] : source.wires)
        joined.emplace_back(terminals.intern(a), terminals.intern(b));

    Joins joins(terminals.size());
    for (const auto& [a, b] : joined)
        joins.join(a, b);

    QHash<int, int> netOfRoot;
    const auto netOf = [&](int terminal) {
        const int root = joins.find(terminal);
        const auto found = netOfRoot.constFind(root);
        if (found != netOfRoot.cend())
            return found.value();
        const int net = int(graph.netTerminals.size());
        netOfRoot.insert(root, net);
        graph.netTerminals.append(QStringList());
        graph.netPosts.append(0);
        return net;
    };
    std::vector<bool> listed(std::size_t(terminals.size()), false);
    for (const auto& [positive, negative] : partTerminals) {
        for (const int terminal : {positive, negative}) {
            const int net = netOf(terminal);
            (terminal == positive ? graph.positiveNet : graph.negativeNet).append(net);
            ++graph.netPosts[net];
            if (!listed[std::size_t(terminal)]) {
                listed[std::size_t(terminal)] = true;
                graph.netTerminals[net].append(terminals.name(terminal));
            }
        }
    }
    for (QStringList& names : graph.netTerminals)
        names.sort();
    return graph;
}

namespace {

// The source the analysis reckons with.
bool isMainSource(const DiagramPart& part) {
    return part.type == model::Source && part.name == analysis::texts::sourceName();
}

} // namespace

int groupRoot(const DiagramGraph& graph, const QList<int>& group) {
    for (const int part : group)
        if (isMainSource(graph.parts[part]))
            return part;
    for (const int part : group)
        if (graph.parts[part].type == model::Source)
            return part;
    return group.front();
}

QList<QList<int>> connectedGroups(const DiagramGraph& graph) {
    Joins joins(graph.netCount());
    for (int part = 0; part < graph.partCount(); ++part)
        joins.join(graph.positiveNet[part], graph.negativeNet[part]);

    QHash<int, int> groupOfRoot;
    QList<QList<int>> groups;
    for (int part = 0; part < graph.partCount(); ++part) {
        if (!graph.isWired(part))
            continue;
        const int root = joins.find(graph.positiveNet[part]);
        if (!groupOfRoot.contains(root)) {
            groupOfRoot.insert(root, int(groups.size()));
            groups.append(QList<int>());
        }
        groups[groupOfRoot.value(root)].append(part);
    }
    // The main source's group, then those with any other source.
    const auto rank = [&](const QList<int>& group) {
        int best = 2;
        for (const int part : group)
            if (graph.parts[part].type == model::Source)
                best = std::min(best, isMainSource(graph.parts[part]) ? 0 : 1);
        return best;
    };
    std::stable_sort(groups.begin(), groups.end(),
                     [&](const QList<int>& a, const QList<int>& b) { return rank(a) < rank(b); });
    return groups;
}

} // namespace ampery::diagram
