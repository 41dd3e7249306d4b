#include "svg_surface.h"

namespace ampery::diagram {

namespace {

QString number(qreal value) {
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

QString colourAttribute(const char* name, QColor colour) {
    if (!colour.isValid())
        return QStringLiteral(" %1=\"none\"").arg(QLatin1StringView(name));
    QString text =
        QStringLiteral(" %1=\"%2\"").arg(QLatin1StringView(name), colour.name(QColor::HexRgb));
    if (colour.alpha() != 255)
        text += QStringLiteral(" %1-opacity=\"%2\"")
                    .arg(QLatin1StringView(name), number(colour.alphaF()));
    return text;
}

QString strokeAttributes(const DrawingSurface::Stroke& stroke) {
    if (!stroke.colour.isValid() || stroke.width <= 0)
        return QStringLiteral(" stroke=\"none\"");
    QString text = colourAttribute("stroke", stroke.colour) +
                   QStringLiteral(" stroke-width=\"%1\"").arg(number(stroke.width));
    switch (stroke.cap) {
    case DrawingSurface::Cap::Flat:
        break; // butt, the default
    case DrawingSurface::Cap::Square:
        text += QStringLiteral(" stroke-linecap=\"square\"");
        break;
    case DrawingSurface::Cap::Round:
        text += QStringLiteral(" stroke-linecap=\"round\"");
        break;
    }
    if (stroke.join == DrawingSurface::Join::Round)
        text += QStringLiteral(" stroke-linejoin=\"round\"");
    if (stroke.dash > 0)
        text += QStringLiteral(" stroke-dasharray=\"%1 %1\"").arg(number(stroke.dash));
    return text;
}

QString pointList(const QList<QPointF>& points) {
    QStringList pairs;
    pairs.reserve(points.size());
    for (const QPointF& point : points)
        pairs.append(number(point.x()) + u',' + number(point.y()));
    return pairs.join(u' ');
}

QString familyList(const QFont& font) {
    QStringList families;
    for (const QString& family : font.families()) {
        const bool generic =
            family == u"sans-serif" || family == u"serif" || family == u"monospace";
        families.append(generic ? family : u'\'' + family + u'\'');
    }
    return SvgSurface::escaped(families.join(QStringLiteral(", ")));
}

bool allowedInXml(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

SvgSurface::SvgSurface(QSize size) {
    const QString width = QString::number(size.width());
    const QString height = QString::number(size.height());
    m_body = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" "
                            "baseProfile=\"tiny\" width=\"%1\" height=\"%2\" "
                            "viewBox=\"0 0 %1 %2\">\n")
                 .arg(width, height);
    element(QStringLiteral("<rect x=\"0\" y=\"0\" width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>")
                .arg(width, height));
}

QString SvgSurface::storable(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate() || !allowedInXml(c.unicode())) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += c;
        }
    }
    return out;
}

QString SvgSurface::escaped(const QString& text) {
    QString out = storable(text).toHtmlEscaped();
    // Kept as references: an attribute value would turn them into spaces.
    out.replace(u'\t', QStringLiteral("&#9;"));
    out.replace(u'\n', QStringLiteral("&#10;"));
    out.replace(u'\r', QStringLiteral("&#13;"));
    return out;
}

void SvgSurface::element(const QString& body) {
    m_body += QString(2 * m_depth, u' ') + body + u'\n';
}

void SvgSurface::beginGroup(Group group, const QString& id) {
    element(group == Group::Net ? QStringLiteral("<g class=\"net\">")
                                : QStringLiteral("<g id=\"%1\">").arg(escaped(id)));
    ++m_depth;
}

void SvgSurface::endGroup() {
    if (m_depth <= 1)
        return;
    --m_depth;
    element(QStringLiteral("</g>"));
}

void SvgSurface::line(QPointF from, QPointF to, const Stroke& stroke) {
    element(QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"%5/>")
                .arg(number(from.x()), number(from.y()), number(to.x()), number(to.y()),
                     strokeAttributes(stroke)));
}

void SvgSurface::polyline(const QList<QPointF>& points, const Stroke& stroke) {
    element(QStringLiteral("<polyline points=\"%1\" fill=\"none\"%2/>")
                .arg(pointList(points), strokeAttributes(stroke)));
}

void SvgSurface::polygon(const QList<QPointF>& points, const Stroke& stroke, QColor fill) {
    element(QStringLiteral("<polygon points=\"%1\"%2%3/>")
                .arg(pointList(points), colourAttribute("fill", fill), strokeAttributes(stroke)));
}

void SvgSurface::rectangle(const QRectF& rect, const Stroke& stroke, QColor fill) {
    element(QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5%6/>")
                .arg(number(rect.x()), number(rect.y()), number(rect.width()),
                     number(rect.height()), colourAttribute("fill", fill),
                     strokeAttributes(stroke)));
}

void SvgSurface::circle(QPointF centre, qreal radius, const Stroke& stroke, QColor fill) {
    element(QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\"%4%5/>")
                .arg(number(centre.x()), number(centre.y()), number(radius),
                     colourAttribute("fill", fill), strokeAttributes(stroke)));
}

void SvgSurface::text(QPointF baseline, const QString& text, const QFont& font, QColor colour) {
    const QString weight = font.bold() ? QStringLiteral(" font-weight=\"bold\"") : QString();
    element(QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"%3\" font-size=\"%4\"%5%6 "
                           "xml:space=\"preserve\">%7</text>")
                .arg(number(baseline.x()), number(baseline.y()), familyList(font),
                     number(font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF()), weight,
                     colourAttribute("fill", colour), escaped(text)));
}

QByteArray SvgSurface::document() const {
    QString closed = m_body;
    for (int depth = m_depth - 1; depth >= 1; --depth)
        closed += QString(2 * depth, u' ') + QStringLiteral("</g>\n");
    closed += QStringLiteral("</svg>\n");
    return closed.toUtf8();
}

} // namespace ampery::diagram
