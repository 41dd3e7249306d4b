#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace ampery::diagram {

// The few drawing primitives a diagram is made of. The same drawing code
// feeds a QPainter (screen, PNG, print) and the SVG writer, so both show
// the same picture.
class DrawingSurface {
public:
    enum class Cap { Flat, Square, Round };
    // Mitred corners only where they are right angles or wider: a painter
    // and an SVG renderer limit sharper mitres differently.
    enum class Join { Miter, Round };

    struct Stroke {
        QColor colour = Qt::black;
        qreal width = 2.0;
        Cap cap = Cap::Flat;
        Join join = Join::Miter;
        qreal dash = 0.0; // dash and gap length in pixels; 0 for a solid line
    };

    // The groups the SVG writer keeps apart; a painter ignores them.
    enum class Group { Symbol, Net };

    DrawingSurface() = default;
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;
    virtual ~DrawingSurface() = default;

    virtual void beginGroup(Group group, const QString& id) = 0;
    virtual void endGroup() = 0;

    virtual void line(QPointF from, QPointF to, const Stroke& stroke) = 0;
    virtual void polyline(const QList<QPointF>& points, const Stroke& stroke) = 0;
    // A closed shape; an invalid fill colour leaves it empty, an invalid
    // stroke colour leaves it without an outline.
    virtual void polygon(const QList<QPointF>& points, const Stroke& stroke, QColor fill) = 0;
    virtual void rectangle(const QRectF& rect, const Stroke& stroke, QColor fill) = 0;
    virtual void circle(QPointF centre, qreal radius, const Stroke& stroke, QColor fill) = 0;
    // Text starting at the left end of its baseline.
    virtual void text(QPointF baseline, const QString& text, const QFont& font, QColor colour) = 0;
};

} // namespace ampery::diagram
