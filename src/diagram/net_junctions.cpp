#include "net_junctions.h"

#include "model/component_type.h"

#include <algorithm>

namespace ampery::diagram {

bool liesOn(QPoint point, const Segment& segment) {
    const QPoint& a = segment.from;
    const QPoint& b = segment.to;
    if (a.x() == b.x())
        return point.x() == a.x() && point.y() >= std::min(a.y(), b.y()) &&
               point.y() <= std::max(a.y(), b.y());
    if (a.y() == b.y())
        return point.y() == a.y() && point.x() >= std::min(a.x(), b.x()) &&
               point.x() <= std::max(a.x(), b.x());
    return false;
}

QHash<QString, QList<QPoint>> postsByTerminal(const QList<Symbol>& symbols) {
    QHash<QString, QList<QPoint>> posts;
    for (const Symbol& symbol : symbols) {
        posts[model::terminalName(symbol.name, true)].append(symbol.positive);
        posts[model::terminalName(symbol.name, false)].append(symbol.negative);
    }
    return posts;
}

QList<QPoint> junctionsOf(const Net& net, const QHash<QString, QList<QPoint>>& postsOf) {
    QList<QPoint> points;
    const auto note = [&](QPoint p) {
        if (!points.contains(p))
            points.append(p);
    };
    for (const Segment& s : net.segments) {
        note(s.from);
        note(s.to);
    }
    QList<QPoint> posts;
    for (const QString& terminal : net.terminals)
        posts += postsOf.value(terminal);
    QList<QPoint> junctions;
    for (const QPoint p : points) {
        int wires = int(std::count(posts.begin(), posts.end(), p));
        for (const Segment& s : net.segments) {
            if (s.from == p || s.to == p)
                ++wires;
            else if (liesOn(p, s))
                wires += 2;
        }
        if (wires >= 3)
            junctions.append(p);
    }
    return junctions;
}

} // namespace ampery::diagram
