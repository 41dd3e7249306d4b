#pragma once

#include "circuit_diagram.h"
#include "drawing_surface.h"

#include <QFont>

namespace ampery::diagram {

struct DrawOptions;

// Draws one component's symbol, its leads and its label inside its cell.
// Everything is worked out along the symbol's spine from the post at its
// left (or top) end, so one drawing serves both orientations; letters and
// labels are placed on the page and stay upright.
class SymbolPainter {
public:
    SymbolPainter(DrawingSurface& surface, const Symbol& symbol, const DrawOptions& options);

    void draw();

    // The font of names and values.
    static QFont labelFont();

private:
    using Stroke = DrawingSurface::Stroke;

    // A point u along the spine from the first post and v across it, towards
    // the label's side.
    QPointF at(qreal u, qreal v) const;
    bool firstIsPositive() const;
    // u of the positive and negative posts: 0 or the spine's length.
    qreal positiveEnd() const;
    qreal negativeEnd() const;
    Stroke ink(qreal width = 2.0) const;

    void leads(qreal bodyStart, qreal bodyEnd);
    void source();
    void switchBlade();
    void lamp();
    void resistor();
    void rheostat();
    void motor();
    void meter(QChar letter);
    void unknownKind();
    void letter(QChar letter, QPointF centre, QColor colour);
    void polarityMarks();
    void curvedArrow(qreal radius, qreal fromDegrees, qreal toDegrees, QColor colour);
    // How far the body reaches from the spine towards the label.
    qreal labelSideExtent() const;
    void label();

    DrawingSurface& m_surface;
    const Symbol& m_symbol;
    const DrawOptions& m_options;
    QPointF m_first; // the post at the left or top end
    qreal m_length = 0;
    qreal m_centre = 0; // u of the body's centre
};

} // namespace ampery::diagram
