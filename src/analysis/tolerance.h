#pragma once

namespace ampery::analysis {

// Doubles are compared against zero and against thresholds with this
// tolerance; a value within it of zero counts as zero.
inline constexpr double epsilon = 1e-7;

} // namespace ampery::analysis
