#pragma once

#include <vector>

namespace ampery::diagram {

// A piece of the circuit between two nets, drawn from its left net to its
// right one, as series-parallel reduction builds it.
struct Block {
    enum class Kind {
        Part,     // one part; forward when its "∧" post is on the left
        Series,   // children left to right
        Parallel, // branches stacked between two junctions
        Bridge,   // children: left-top, top-right, left-bottom, bottom-right, top-bottom
        Tap,      // a dead branch hanging from a net (left = right): children[0]
        Shorted,  // a block whose ends are one net: children[0] with a wire beside it
    };
    Kind kind = Kind::Part;
    int left = 0;  // net
    int right = 0; // net
    int part = -1;
    std::vector<Block> children;

    // How many parts it holds.
    int size() const;
};

// The block drawn the other way round.
Block reversed(Block block);

Block partBlock(int part, int left, int right);
// Children joined end to end; nested series are flattened, empty ones dropped.
Block seriesOf(std::vector<Block> children);

} // namespace ampery::diagram
