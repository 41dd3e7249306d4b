#pragma once

#include "circuit_diagram.h"

#include <QList>
#include <QRect>

namespace ampery::diagram {

struct DiagramGraph;

struct PlacedWire {
    Segment segment;
    int net = 0;
};

// Part of a diagram being placed: its symbols and wires, and the box they
// fill. A block's fragment has its left end at (0, 0) and its right end at
// (width, 0).
struct Fragment {
    QList<Symbol> symbols;
    QList<PlacedWire> wires;
    QRect bounds;
    int width = 0;

    int above() const { return bounds.isNull() ? 0 : -bounds.top(); }
    int below() const { return bounds.isNull() ? 0 : bounds.bottom() + 1; }

    void addSymbol(Symbol symbol);
    // A horizontal or vertical wire; nothing for a wire of no length.
    void addWire(QPoint from, QPoint to, int net);
    // Another fragment moved by an offset.
    void add(const Fragment& other, QPoint offset);
};

// A part's symbol with its posts on the line through y, the left post at x.
Symbol horizontalSymbol(const DiagramGraph& graph, int part, QPoint leftPost, bool positiveLeft);
// A part's symbol with its posts on the line through x, the top post at y.
Symbol verticalSymbol(const DiagramGraph& graph, int part, QPoint topPost, bool positiveTop);

} // namespace ampery::diagram
