#pragma once

#include <QString>

namespace ampery::model {

inline constexpr int sliderPositionCount = 5;

// The rheostat's resistance at a slider position from 0 (minimum) to 4
// (maximum) in quarters, as record text; empty text for any other position.
QString sliderResistanceText(double minimum, double maximum, int position);

} // namespace ampery::model
