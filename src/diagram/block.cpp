#include "block.h"

#include <algorithm>
#include <utility>

namespace ampery::diagram {

int Block::size() const {
    int count = kind == Kind::Part ? 1 : 0;
    for (const Block& child : children)
        count += child.size();
    return count;
}

Block reversed(Block block) {
    std::swap(block.left, block.right);
    switch (block.kind) {
    case Block::Kind::Part:
    case Block::Kind::Tap:
    case Block::Kind::Shorted:
        break;
    case Block::Kind::Series:
        std::reverse(block.children.begin(), block.children.end());
        for (Block& child : block.children)
            child = reversed(std::move(child));
        break;
    case Block::Kind::Parallel:
        for (Block& child : block.children)
            child = reversed(std::move(child));
        break;
    case Block::Kind::Bridge: {
        // Left-top becomes top-right seen from the other side, and so on.
        std::vector<Block>& c = block.children;
        std::vector<Block> turned;
        turned.push_back(reversed(std::move(c[1])));
        turned.push_back(reversed(std::move(c[0])));
        turned.push_back(reversed(std::move(c[3])));
        turned.push_back(reversed(std::move(c[2])));
        turned.push_back(std::move(c[4]));
        c = std::move(turned);
        break;
    }
    }
    return block;
}

Block partBlock(int part, int left, int right) {
    Block block;
    block.kind = Block::Kind::Part;
    block.part = part;
    block.left = left;
    block.right = right;
    return block;
}

Block seriesOf(std::vector<Block> children) {
    Block series;
    series.kind = Block::Kind::Series;
    for (Block& child : children) {
        if (child.kind == Block::Kind::Series) {
            for (Block& grandchild : child.children)
                series.children.push_back(std::move(grandchild));
        } else {
            series.children.push_back(std::move(child));
        }
    }
    if (series.children.size() == 1)
        return std::move(series.children.front());
    if (!series.children.empty()) {
        series.left = series.children.front().left;
        series.right = series.children.back().right;
    }
    return series;
}

} // namespace ampery::diagram
