#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace ampery::diagram {

// What a symbol shows of the experiment's state besides its kind.
enum class SymbolLook {
    Normal,
    Unwired,      // no wire at either post: drawn aside, greyed
    LampDim,      // lit, dim
    LampBright,   // lit, bright
    LampBroken,   // burnt out
    MotorRunning, // turning
};

// The sizes of a symbol's cell, measured from its posts. A horizontal symbol
// has its posts on the left and right of its cell, its label above; a
// vertical one has them at the top and bottom, its label on the right.
namespace cell {
inline constexpr int length = 80;       // from post to post
inline constexpr int aboveSpine = 52;   // horizontal: label and body above the posts' line
inline constexpr int belowSpine = 24;   // horizontal: body below it
inline constexpr int leftOfSpine = 24;  // vertical: body left of the posts' line
inline constexpr int rightOfSpine = 76; // vertical: body and label right of it
} // namespace cell

// One component drawn as its circuit symbol.
struct Symbol {
    int componentNumber = 0;
    QString name;
    int type = 0;           // the component's type code
    bool closed = false;    // a switch: closed
    int sliderPosition = 0; // a rheostat: 0 to 4
    SymbolLook look = SymbolLook::Normal;
    QString value; // "6V", "10Ω", a meter's reading; empty when there is none
    bool vertical = false;
    QRect box;       // the cell: the symbol and its label are drawn inside it only
    QPoint positive; // the "∧" post, on the cell's edge
    QPoint negative; // the "∨" post

    bool operator==(const Symbol&) const = default;
};

// A straight piece of wire, horizontal or vertical.
struct Segment {
    QPoint from;
    QPoint to;

    bool operator==(const Segment&) const = default;
};

// The terminals that wires join into one node, and the wire drawn for it.
struct Net {
    QStringList terminals; // terminal names (name + "∧" or "∨"), sorted
    QList<Segment> segments;
    QList<QPoint> junctions; // dots: where three or more wires of the net meet

    bool operator==(const Net&) const = default;
};

struct CircuitDiagram {
    QList<Symbol> symbols;
    QList<Net> nets;  // the nodes of two or more terminals of drawn symbols
    QSize size{0, 0}; // everything lies inside (0, 0) to size

    bool operator==(const CircuitDiagram&) const = default;
};

} // namespace ampery::diagram
