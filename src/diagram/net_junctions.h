#pragma once

#include "circuit_diagram.h"

#include <QHash>
#include <QList>
#include <QPoint>

namespace ampery::diagram {

// The points where three or more wires of the net meet, a post of the net
// counting as one wire: the dots of the diagram, in the order first met.
QList<QPoint> junctionsOf(const Net& net, const QList<QPoint>& posts);

// Whether a point lies on a segment, its ends included.
bool liesOn(QPoint point, const Segment& segment);

} // namespace ampery::diagram
