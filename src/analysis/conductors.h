#pragma once

#include "model/component_record.h"

namespace ampery::analysis {

// The per-component rules by which switches, ammeters and zero-resistance
// components enter the node lists. The four rules differ in small ways
// (type 10, switch states), so each is kept as it stands.

// A plain conductor gets a short seed in the full node list.
bool isPlainConductor(const model::Component& component);

// Join conductors: every component but the source, voltmeters and
// switches in state 0.
bool joinsAsConductor(const model::Component& component);

// Ammeter nodes: joined in the ammeter's view of the network.
bool joinsInAmmeterView(const model::Component& component);

// Ammeter nodes: whose terminals leave the ammeter's view.
bool leavesAmmeterView(const model::Component& component);

} // namespace ampery::analysis
