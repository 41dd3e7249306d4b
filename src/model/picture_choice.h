#pragma once

#include <optional>

namespace ampery::model {

// Indices into the picture table.
namespace picture {
inline constexpr int source = 0;
inline constexpr int switchOpen = 1;
inline constexpr int switchClosed = 2;
inline constexpr int lampDark = 3;
inline constexpr int lampDim = 4;
inline constexpr int lampBright = 5;
inline constexpr int lampBroken = 6;
inline constexpr int resistor = 7;
inline constexpr int rheostatFirst = 8; // slider position 0; position k is 8 + k
inline constexpr int motorFirst = 13;   // rotor frames 13 to 16
inline constexpr int ammeterFirst = 17; // needle left end, left, right, right end
inline constexpr int voltmeterFirst = 21;
inline constexpr int count = 25;
} // namespace picture

// The picture the full redraw shows for a record in its stored state; none for
// a switch or rheostat in a state it does not know, or an unknown type.
std::optional<int> pictureForRecord(int type, int state);

} // namespace ampery::model
