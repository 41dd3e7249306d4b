#include "net_junctions.h"

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

QList<QPoint> junctionsOf(const Net& net, const QList<QPoint>& posts) {
    // The wires at each end of a segment, in the order first met: a segment
    // ending there or a post there counts one, a segment passing through two.
    QList<QPoint> points;
    QHash<QPoint, int> wires;
    QHash<int, QList<QPoint>> pointsInColumn, pointsInRow;
    const auto endAt = [&](QPoint p) {
        auto at = wires.find(p);
        if (at == wires.end()) {
            at = wires.insert(p, 0);
            points.append(p);
            pointsInColumn[p.x()].append(p);
            pointsInRow[p.y()].append(p);
        }
        ++at.value();
    };
    for (const Segment& s : net.segments) {
        endAt(s.from);
        if (s.to != s.from)
            endAt(s.to);
    }
    for (const QPoint post : posts)
        if (const auto at = wires.find(post); at != wires.end())
            ++at.value();
    for (const Segment& s : net.segments) {
        const bool upright = s.from.x() == s.to.x();
        if (!upright && s.from.y() != s.to.y())
            continue;
        for (const QPoint p :
             upright ? pointsInColumn.value(s.from.x()) : pointsInRow.value(s.from.y()))
            if (p != s.from && p != s.to && liesOn(p, s))
                wires[p] += 2;
    }
    QList<QPoint> junctions;
    for (const QPoint p : points)
        if (wires.value(p) >= 3)
            junctions.append(p);
    return junctions;
}

} // namespace ampery::diagram
