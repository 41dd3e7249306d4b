#include "diagram_layout.h"

#include "block_placement.h"
#include "bus_placement.h"
#include "diagram_graph.h"
#include "net_junctions.h"

#include "model/component_type.h"

#include <algorithm>

namespace ampery::diagram {

namespace {

constexpr int margin = 20;
constexpr int groupGap = 64;

Fragment placeGroup(const DiagramGraph& graph, const QList<int>& group) {
    const int root = groupRoot(graph, group);
    if (const std::optional<ReducedLoop> loop = reduceLoop(graph, group, root))
        return placeLoop(graph, root, *loop);
    QList<int> ordered{root};
    for (const int part : group)
        if (part != root)
            ordered.append(part);
    return placeBuses(graph, ordered);
}

// The parts without a wire, in a row under everything else.
Fragment placeUnwired(const DiagramGraph& graph) {
    Fragment f;
    int x = 0;
    for (int part = 0; part < graph.partCount(); ++part) {
        if (graph.isWired(part))
            continue;
        f.addSymbol(horizontalSymbol(graph, part, QPoint(x, 0), false));
        x += cell::length + spacing::wire;
    }
    return f;
}

} // namespace

CircuitDiagram layOut(const DiagramSource& source) {
    const DiagramGraph graph = diagramGraph(source);
    Fragment whole;
    int x = 0;
    for (const QList<int>& group : connectedGroups(graph)) {
        const Fragment placed = placeGroup(graph, group);
        whole.add(placed, QPoint(x - placed.bounds.left(), -placed.bounds.top()));
        x = whole.bounds.right() + 1 + groupGap;
    }
    const Fragment unwired = placeUnwired(graph);
    if (!unwired.symbols.isEmpty()) {
        const int y = whole.bounds.isNull() ? 0 : whole.bounds.bottom() + 1 + spacing::row;
        whole.add(unwired, QPoint(0, y + unwired.above()));
    }

    CircuitDiagram diagram;
    if (whole.bounds.isNull()) {
        diagram.size = QSize(0, 0);
        return diagram;
    }
    const QPoint offset = QPoint(margin, margin) - whole.bounds.topLeft();
    for (Symbol symbol : whole.symbols) {
        symbol.box.translate(offset);
        symbol.positive += offset;
        symbol.negative += offset;
        diagram.symbols.append(std::move(symbol));
    }
    QHash<int, int> partOfNumber;
    for (int part = 0; part < graph.partCount(); ++part)
        partOfNumber.insert(graph.parts[part].number, part);
    QList<QList<QPoint>> posts(graph.netCount());
    for (const Symbol& symbol : diagram.symbols) {
        const int part = partOfNumber.value(symbol.componentNumber);
        posts[graph.positiveNet[part]].append(symbol.positive);
        posts[graph.negativeNet[part]].append(symbol.negative);
    }
    QList<Net> nets(graph.netCount());
    for (const PlacedWire& wire : whole.wires)
        nets[wire.net].segments.append({wire.segment.from + offset, wire.segment.to + offset});
    for (int net = 0; net < graph.netCount(); ++net) {
        if (graph.netPosts[net] < 2)
            continue;
        Net& n = nets[net];
        n.terminals = graph.netTerminals[net];
        n.junctions = junctionsOf(n, posts[net]);
        diagram.nets.append(std::move(n));
    }
    diagram.size = whole.bounds.size() + QSize(2 * margin, 2 * margin);
    return diagram;
}

} // namespace ampery::diagram
