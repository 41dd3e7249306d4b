#pragma once

#include "analysis_outcome.h"

#include "model/experiment.h"

#include <array>
#include <vector>

namespace ampery::analysis {

class Display;
struct Network;
struct Solution;

// What a solved circuit shows: the lamps and motors with records by their
// voltage, then everything else (dark lamps, stopped motors, every meter's
// reading), then the combine.
void displayPass(Display& display, const Network& network, const Solution& solution,
                 const std::array<QString, model::motorSlotCount>& motorSlots);

// The picture of a lamp at voltage u with rated voltage vr; none when no row
// holds.
std::optional<int> lampPicture(double u, double ratedVoltage);

// A motor's timer interval at voltage u with rated voltage vr (0 stopped).
int motorInterval(double u, double ratedVoltage);

// The slot a motor owns: the last slot holding its name; -1 for none.
int motorSlotOf(const QString& name, const std::array<QString, model::motorSlotCount>& motorSlots);

} // namespace ampery::analysis
