#pragma once

#include "circuit_diagram.h"
#include "diagram_source.h"

namespace ampery::diagram {

// Lays the circuit out from how it is joined, not from where the components
// stand: the source's loop with the source on the left, series parts in a
// row, parallel branches stacked between two junctions, voltmeters across
// what they measure, dead branches hanging where they join, a bridge as the
// familiar rectangle, anything else in rows of buses; separate groups side
// by side and unwired parts aside.
CircuitDiagram layOut(const DiagramSource& source);

} // namespace ampery::diagram
