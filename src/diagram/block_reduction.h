#pragma once

#include "block.h"
#include "diagram_graph.h"

#include <QList>

#include <optional>
#include <vector>

namespace ampery::diagram {

// A group's circuit as seen from its root part (the source): what lies
// between the root's two nets, and what hangs from each of them.
struct ReducedLoop {
    std::optional<Block> between;  // from the root's "∧" net to its "∨" net
    std::vector<Block> atPositive; // taps and shorted blocks at the "∧" net
    std::vector<Block> atNegative; // the same at the "∨" net; empty when the nets are one
};

// Series, parallel, bridge, dead-branch and shorted-part reductions of the
// group's parts other than the root; none when the circuit does not reduce
// to blocks.
std::optional<ReducedLoop> reduceLoop(const DiagramGraph& graph, const QList<int>& group, int root);

} // namespace ampery::diagram
