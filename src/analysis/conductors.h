#pragma once

#include "model/component_record.h"

namespace ampery::analysis {

// The per-component rules by which switches, ammeters and zero-resistance
// components enter the node lists. The four rules differ in small ways
// (type 10, switch states), so each is kept as it stands.

// A plain conductor (a closed switch, an ammeter) starts the full node list
// with its two terminals already in one node: a wire of no resistance.
bool isPlainConductor(const model::Component& component);

// Whether a component carries current from one terminal to the other when
// the open-circuit voltmeters are read: every component but the source,
// voltmeters and open switches.
bool joinsAsConductor(const model::Component& component);

// Ammeter nodes: joined in the ammeter's view of the network.
bool joinsInAmmeterView(const model::Component& component);

// Ammeter nodes: whose terminals leave the ammeter's view.
bool leavesAmmeterView(const model::Component& component);

} // namespace ampery::analysis
