#pragma once

#include "diagram/circuit_diagram.h"
#include "model/component_type.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <functional>

namespace ampery::diagram::test {

using enum model::ComponentType;
inline constexpr int lastType = Voltmeter;

// A horizontal symbol whose left post is at a point; its cell as the layout
// makes it.
inline Symbol horizontal(int type, const QString& name, QPoint left, bool positiveLeft = true) {
    Symbol symbol;
    symbol.type = type;
    symbol.name = name;
    symbol.box = QRect(left.x(), left.y() - cell::aboveSpine, cell::length,
                       cell::aboveSpine + cell::belowSpine);
    const QPoint right = left + QPoint(cell::length, 0);
    symbol.positive = positiveLeft ? left : right;
    symbol.negative = positiveLeft ? right : left;
    return symbol;
}

// A vertical symbol whose top post is at a point.
inline Symbol vertical(int type, const QString& name, QPoint top, bool positiveTop = true) {
    Symbol symbol;
    symbol.type = type;
    symbol.name = name;
    symbol.vertical = true;
    symbol.box = QRect(top.x() - cell::leftOfSpine, top.y(), cell::leftOfSpine + cell::rightOfSpine,
                       cell::length);
    const QPoint bottom = top + QPoint(0, cell::length);
    symbol.positive = positiveTop ? top : bottom;
    symbol.negative = positiveTop ? bottom : top;
    return symbol;
}

// A source, a switch, a lamp and a voltmeter across the lamp, wired in a
// loop, with the two junctions where the voltmeter's wires branch off.
inline CircuitDiagram loopDiagram() {
    CircuitDiagram diagram;
    Symbol source = horizontal(Source, QStringLiteral("电源1"), {60, 200}, false);
    source.value = QStringLiteral("6V");
    Symbol lamp = vertical(Lamp, QStringLiteral("电灯1"), {260, 90}, false);
    lamp.value = QStringLiteral("10Ω");
    lamp.look = SymbolLook::LampBright;
    Symbol meter = vertical(Voltmeter, QStringLiteral("电压表1"), {380, 90}, false);
    meter.value = QStringLiteral("6V");
    diagram.symbols = {source, horizontal(Switch, QStringLiteral("开关1"), {60, 60}), lamp, meter};
    diagram.symbols[1].closed = true;

    Net plus;
    plus.terminals = {QStringLiteral("电压表1∧"), QStringLiteral("电源1∧"),
                      QStringLiteral("电灯1∧")};
    plus.segments = {{{140, 200}, {260, 200}},
                     {{260, 200}, {260, 170}},
                     {{260, 200}, {380, 200}},
                     {{380, 200}, {380, 170}}};
    plus.junctions = {{260, 200}};
    Net top;
    top.terminals = {QStringLiteral("开关1∨"), QStringLiteral("电压表1∨"),
                     QStringLiteral("电灯1∨")};
    top.segments = {{{260, 90}, {260, 60}},
                    {{260, 60}, {140, 60}},
                    {{260, 60}, {380, 60}},
                    {{380, 60}, {380, 90}}};
    top.junctions = {{260, 60}};
    Net minus;
    minus.terminals = {QStringLiteral("开关1∧"), QStringLiteral("电源1∨")};
    minus.segments = {{{60, 60}, {20, 60}}, {{20, 60}, {20, 200}}, {{20, 200}, {60, 200}}};
    diagram.nets = {plus, top, minus};
    diagram.size = QSize(480, 250);
    return diagram;
}

// Every kind of symbol side by side, the lamps and the motor also lit,
// burnt out or turning, and one unwired, each named after its kind.
inline CircuitDiagram symbolRow(bool isVertical) {
    const QStringList names = {QStringLiteral("电源"),   QStringLiteral("开关"),
                               QStringLiteral("电灯"),   QStringLiteral("电阻"),
                               QStringLiteral("变阻器"), QStringLiteral("电动机"),
                               QStringLiteral("电流表"), QStringLiteral("电压表")};
    const QList<std::pair<int, SymbolLook>> kinds = {
        {Source, SymbolLook::Normal},    {Switch, SymbolLook::Normal},
        {Lamp, SymbolLook::Normal},      {Lamp, SymbolLook::LampDim},
        {Lamp, SymbolLook::LampBright},  {Lamp, SymbolLook::LampBroken},
        {Resistor, SymbolLook::Normal},  {Rheostat, SymbolLook::Normal},
        {Motor, SymbolLook::Normal},     {Motor, SymbolLook::MotorRunning},
        {Ammeter, SymbolLook::Normal},   {Voltmeter, SymbolLook::Normal},
        {Resistor, SymbolLook::Unwired},
    };
    CircuitDiagram diagram;
    int column = 0;
    for (const auto& [type, look] : kinds) {
        const QString name = names[type - 1] + QString::number(column + 1);
        Symbol symbol = isVertical
                            ? vertical(type, name, {30 + 110 * column, 20}, column % 2 == 0)
                            : horizontal(type, name, {10 + 90 * column, 70}, column % 2 == 0);
        symbol.look = look;
        symbol.value = QStringLiteral("%1.5Ω").arg(column);
        symbol.sliderPosition = 1;
        diagram.symbols.append(symbol);
        ++column;
    }
    diagram.size = isVertical ? QSize(20 + 110 * column, 120) : QSize(20 + 90 * column, 110);
    return diagram;
}

inline bool isWhite(QRgb pixel) {
    return (pixel & 0xffffff) == 0xffffff;
}

// Pixels of a picture, in its pixel coordinates, that satisfy a test.
inline int countPixels(const QImage& image, const QRect& area,
                       const std::function<bool(QRgb)>& test) {
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

// The pixels a cell covers in a picture drawn at a scale: from its left edge
// up to, not including, its right edge (a post on the right edge draws only
// to its left).
inline QRect pixelsOf(const QRect& box, qreal scale) {
    const QRectF scaled(QPointF(box.topLeft()) * scale, QSizeF(box.size()) * scale);
    return {scaled.topLeft().toPoint(), scaled.bottomRight().toPoint() - QPoint(1, 1)};
}

// The drawn pixels of a diagram painted at its own size that lie outside
// every symbol's cell and farther than a wire's half width and a pixel
// from any wire or junction dot.
inline int strayPixels(const QImage& painted, const CircuitDiagram& diagram) {
    QImage allowed(painted.size(), QImage::Format_RGB32);
    allowed.fill(Qt::white);
    {
        QPainter painter(&allowed);
        for (const Symbol& symbol : diagram.symbols)
            painter.fillRect(pixelsOf(symbol.box, 1.0), Qt::black);
        painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::SquareCap));
        for (const Net& net : diagram.nets) {
            for (const Segment& segment : net.segments)
                painter.drawLine(segment.from, segment.to);
            for (const QPoint& junction : net.junctions)
                painter.drawEllipse(junction, 4, 4);
        }
    }
    const QImage image = painted.convertToFormat(QImage::Format_RGB32);
    int stray = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* drawn = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const auto* open = reinterpret_cast<const QRgb*>(allowed.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            stray += !isWhite(drawn[x]) && isWhite(open[x]) ? 1 : 0;
    }
    return stray;
}

} // namespace ampery::diagram::test
