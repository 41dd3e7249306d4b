#include "painter_surface.h"

#include <QPainter>
#include <QPen>

namespace ampery::diagram {

namespace {

Qt::PenCapStyle capStyle(DrawingSurface::Cap cap) {
    switch (cap) {
    case DrawingSurface::Cap::Square:
        return Qt::SquareCap;
    case DrawingSurface::Cap::Round:
        return Qt::RoundCap;
    case DrawingSurface::Cap::Flat:
        break;
    }
    return Qt::FlatCap;
}

} // namespace

PainterSurface::PainterSurface(QPainter& painter) : m_painter(painter) {}

void PainterSurface::use(const Stroke& stroke, QColor fill) {
    if (stroke.colour.isValid() && stroke.width > 0) {
        QPen pen(stroke.colour, stroke.width, Qt::SolidLine, capStyle(stroke.cap),
                 stroke.join == Join::Round ? Qt::RoundJoin : Qt::MiterJoin);
        if (stroke.dash > 0)
            // A pen's dash pattern counts in pen widths; the stroke's in pixels.
            pen.setDashPattern({stroke.dash / stroke.width, stroke.dash / stroke.width});
        m_painter.setPen(pen);
    } else {
        m_painter.setPen(Qt::NoPen);
    }
    m_painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
}

void PainterSurface::line(QPointF from, QPointF to, const Stroke& stroke) {
    use(stroke, QColor());
    m_painter.drawLine(from, to);
}

void PainterSurface::polyline(const QList<QPointF>& points, const Stroke& stroke) {
    use(stroke, QColor());
    m_painter.drawPolyline(points.constData(), static_cast<int>(points.size()));
}

void PainterSurface::polygon(const QList<QPointF>& points, const Stroke& stroke, QColor fill) {
    use(stroke, fill);
    m_painter.drawPolygon(points.constData(), static_cast<int>(points.size()));
}

void PainterSurface::rectangle(const QRectF& rect, const Stroke& stroke, QColor fill) {
    use(stroke, fill);
    m_painter.drawRect(rect);
}

void PainterSurface::circle(QPointF centre, qreal radius, const Stroke& stroke, QColor fill) {
    use(stroke, fill);
    m_painter.drawEllipse(centre, radius, radius);
}

void PainterSurface::text(QPointF baseline, const QString& text, const QFont& font, QColor colour) {
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(baseline, text);
}

} // namespace ampery::diagram
