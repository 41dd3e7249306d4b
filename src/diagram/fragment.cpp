#include "fragment.h"

#include "diagram_graph.h"

namespace ampery::diagram {

void Fragment::addSymbol(Symbol symbol) {
    bounds = bounds.united(symbol.box);
    symbols.append(std::move(symbol));
}

void Fragment::addWire(QPoint from, QPoint to, int net) {
    if (from == to)
        return;
    wires.append({{from, to}, net});
    bounds = bounds.united(QRect(from, to).normalized());
}

void Fragment::add(const Fragment& other, QPoint offset) {
    for (Symbol symbol : other.symbols) {
        symbol.box.translate(offset);
        symbol.positive += offset;
        symbol.negative += offset;
        addSymbol(std::move(symbol));
    }
    for (const PlacedWire& wire : other.wires)
        addWire(wire.segment.from + offset, wire.segment.to + offset, wire.net);
}

namespace {

Symbol symbolOf(const DiagramGraph& graph, int part) {
    const DiagramPart& p = graph.parts[part];
    Symbol symbol;
    symbol.componentNumber = p.number;
    symbol.name = p.name;
    symbol.type = p.type;
    symbol.closed = p.state == 1;
    symbol.sliderPosition = p.state;
    symbol.look = graph.isWired(part) ? p.look : SymbolLook::Unwired;
    symbol.value = p.value;
    return symbol;
}

} // namespace

Symbol horizontalSymbol(const DiagramGraph& graph, int part, QPoint leftPost, bool positiveLeft) {
    Symbol symbol = symbolOf(graph, part);
    const QPoint rightPost = leftPost + QPoint(cell::length, 0);
    symbol.box = QRect(leftPost.x(), leftPost.y() - cell::aboveSpine, cell::length,
                       cell::aboveSpine + cell::belowSpine);
    symbol.positive = positiveLeft ? leftPost : rightPost;
    symbol.negative = positiveLeft ? rightPost : leftPost;
    return symbol;
}

Symbol verticalSymbol(const DiagramGraph& graph, int part, QPoint topPost, bool positiveTop) {
    Symbol symbol = symbolOf(graph, part);
    symbol.vertical = true;
    const QPoint bottomPost = topPost + QPoint(0, cell::length);
    symbol.box = QRect(topPost.x() - cell::leftOfSpine, topPost.y(),
                       cell::leftOfSpine + cell::rightOfSpine, cell::length);
    symbol.positive = positiveTop ? topPost : bottomPost;
    symbol.negative = positiveTop ? bottomPost : topPost;
    return symbol;
}

} // namespace ampery::diagram
