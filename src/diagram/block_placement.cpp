#include "block_placement.h"

#include "model/component_type.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace ampery::diagram {

namespace {

constexpr int gap = spacing::wire;
constexpr int rowGap = spacing::row;

bool onlyVoltmeters(const DiagramGraph& graph, const Block& block) {
    if (block.kind == Block::Kind::Part)
        return graph.parts[block.part].type == model::Voltmeter;
    return std::all_of(block.children.begin(), block.children.end(),
                       [&](const Block& child) { return onlyVoltmeters(graph, child); });
}

int firstNumber(const DiagramGraph& graph, const Block& block) {
    int first = block.kind == Block::Kind::Part ? graph.parts[block.part].number
                                                : std::numeric_limits<int>::max();
    for (const Block& child : block.children)
        first = std::min(first, firstNumber(graph, child));
    return first;
}

Fragment placePart(const DiagramGraph& graph, const Block& block) {
    Fragment f;
    f.addSymbol(horizontalSymbol(graph, block.part, QPoint(0, 0),
                                 graph.positiveNet[block.part] == block.left));
    f.width = cell::length;
    return f;
}

Fragment placeSeries(const DiagramGraph& graph, const Block& block, bool open) {
    Fragment f;
    int x = 0;
    for (std::size_t i = 0; i < block.children.size(); ++i) {
        const Block* child = &block.children[i];
        const bool last = i + 1 == block.children.size();
        if (open && last && child->kind == Block::Kind::Tap)
            child = &child->children.front();
        if (i > 0) {
            f.addWire(QPoint(x, 0), QPoint(x + gap, 0), child->left);
            x += gap;
        }
        const Fragment placed = placeBlock(graph, *child, open && last);
        f.add(placed, QPoint(x, 0));
        x += placed.width;
    }
    f.width = x;
    return f;
}

Fragment placeParallel(const DiagramGraph& graph, const Block& block) {
    // The circuit's own branches first, voltmeters across them below; among
    // each, the branch of the first-placed part on top.
    std::vector<const Block*> branches;
    for (const Block& child : block.children)
        branches.push_back(&child);
    const auto order = [&](const Block* b) {
        return std::pair(onlyVoltmeters(graph, *b), firstNumber(graph, *b));
    };
    std::stable_sort(branches.begin(), branches.end(),
                     [&](const Block* a, const Block* b) { return order(a) < order(b); });
    std::vector<Fragment> placed;
    int widest = 0;
    for (const Block* branch : branches) {
        placed.push_back(placeBlock(graph, *branch));
        widest = std::max(widest, placed.back().width);
    }
    Fragment f;
    const int right = widest + 2 * gap;
    int y = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (i > 0)
            y += placed[i - 1].below() + rowGap + placed[i].above();
        const int x = gap + (widest - placed[i].width) / 2;
        f.addWire(QPoint(0, y), QPoint(x, y), block.left);
        f.add(placed[i], QPoint(x, y));
        f.addWire(QPoint(x + placed[i].width, y), QPoint(right, y), block.right);
    }
    f.addWire(QPoint(0, 0), QPoint(0, y), block.left);
    f.addWire(QPoint(right, 0), QPoint(right, y), block.right);
    f.width = right;
    return f;
}

// The bridge as the book draws it with square corners: two arms along the
// top, two along the bottom, the middle part upright between their joints.
Fragment placeBridge(const DiagramGraph& graph, const Block& block) {
    const Block& middle = block.children[4];
    const Fragment leftTop = placeBlock(graph, block.children[0]);
    const Fragment topRight = placeBlock(graph, block.children[1]);
    const Fragment leftBottom = placeBlock(graph, block.children[2]);
    const Fragment bottomRight = placeBlock(graph, block.children[3]);
    const int top = middle.left;
    const int bottom = middle.right;
    const int topRowBelow = std::max(leftTop.below(), topRight.below());
    const int bottomRowAbove = std::max(leftBottom.above(), bottomRight.above());

    Fragment f;
    int topJoint = 0;    // x where the middle leaves the top row
    int bottomJoint = 0; // x where it reaches the bottom row
    int bottomRow = 0;
    int topRightStart = 0;
    int bottomRightStart = 0;
    if (middle.kind == Block::Kind::Part) {
        topJoint = gap + std::max(leftTop.width, leftBottom.width) + gap / 2 + cell::leftOfSpine;
        bottomJoint = topJoint;
        topRightStart = topJoint + cell::rightOfSpine + gap / 2;
        bottomRightStart = topRightStart;
        const int middleTop = gap;
        bottomRow = std::max(middleTop + cell::length + gap, topRowBelow + rowGap + bottomRowAbove);
        f.addWire(QPoint(topJoint, 0), QPoint(topJoint, middleTop), top);
        f.addSymbol(verticalSymbol(graph, middle.part, QPoint(topJoint, middleTop),
                                   graph.positiveNet[middle.part] == top));
        f.addWire(QPoint(topJoint, middleTop + cell::length), QPoint(topJoint, bottomRow), bottom);
    } else {
        const Fragment across = placeBlock(graph, middle);
        topJoint = gap + leftTop.width + gap;
        bottomJoint = std::max(topJoint + 2 * gap + across.width, gap + leftBottom.width + gap);
        topRightStart = topJoint + gap;
        bottomRightStart = bottomJoint + gap;
        const int middleRow = topRowBelow + rowGap + across.above();
        bottomRow = middleRow + across.below() + rowGap + bottomRowAbove;
        f.addWire(QPoint(topJoint, 0), QPoint(topJoint, middleRow), top);
        f.addWire(QPoint(topJoint, middleRow), QPoint(topJoint + gap, middleRow), top);
        f.add(across, QPoint(topJoint + gap, middleRow));
        f.addWire(QPoint(topJoint + gap + across.width, middleRow), QPoint(bottomJoint, middleRow),
                  bottom);
        f.addWire(QPoint(bottomJoint, middleRow), QPoint(bottomJoint, bottomRow), bottom);
    }
    const int right =
        std::max(topRightStart + topRight.width, bottomRightStart + bottomRight.width) + gap;

    f.addWire(QPoint(0, 0), QPoint(gap, 0), block.left);
    f.add(leftTop, QPoint(gap, 0));
    f.addWire(QPoint(gap + leftTop.width, 0), QPoint(topJoint, 0), top);
    f.addWire(QPoint(topJoint, 0), QPoint(topRightStart, 0), top);
    f.add(topRight, QPoint(topRightStart, 0));
    f.addWire(QPoint(topRightStart + topRight.width, 0), QPoint(right, 0), block.right);

    f.addWire(QPoint(0, bottomRow), QPoint(gap, bottomRow), block.left);
    f.add(leftBottom, QPoint(gap, bottomRow));
    f.addWire(QPoint(gap + leftBottom.width, bottomRow), QPoint(bottomJoint, bottomRow), bottom);
    f.addWire(QPoint(bottomJoint, bottomRow), QPoint(bottomRightStart, bottomRow), bottom);
    f.add(bottomRight, QPoint(bottomRightStart, bottomRow));
    f.addWire(QPoint(bottomRightStart + bottomRight.width, bottomRow), QPoint(right, bottomRow),
              block.right);

    f.addWire(QPoint(0, 0), QPoint(0, bottomRow), block.left);
    f.addWire(QPoint(right, 0), QPoint(right, bottomRow), block.right);
    f.width = right;
    return f;
}

// A dead branch: the row goes on past the joint, the branch hangs below it.
Fragment placeTap(const DiagramGraph& graph, const Block& block) {
    const Fragment branch = placeBlock(graph, block.children.front(), true);
    Fragment f;
    const int drop = rowGap + branch.above();
    f.width = gap + branch.width;
    f.addWire(QPoint(0, 0), QPoint(f.width, 0), block.left);
    f.addWire(QPoint(0, 0), QPoint(0, drop), block.left);
    f.addWire(QPoint(0, drop), QPoint(gap, drop), block.left);
    f.add(branch, QPoint(gap, drop));
    return f;
}

// A block whose two ends are joined by wire: the wire drawn beside it.
Fragment placeShorted(const DiagramGraph& graph, const Block& block) {
    const Fragment inner = placeBlock(graph, block.children.front());
    Fragment f;
    const int net = block.left;
    f.width = 2 * gap + inner.width;
    const int beside = inner.below() + rowGap / 2;
    f.addWire(QPoint(0, 0), QPoint(gap, 0), net);
    f.add(inner, QPoint(gap, 0));
    f.addWire(QPoint(gap + inner.width, 0), QPoint(f.width, 0), net);
    f.addWire(QPoint(0, 0), QPoint(0, beside), net);
    f.addWire(QPoint(0, beside), QPoint(f.width, beside), net);
    f.addWire(QPoint(f.width, beside), QPoint(f.width, 0), net);
    return f;
}

} // namespace

Fragment placeBlock(const DiagramGraph& graph, const Block& block, bool open) {
    switch (block.kind) {
    case Block::Kind::Part:
        return placePart(graph, block);
    case Block::Kind::Series:
        return placeSeries(graph, block, open);
    case Block::Kind::Parallel:
        return placeParallel(graph, block);
    case Block::Kind::Bridge:
        return placeBridge(graph, block);
    case Block::Kind::Tap:
        return placeTap(graph, block);
    case Block::Kind::Shorted:
        return placeShorted(graph, block);
    }
    return {};
}

Fragment placeLoop(const DiagramGraph& graph, int root, const ReducedLoop& loop) {
    const int positive = graph.positiveNet[root];
    const int negative = graph.negativeNet[root];
    const int rowStart = cell::rightOfSpine + gap;
    const bool closed = loop.between || positive == negative;

    std::vector<Block> topChain = loop.atPositive;
    std::vector<Block> bottomChain;
    if (loop.between)
        topChain.push_back(*loop.between);
    if (closed)
        topChain.insert(topChain.end(), loop.atNegative.begin(), loop.atNegative.end());
    else
        bottomChain = loop.atNegative;
    const Fragment topRow = placeBlock(graph, seriesOf(topChain), !closed);
    const Fragment bottomRow = placeBlock(graph, seriesOf(bottomChain), true);
    const bool anyTop = !topChain.empty() || closed;
    const bool anyBottom = !bottomChain.empty() || closed;

    const int bottom = std::max(topRow.below() + rowGap + (closed ? 0 : bottomRow.above()),
                                cell::length + 2 * gap);
    const int rootTop = (bottom - cell::length) / 2 / 4 * 4;
    const int rootBottom = rootTop + cell::length;

    Fragment f;
    f.addSymbol(verticalSymbol(graph, root, QPoint(0, rootTop), true));
    if (anyTop) {
        f.addWire(QPoint(0, rootTop), QPoint(0, 0), positive);
        f.addWire(QPoint(0, 0), QPoint(rowStart, 0), positive);
        f.add(topRow, QPoint(rowStart, 0));
    }
    if (closed) {
        const int right = rowStart + topRow.width + gap;
        f.addWire(QPoint(rowStart + topRow.width, 0), QPoint(right, 0), negative);
        f.addWire(QPoint(right, 0), QPoint(right, bottom), negative);
        f.addWire(QPoint(right, bottom), QPoint(0, bottom), negative);
        f.addWire(QPoint(0, bottom), QPoint(0, rootBottom), negative);
    } else if (anyBottom) {
        f.addWire(QPoint(0, rootBottom), QPoint(0, bottom), negative);
        f.addWire(QPoint(0, bottom), QPoint(rowStart, bottom), negative);
        f.add(bottomRow, QPoint(rowStart, bottom));
    }
    return f;
}

} // namespace ampery::diagram
