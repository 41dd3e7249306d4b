#pragma once

#include "block_reduction.h"
#include "fragment.h"

namespace ampery::diagram {

// Room left between things, in pixels.
namespace spacing {
inline constexpr int wire = 24; // the shortest wire between two symbols
inline constexpr int row = 32;  // between a row and the next one below it
} // namespace spacing

// A block laid out left to right. An open block leads nowhere past its
// right end, so a dead branch at its end continues the row.
Fragment placeBlock(const DiagramGraph& graph, const Block& block, bool open = false);

// A group drawn round its root part: the root upright on the left with its
// "∧" post on top, what lies between its nets along the top and back along
// the bottom, what hangs from each net in a row beside it.
Fragment placeLoop(const DiagramGraph& graph, int root, const ReducedLoop& loop);

} // namespace ampery::diagram
