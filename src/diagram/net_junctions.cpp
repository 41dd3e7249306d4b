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

QList<QPoint> junctionsOf(const Net& net, const QList<Symbol>& symbols) {
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
    for (const Symbol& symbol : symbols) {
        for (const bool positive : {true, false}) {
            const QString terminal = model::terminalName(symbol.name, positive);
            if (net.terminals.contains(terminal))
                posts.append(positive ? symbol.positive : symbol.negative);
        }
    }
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
