#pragma once

#include <vector>

namespace ampery::analysis {

// A branch of a network between two nodes (node ids from 0; -1 for a
// terminal in no node).
struct Branch {
    int from = -1;
    int to = -1;
};

// Which branches can carry current driven by the branch `driver`: those
// that lie on a closed path through it, that is in its block (its
// biconnected part). A branch outside it hangs from the rest by a single
// node, or is not joined to it at all, and no current flows through it.
// One flag per branch; a branch that starts and ends at one node, or has an
// end in no node, is never on such a path, nor is a driver without one.
std::vector<bool> onClosedPathThrough(const std::vector<Branch>& branches, int nodeCount,
                                      int driver);

} // namespace ampery::analysis
