#pragma once

#include "drawing_surface.h"

#include <QByteArray>
#include <QSize>
#include <QString>

namespace ampery::diagram {

// Writes the primitives as an SVG document of one size on white. Written by
// hand rather than through QSvgGenerator so that each symbol and net can be
// a group of its own with an id or class.
class SvgSurface final : public DrawingSurface {
public:
    explicit SvgSurface(QSize size);

    void beginGroup(Group group, const QString& id) override;
    void endGroup() override;

    void line(QPointF from, QPointF to, const Stroke& stroke) override;
    void polyline(const QList<QPointF>& points, const Stroke& stroke) override;
    void polygon(const QList<QPointF>& points, const Stroke& stroke, QColor fill) override;
    void rectangle(const QRectF& rect, const Stroke& stroke, QColor fill) override;
    void circle(QPointF centre, qreal radius, const Stroke& stroke, QColor fill) override;
    void text(QPointF baseline, const QString& text, const QFont& font, QColor colour) override;

    // The document so far, closed: the open groups and the root element.
    QByteArray document() const;

    // Text with the characters XML cannot hold at all (most control
    // characters, unpaired surrogates) replaced by U+FFFD.
    static QString storable(const QString& text);
    // Storable text as XML character data or an attribute value, markup
    // characters as references.
    static QString escaped(const QString& text);

private:
    void element(const QString& body);

    QString m_body;
    int m_depth = 1;
};

} // namespace ampery::diagram
