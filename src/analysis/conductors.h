#pragma once

#include "model/component_record.h"

namespace ampery::analysis {

// The per-component rules by which switches, ammeters and zero-resistance
// components enter the node lists. The Parts state them separately and they
// differ in small ways (type 10, switch states), so each is kept as written.

// Part 2.1: a plain conductor gets a short seed.
bool isPlainConductor(const model::Component& component);

// Part 2.3, Join conductors: every component but the source, voltmeters and
// switches in state 0.
bool joinsAsConductor(const model::Component& component);

// Part 2.5, Ammeter nodes: joined in the ammeter's view of the network.
bool joinsInAmmeterView(const model::Component& component);

// Part 2.5, Ammeter nodes: whose terminals leave the ammeter's view.
bool leavesAmmeterView(const model::Component& component);

} // namespace ampery::analysis
