#pragma once

#include "model/component_record.h"

#include <vector>

namespace ampery::analysis {

class Display;

// Reset displays: stops all ten motor timers, shows every lamp,
// ammeter and voltmeter that is not on the done list at rest, then combines.
void resetDisplays(Display& display, const std::vector<model::Component>& components);

} // namespace ampery::analysis
