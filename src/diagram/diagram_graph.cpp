#include "diagram_graph.h"

#include "analysis/status_texts.h"
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
    // post that is gone still joins the wires that meet there.
    QHash<QString, int> terminalIndex;
    const auto indexOf = [&](const QString& terminal) {
        const auto found = terminalIndex.constFind(terminal);
        if (found != terminalIndex.cend())
            return found.value();
        const int index = int(terminalIndex.size());
        terminalIndex.insert(terminal, index);
        return index;
    };
    for (const DiagramPart& part : source.parts) {
        indexOf(model::terminalName(part.name, true));
        indexOf(model::terminalName(part.name, false));
    }
    std::vector<std::pair<int, int>> joined;
    for (const auto& [a, b] : source.wires)
        joined.emplace_back(indexOf(a), indexOf(b));

    Joins joins(terminalIndex.size());
    for (const auto& [a, b] : joined)
        joins.join(a, b);

    QHash<int, int> netOfRoot;
    const auto netOf = [&](const QString& terminal) {
        const int root = joins.find(terminalIndex.value(terminal));
        const auto found = netOfRoot.constFind(root);
        if (found != netOfRoot.cend())
            return found.value();
        const int net = int(graph.netTerminals.size());
        netOfRoot.insert(root, net);
        graph.netTerminals.append(QStringList());
        graph.netPosts.append(0);
        return net;
    };
    for (const DiagramPart& part : source.parts) {
        for (const bool positive : {true, false}) {
            const QString terminal = model::terminalName(part.name, positive);
            const int net = netOf(terminal);
            (positive ? graph.positiveNet : graph.negativeNet).append(net);
            ++graph.netPosts[net];
            if (!graph.netTerminals[net].contains(terminal))
                graph.netTerminals[net].append(terminal);
        }
    }
    for (QStringList& terminals : graph.netTerminals)
        terminals.sort();
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
