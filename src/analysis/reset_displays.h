#pragma once

#include "model/component_record.h"

#include <vector>

namespace ampery::analysis {

class Display;

// Shows everything at rest: stops all ten motor timers, shows every lamp,
// ammeter and voltmeter that has not been shown yet dark or at zero, then
// combines.
void resetDisplays(Display& display, const std::vector<model::Component>& components);

} // namespace ampery::analysis
