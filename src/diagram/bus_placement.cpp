#include "bus_placement.h"

#include "diagram_graph.h"

#include <QHash>
#include <QMap>

#include <algorithm>

namespace ampery::diagram {

namespace {

constexpr int busPitch = 12; // between neighbouring buses and columns
constexpr int columnPitch = cell::leftOfSpine + cell::rightOfSpine + 24;

enum class Side { Unknown, Top, Bottom };

struct BusEnds {
    QList<int> top;    // x of the posts on the upper side
    QList<int> bottom; // x of the posts on the lower side
};

} // namespace

Fragment placeBuses(const DiagramGraph& graph, const QList<int>& group) {
    Fragment f;
    // Each net keeps to one side where it can, so few need a column.
    QHash<int, Side> side;
    QMap<int, BusEnds> ends; // by net, so buses come in a fixed order
    for (qsizetype i = 0; i < group.size(); ++i) {
        const int part = group[i];
        const int positive = graph.positiveNet[part];
        const int negative = graph.negativeNet[part];
        const bool positiveTop =
            i == 0 || !(side.value(positive) == Side::Bottom || side.value(negative) == Side::Top);
        const int topNet = positiveTop ? positive : negative;
        const int bottomNet = positiveTop ? negative : positive;
        if (side.value(topNet) == Side::Unknown)
            side.insert(topNet, Side::Top);
        if (side.value(bottomNet) == Side::Unknown)
            side.insert(bottomNet, Side::Bottom);

        const int x = cell::leftOfSpine + int(i) * columnPitch;
        f.addSymbol(verticalSymbol(graph, part, QPoint(x, 0), positiveTop));
        ends[topNet].top.append(x);
        ends[bottomNet].bottom.append(x);
    }

    const int lastColumn = cell::leftOfSpine + int(group.size() - 1) * columnPitch;
    int aboveLevel = 0;
    int belowLevel = cell::length;
    int column = lastColumn + cell::rightOfSpine;
    for (auto it = ends.cbegin(); it != ends.cend(); ++it) {
        const int net = it.key();
        const BusEnds& e = it.value();
        if (e.top.size() + e.bottom.size() < 2)
            continue;
        const bool bothSides = !e.top.isEmpty() && !e.bottom.isEmpty();
        if (bothSides)
            column += busPitch;
        const auto bus = [&](const QList<int>& xs, int postY, int level) {
            int from = *std::min_element(xs.begin(), xs.end());
            int to = bothSides ? column : *std::max_element(xs.begin(), xs.end());
            f.addWire(QPoint(from, level), QPoint(to, level), net);
            for (const int x : xs)
                f.addWire(QPoint(x, postY), QPoint(x, level), net);
        };
        int top = 0;
        int bottom = 0;
        if (!e.top.isEmpty()) {
            aboveLevel -= busPitch;
            top = aboveLevel;
            bus(e.top, 0, top);
        }
        if (!e.bottom.isEmpty()) {
            belowLevel += busPitch;
            bottom = belowLevel;
            bus(e.bottom, cell::length, bottom);
        }
        if (bothSides)
            f.addWire(QPoint(column, top), QPoint(column, bottom), net);
    }
    f.width = f.bounds.right() + 1;
    return f;
}

} // namespace ampery::diagram
