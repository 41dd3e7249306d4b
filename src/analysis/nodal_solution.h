#pragma once

#include "reduction.h"
#include "solution.h"

#include <vector>

namespace ampery::analysis {

struct Network;
class WorkingNetwork;

enum class NodalEnd {
    Solved,
    NoClosedLoop, // no current path is left through the source
    Unsolvable,   // the network cannot be solved: the give-up report
};

struct NodalSolution {
    NodalEnd end = NodalEnd::Unsolvable;
    Solution solution;
};

// Solves a working network that the reduction could shrink no further, by
// the potentials of its nodes: the source's "∨" at 0 V, its "∧" at the
// source voltage. First the parts without a current path through the
// source are removed as dead, as the reduction removes them; then each part
// left hands its two potentials down to the components inside it, in
// working-list order.
NodalSolution solveByNodes(WorkingNetwork& work, Network& network,
                           const std::vector<Equivalent>& equivalents, double sourceVoltage);

} // namespace ampery::analysis
