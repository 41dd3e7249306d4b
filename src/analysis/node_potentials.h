#pragma once

#include <optional>
#include <vector>

namespace ampery::analysis {

// A conductance between two nodes (ids from 0).
struct Conductance {
    int from = -1;
    int to = -1;
    double siemens = 0;
};

// A node held at a potential by the source.
struct HeldNode {
    int node = -1;
    double volts = 0;
};

// Nodal analysis: the potential of every node that a conductance reaches,
// from the current law at each node that is not held (the others' entries
// are NaN). Potentials that differ by less than the rounding of the solve
// (1e-12 of the largest held potential) are made one, so that a branch
// between two nodes of equal potential, such as the middle of a balanced
// bridge, carries exactly nothing. None when the system has no unique
// finite solution, or when the solve could not keep its rounding small.
std::optional<std::vector<double>> nodePotentials(int nodeCount,
                                                  const std::vector<Conductance>& conductances,
                                                  const std::vector<HeldNode>& held);

} // namespace ampery::analysis
