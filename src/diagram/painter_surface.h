#pragma once

#include "drawing_surface.h"

class QPainter;

namespace ampery::diagram {

// Draws the primitives with a QPainter in its current coordinates.
class PainterSurface final : public DrawingSurface {
public:
    explicit PainterSurface(QPainter& painter);

    void beginGroup(Group, const QString&) override {}
    void endGroup() override {}

    void line(QPointF from, QPointF to, const Stroke& stroke) override;
    void polyline(const QList<QPointF>& points, const Stroke& stroke) override;
    void polygon(const QList<QPointF>& points, const Stroke& stroke, QColor fill) override;
    void rectangle(const QRectF& rect, const Stroke& stroke, QColor fill) override;
    void circle(QPointF centre, qreal radius, const Stroke& stroke, QColor fill) override;
    void text(QPointF baseline, const QString& text, const QFont& font, QColor colour) override;

private:
    void use(const Stroke& stroke, QColor fill);

    QPainter& m_painter;
};

} // namespace ampery::diagram
