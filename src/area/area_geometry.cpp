#include "area_geometry.h"

#include "model/component_type.h"

#include <QRect>

#include <array>

namespace ampery::area {

namespace {

constexpr int boxWidth = 77;
constexpr int boxHeight = 68;
constexpr int terminalBoxSide = 28;

struct TerminalDesign {
    bool positive;
    QPoint boxOffset; // top-left of the 28 × 28 box relative to the picture box
};

// Two posts per type, in the order they are tested.
std::array<TerminalDesign, 2> terminalsOf(int type) {
    using namespace model;
    switch (type) {
    case Source:
        return {{{true, {12, -8}}, {false, {34, -8}}}};
    case Switch:
    case Lamp:
        return {{{true, {2, 40}}, {false, {48, 38}}}};
    case Resistor:
        return {{{true, {-10, 20}}, {false, {58, 20}}}};
    case Rheostat:
        return {{{true, {8, 18}}, {false, {58, 6}}}};
    case Motor:
        return {{{false, {4, -6}}, {true, {26, -14}}}};
    case Ammeter:
    case Voltmeter:
        return {{{false, {4, 34}}, {true, {30, 34}}}};
    default:
        return {};
    }
}

bool insideInclusive(QPoint p, QPoint topLeft, int width, int height) {
    return topLeft.x() <= p.x() && p.x() <= topLeft.x() + width && topLeft.y() <= p.y() &&
           p.y() <= topLeft.y() + height;
}

struct DragLimits {
    int minX, maxXFromRight, minY, maxYFromBottom;
};

DragLimits dragLimitsFor(int type) {
    using namespace model;
    switch (type) {
    case Source:
        return {-9, 71, 6, 75};
    case Switch:
    case Lamp:
        return {-2, 78, 0, 70};
    case Resistor:
        return {5, 85, -10, 60};
    case Rheostat:
        return {5, 85, -5, 62};
    default:
        return {5, 85, 5, 75};
    }
}

} // namespace

QPoint placedTopLeft(QPoint click) {
    return click - QPoint(38, 34);
}

bool boxContains(QPoint topLeft, QPoint point) {
    return insideInclusive(point, topLeft, boxWidth, boxHeight);
}

std::optional<TerminalHit> hitTerminal(int type, QPoint topLeft, QPoint click) {
    if (!model::isComponentType(type))
        return std::nullopt;
    for (const TerminalDesign& t : terminalsOf(type)) {
        const QPoint boxTopLeft = topLeft + t.boxOffset;
        if (insideInclusive(click, boxTopLeft, terminalBoxSide, terminalBoxSide))
            return TerminalHit{t.positive, boxTopLeft + QPoint(14, 14)};
    }
    return std::nullopt;
}

std::optional<int> sliderPositionAt(QPoint topLeft, QPoint click) {
    const int y = click.y() - topLeft.y();
    const int x = click.x() - topLeft.x();
    if (y < 12 || y > 33 || x <= 0 || x > boxWidth)
        return std::nullopt;
    if (x <= 30)
        return 0;
    if (x <= 37)
        return 1;
    if (x <= 44)
        return 2;
    if (x <= 51)
        return 3;
    return 4;
}

QPoint clampDraggedPointer(QPoint pointer, QPoint grabOffset, int type, QSize area) {
    const DragLimits limits = dragLimitsFor(type);
    int x = pointer.x();
    int y = pointer.y();
    if (x - grabOffset.x() <= limits.minX)
        x = grabOffset.x() + limits.minX;
    if (x - grabOffset.x() >= area.width() - limits.maxXFromRight)
        x = grabOffset.x() + area.width() - limits.maxXFromRight;
    if (y - grabOffset.y() <= limits.minY)
        y = grabOffset.y() + limits.minY;
    if (y - grabOffset.y() >= area.height() - limits.maxYFromBottom)
        y = grabOffset.y() + area.height() - limits.maxYFromBottom;
    return {x, y};
}

} // namespace ampery::area
