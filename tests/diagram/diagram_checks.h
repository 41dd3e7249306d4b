#pragma once

#include "diagram/circuit_diagram.h"
#include "diagram/diagram_source.h"

#include "model/component_type.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <numeric>
#include <vector>

// Checks of a laid-out diagram against the source it came from, worked out
// here from the geometry alone. Each returns the first fault found, or an
// empty text.
namespace diagram_checks {

using namespace ampery::diagram;

// The wire nodes as wires alone make them: for each wire in order, the
// nodes of its two ends are joined (a new node when neither is in one).
// Terminals of no part are dropped afterwards, and so are nodes left with
// fewer than two terminals.
inline QList<QSet<QString>> wireNodes(const DiagramSource& source) {
    QList<QSet<QString>> nodes;
    const auto nodeOf = [&](const QString& t) {
        for (qsizetype i = 0; i < nodes.size(); ++i)
            if (nodes[i].contains(t))
                return i;
        return qsizetype(-1);
    };
    for (const auto& [a, b] : source.wires) {
        const qsizetype e = nodeOf(a);
        const qsizetype f = nodeOf(b);
        if (e < 0 && f < 0)
            nodes.append(QSet<QString>{a, b});
        else if (e < 0)
            nodes[f].insert(a);
        else if (f < 0)
            nodes[e].insert(b);
        else if (e != f) {
            nodes[std::min(e, f)].unite(nodes[std::max(e, f)]);
            nodes.removeAt(std::max(e, f));
        }
    }
    QSet<QString> drawn;
    for (const DiagramPart& part : source.parts) {
        drawn.insert(ampery::model::terminalName(part.name, true));
        drawn.insert(ampery::model::terminalName(part.name, false));
    }
    QList<QSet<QString>> kept;
    for (QSet<QString> node : nodes) {
        node.intersect(drawn);
        if (node.size() >= 2)
            kept.append(node);
    }
    return kept;
}

inline bool isStraight(const Segment& s) {
    return s.from != s.to && (s.from.x() == s.to.x() || s.from.y() == s.to.y());
}

inline bool onSegment(QPoint p, const Segment& s) {
    return p.x() >= std::min(s.from.x(), s.to.x()) && p.x() <= std::max(s.from.x(), s.to.x()) &&
           p.y() >= std::min(s.from.y(), s.to.y()) && p.y() <= std::max(s.from.y(), s.to.y());
}

inline bool isEnd(QPoint p, const Segment& s) {
    return p == s.from || p == s.to;
}

// How two straight segments meet: not at all, in one point that is inside
// both and where they cross at right angles, or otherwise (touching).
enum class Meeting { Apart, Crossing, Touching };

inline Meeting meeting(const Segment& a, const Segment& b) {
    const bool aVertical = a.from.x() == a.to.x();
    const bool bVertical = b.from.x() == b.to.x();
    if (aVertical != bVertical) {
        const Segment& v = aVertical ? a : b;
        const Segment& h = aVertical ? b : a;
        const QPoint p(v.from.x(), h.from.y());
        if (!onSegment(p, v) || !onSegment(p, h))
            return Meeting::Apart;
        return isEnd(p, v) || isEnd(p, h) ? Meeting::Touching : Meeting::Crossing;
    }
    // Parallel: they meet only when on one line and overlapping.
    if (aVertical ? a.from.x() != b.from.x() : a.from.y() != b.from.y())
        return Meeting::Apart;
    const int a0 = aVertical ? std::min(a.from.y(), a.to.y()) : std::min(a.from.x(), a.to.x());
    const int a1 = aVertical ? std::max(a.from.y(), a.to.y()) : std::max(a.from.x(), a.to.x());
    const int b0 = aVertical ? std::min(b.from.y(), b.to.y()) : std::min(b.from.x(), b.to.x());
    const int b1 = aVertical ? std::max(b.from.y(), b.to.y()) : std::max(b.from.x(), b.to.x());
    return a1 < b0 || b1 < a0 ? Meeting::Apart : Meeting::Touching;
}

// Whether a straight segment reaches inside a box (its edges excluded).
inline bool entersBox(const Segment& s, const QRect& box) {
    const int left = std::min(s.from.x(), s.to.x());
    const int right = std::max(s.from.x(), s.to.x());
    const int top = std::min(s.from.y(), s.to.y());
    const int bottom = std::max(s.from.y(), s.to.y());
    // QRect's right() and bottom() are one short of the edge.
    return right > box.left() && left < box.left() + box.width() && bottom > box.top() &&
           top < box.top() + box.height();
}

inline QString describe(const Segment& s) {
    return QStringLiteral("(%1,%2)-(%3,%4)")
        .arg(s.from.x())
        .arg(s.from.y())
        .arg(s.to.x())
        .arg(s.to.y());
}

struct Report {
    QString fault;
    int crossings = 0;
};

inline Report check(const DiagramSource& source, const CircuitDiagram& diagram) {
    Report report;
    const auto fail = [&](const QString& text) {
        if (report.fault.isEmpty())
            report.fault = text;
    };

    // Every part once.
    QList<int> numbers;
    for (const Symbol& symbol : diagram.symbols)
        numbers.append(symbol.componentNumber);
    QList<int> expected;
    for (const DiagramPart& part : source.parts)
        expected.append(part.number);
    std::sort(numbers.begin(), numbers.end());
    std::sort(expected.begin(), expected.end());
    if (numbers != expected)
        fail(QStringLiteral("the symbols are not the parts, once each"));

    // The nets join exactly what the wires join.
    QList<QSet<QString>> drawnNets;
    for (const Net& net : diagram.nets)
        drawnNets.append(QSet<QString>(net.terminals.begin(), net.terminals.end()));
    const QList<QSet<QString>> wireNets = wireNodes(source);
    for (const QSet<QString>& node : wireNets)
        if (!drawnNets.contains(node))
            fail(QStringLiteral("no net joins %1").arg(QStringList(node.values()).join(u' ')));
    if (drawnNets.size() != wireNets.size())
        fail(
            QStringLiteral("%1 nets for %2 wire nodes").arg(drawnNets.size()).arg(wireNets.size()));

    QHash<QString, QPoint> posts;
    for (const Symbol& symbol : diagram.symbols) {
        posts.insert(ampery::model::terminalName(symbol.name, true), symbol.positive);
        posts.insert(ampery::model::terminalName(symbol.name, false), symbol.negative);
        if (!QRect(QPoint(0, 0), diagram.size).contains(symbol.box))
            fail(symbol.name + QStringLiteral(" lies outside the diagram"));
        // The posts lie on the cell's edges; QRect's right() is one short of its edge.
        const QRect withEdges(symbol.box.topLeft(), symbol.box.size() + QSize(1, 1));
        if (!withEdges.contains(symbol.positive) || !withEdges.contains(symbol.negative))
            fail(symbol.name + QStringLiteral("'s posts are not on its cell"));
    }
    for (qsizetype i = 0; i < diagram.symbols.size(); ++i)
        for (qsizetype j = i + 1; j < diagram.symbols.size(); ++j)
            if (diagram.symbols[i].box.intersects(diagram.symbols[j].box))
                fail(diagram.symbols[i].name + QStringLiteral(" overlaps ") +
                     diagram.symbols[j].name);

    for (qsizetype n = 0; n < diagram.nets.size(); ++n) {
        const Net& net = diagram.nets[n];
        for (const Segment& s : net.segments) {
            if (!isStraight(s))
                fail(QStringLiteral("segment %1 is not horizontal or vertical").arg(describe(s)));
            for (const Symbol& symbol : diagram.symbols)
                if (entersBox(s, symbol.box))
                    fail(QStringLiteral("segment %1 passes through %2")
                             .arg(describe(s), symbol.name));
            for (auto post = posts.cbegin(); post != posts.cend(); ++post)
                if (!net.terminals.contains(post.key()) && onSegment(post.value(), s))
                    fail(QStringLiteral("segment %1 touches %2").arg(describe(s), post.key()));
        }
        // The net's posts all lie on its wire, and its wire is one piece.
        for (const QString& terminal : net.terminals) {
            const QPoint p = posts.value(terminal);
            if (std::none_of(net.segments.begin(), net.segments.end(),
                             [&](const Segment& s) { return onSegment(p, s); }))
                fail(terminal + QStringLiteral(" is not on its net's wire"));
        }
        std::vector<qsizetype> piece(std::size_t(net.segments.size()));
        std::iota(piece.begin(), piece.end(), 0);
        const auto find = [&](qsizetype at) {
            while (piece[std::size_t(at)] != at)
                at = piece[std::size_t(at)];
            return at;
        };
        for (qsizetype a = 0; a < net.segments.size(); ++a)
            for (qsizetype b = a + 1; b < net.segments.size(); ++b)
                if (meeting(net.segments[a], net.segments[b]) == Meeting::Touching)
                    piece[std::size_t(find(b))] = find(a);
        for (qsizetype a = 1; a < net.segments.size(); ++a)
            if (find(a) != find(0))
                fail(QStringLiteral("the wire of %1 is in pieces").arg(net.terminals.join(u' ')));
        // A dot wherever three or more wires of the net meet, a post counting
        // as one, and nowhere else.
        for (const Segment& s : net.segments)
            for (const QPoint end : {s.from, s.to}) {
                int wires = 0;
                for (const QString& terminal : net.terminals)
                    wires += posts.value(terminal) == end ? 1 : 0;
                for (const Segment& other : net.segments)
                    wires += isEnd(end, other) ? 1 : onSegment(end, other) ? 2 : 0;
                if ((wires >= 3) != net.junctions.contains(end))
                    fail(QStringLiteral("%1 dot at (%2,%3)")
                             .arg(wires >= 3 ? QStringLiteral("no") : QStringLiteral("a stray"))
                             .arg(end.x())
                             .arg(end.y()));
            }
        for (const QPoint dot : net.junctions)
            if (std::none_of(net.segments.begin(), net.segments.end(),
                             [&](const Segment& s) { return isEnd(dot, s); }))
                fail(QStringLiteral("a stray dot at (%1,%2)").arg(dot.x()).arg(dot.y()));

        for (qsizetype m = n + 1; m < diagram.nets.size(); ++m)
            for (const Segment& a : net.segments)
                for (const Segment& b : diagram.nets[m].segments)
                    switch (meeting(a, b)) {
                    case Meeting::Apart:
                        break;
                    case Meeting::Crossing:
                        ++report.crossings;
                        break;
                    case Meeting::Touching:
                        fail(QStringLiteral("nets touch at %1 and %2")
                                 .arg(describe(a), describe(b)));
                        break;
                    }
    }
    return report;
}

} // namespace diagram_checks
