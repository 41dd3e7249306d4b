#include "diagram_drawing.h"

#include "painter_surface.h"
#include "svg_surface.h"
#include "symbol_painter.h"

#include <QFileInfo>
#include <QHash>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace ampery::diagram {

namespace {

// PNG files are written at twice the diagram's size, enough for print.
constexpr qreal fileScale = 2.0;
// A picture of more pixels than this (a quarter of a gibibyte) is refused
// rather than allocated.
constexpr qint64 largestImageArea = qint64(1) << 26;

// The SVG group ids: each symbol's name as XML can hold it, a later symbol
// of the same name (or one whose name another id already took) getting
// "-2", "-3", ... after it, so that ids stay unique.
QStringList symbolIds(const QList<Symbol>& symbols) {
    QStringList names;
    for (const Symbol& symbol : symbols)
        names.append(SvgSurface::storable(symbol.name));
    const QSet<QString> own(names.cbegin(), names.cend());
    QSet<QString> taken;
    // Per name, the suffix to try next: those below it are taken or are
    // another symbol's own name, and stay so.
    QHash<QString, int> nextSuffix;
    QStringList ids;
    for (const QString& name : names) {
        QString id = name;
        int& k = nextSuffix[name];
        for (k = std::max(k, 2); taken.contains(id); ++k) {
            id = name + u'-' + QString::number(k);
            if (own.contains(id) && !taken.contains(id))
                id = name; // another symbol's own name: try the next
        }
        taken.insert(id);
        ids.append(id);
    }
    return ids;
}

// The picture's size: the diagram's, and a single white pixel when there is
// nothing to draw (an empty diagram's size may be invalid).
QSize pictureSize(const CircuitDiagram& diagram) {
    return diagram.size.expandedTo(QSize(1, 1));
}

void drawDiagram(DrawingSurface& surface, const CircuitDiagram& diagram, const DrawOptions& options,
                 const QStringList& ids) {
    // Square ends, so the wires of a corner meet without a notch.
    const DrawingSurface::Stroke wire{Qt::black, 2, DrawingSurface::Cap::Square};
    const DrawingSurface::Stroke none{QColor(), 0};
    for (const Net& net : diagram.nets) {
        surface.beginGroup(DrawingSurface::Group::Net, {});
        for (const Segment& segment : net.segments)
            surface.line(segment.from, segment.to, wire);
        for (const QPoint& junction : net.junctions)
            surface.circle(junction, 2.5, none, Qt::black);
        surface.endGroup();
    }
    for (qsizetype k = 0; k < diagram.symbols.size(); ++k) {
        surface.beginGroup(DrawingSurface::Group::Symbol, ids.value(k));
        SymbolPainter(surface, diagram.symbols[k], options).draw();
        surface.endGroup();
    }
}

} // namespace

void paintDiagram(QPainter& painter, const CircuitDiagram& diagram, const DrawOptions& options) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PainterSurface surface(painter);
    // The painter takes no ids.
    drawDiagram(surface, diagram, options, {});
    painter.restore();
}

QImage diagramImage(const CircuitDiagram& diagram, const DrawOptions& options, qreal scale) {
    if (!std::isfinite(scale) || scale <= 0)
        return {};
    const qreal width = std::ceil(pictureSize(diagram).width() * scale);
    const qreal height = std::ceil(pictureSize(diagram).height() * scale);
    if (width * height > static_cast<qreal>(largestImageArea))
        return {};
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintDiagram(painter, diagram, options);
    painter.end();
    return image;
}

QByteArray diagramSvg(const CircuitDiagram& diagram, const DrawOptions& options) {
    SvgSurface surface(pictureSize(diagram));
    drawDiagram(surface, diagram, options, symbolIds(diagram.symbols));
    return surface.document();
}

std::optional<DiagramFormat> diagramFormatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"svg")
        return DiagramFormat::Svg;
    if (suffix == u"png")
        return DiagramFormat::Png;
    return std::nullopt;
}

DiagramWrite writeDiagramFile(const CircuitDiagram& diagram, const DrawOptions& options,
                              const QString& path) {
    const std::optional<DiagramFormat> format = diagramFormatFor(path);
    if (!format)
        return DiagramWrite::UnknownFormat;

    QByteArray svg;
    QImage image;
    if (*format == DiagramFormat::Svg) {
        svg = diagramSvg(diagram, options);
    } else {
        image = diagramImage(diagram, options, fileScale);
        if (image.isNull())
            return DiagramWrite::Failed;
        // Printed at the diagram's own size on a 96 dpi page.
        const int dotsPerMetre = qRound(96 * fileScale / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return DiagramWrite::Failed;
    if (*format == DiagramFormat::Svg) {
        if (file.write(svg) != svg.size())
            return DiagramWrite::Failed;
    } else {
        QImageWriter writer(&file, "png");
        if (!writer.write(image))
            return DiagramWrite::Failed;
    }
    return file.commit() ? DiagramWrite::Written : DiagramWrite::Failed;
}

} // namespace ampery::diagram
