#pragma once

#include <QString>
#include <QStringList>

namespace ampery::model {

class Experiment;

// Appends "⊙" start "|" end "¤" track "‖", unless the wire joins a terminal
// to itself or the two terminals already have a wire in either direction.
// Returns whether the wire was added.
bool appendWire(Experiment& experiment, const QString& start, const QString& end,
                const QString& track);

// Removes the wires with a stored track point within 8 pixels of (x, y). When
// points of several wires are hit, only the removal for the last hit point (in
// text order) stays: every wire through exactly that point goes. Returns
// whether anything was removed.
bool deleteWiresAtPoint(Experiment& experiment, int x, int y);

// The wires at a dragged component, as copies of their records without the
// closing "‖", taken at drag start.
struct AttachedWires {
    QStringList rigid;     // both ends on the component
    QStringList stretched; // one end on it; turned so that they start there
};

// Collects the wires at both terminals of the named component. Wires that end
// at it are turned in the text (same position, same length) so that every
// stretched wire starts at the component.
AttachedWires collectAttachedWires(Experiment& experiment, const QString& name);

// Moves the collected wires by the total displacement since drag start: rigid
// wires bodily, stretched wires like a rubber band pinned at the other
// component's post (point j of N ≥ 2 moves by (N − j) / (N − 1) of it, rounded
// half away from zero; a one-point track moves whole).
void moveAttachedWires(Experiment& experiment, const AttachedWires& wires, int dx, int dy);

} // namespace ampery::model
