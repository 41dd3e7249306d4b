#include "canvas_pair.h"

#include "picture_table.h"

#include <QFont>
#include <QFontMetrics>
#include <QPen>

#include <cmath>
#include <cstring>
#include <limits>

namespace ampery::render {

CanvasPair::CanvasPair(QSize size, qreal devicePixelRatio)
    : m_size(size), m_devicePixelRatio(devicePixelRatio), m_area(blankImage()),
      m_wireLayer(blankImage()) {}

QImage CanvasPair::blankImage() const {
    const QSize device(static_cast<int>(std::lround(m_size.width() * m_devicePixelRatio)),
                       static_cast<int>(std::lround(m_size.height() * m_devicePixelRatio)));
    // RGB32 keeps the AND raster operation of combine() exact.
    QImage image(device, QImage::Format_RGB32);
    image.setDevicePixelRatio(m_devicePixelRatio);
    image.fill(Qt::white);
    return image;
}

void CanvasPair::resize(QSize size, qreal devicePixelRatio) {
    if (size == m_size && devicePixelRatio == m_devicePixelRatio)
        return;
    m_size = size;
    m_devicePixelRatio = devicePixelRatio;
    m_area = blankImage();
    m_wireLayer = blankImage();
    m_uncombined.clear();
    m_uncombinedPixels = 0;
}

bool CanvasPair::setWireLayer(const QImage& layer) {
    if (layer.size() != m_wireLayer.size() || layer.format() != m_wireLayer.format() ||
        layer.devicePixelRatio() != m_devicePixelRatio)
        return false;
    // Into the layer's own pixels: a shared copy would be copied again, into
    // new memory, by the next painter.
    std::memcpy(m_wireLayer.bits(), layer.constBits(), std::size_t(m_wireLayer.sizeInBytes()));
    changedEverywhere();
    return true;
}

void CanvasPair::clear() {
    clearArea();
    clearWireLayer();
}

void CanvasPair::clearArea() {
    m_area.fill(Qt::white);
    changedEverywhere();
}

void CanvasPair::clearWireLayer() {
    m_wireLayer.fill(Qt::white);
    changedEverywhere();
}

void CanvasPair::combine() {
    // Both images are RGB32 of one size, so the AND raster operation is an
    // AND of whole pixels, which a plain loop does faster than QPainter.
    uchar* const area = m_area.bits();
    const uchar* const wires = m_wireLayer.constBits();
    const qsizetype stride = m_area.bytesPerLine();
    for (const QRect& rect : std::as_const(m_uncombined)) {
        // Locals, so that the compiler knows the pixels cannot alias them.
        const qsizetype left = rect.left() * qsizetype(sizeof(QRgb));
        const int width = rect.width();
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            QRgb* to = reinterpret_cast<QRgb*>(area + y * stride + left);
            const QRgb* from = reinterpret_cast<const QRgb*>(wires + y * stride + left);
            for (int x = 0; x < width; ++x)
                to[x] &= from[x];
        }
    }
    m_uncombined.clear();
    m_uncombinedPixels = 0;
}

void CanvasPair::clearAreaAndCombine() {
    std::memcpy(m_area.bits(), m_wireLayer.constBits(), std::size_t(m_area.sizeInBytes()));
    m_uncombined.clear();
    m_uncombinedPixels = 0;
}

void CanvasPair::changed(const QRectF& rect) {
    // Clipped before rounding: stored positions may lie far outside any area.
    const QRectF device =
        QRectF(rect.topLeft() * m_devicePixelRatio, rect.size() * m_devicePixelRatio)
            .intersected(QRectF(m_area.rect()));
    if (device.isEmpty() || m_uncombinedPixels >= areaPixels())
        return;
    const QRect pixels = device.toAlignedRect();
    m_uncombined.append(pixels);
    // Once the rectangles cover as many pixels as the area holds (they
    // overlap where many parts are drawn), combining the whole area once is
    // the same and cheaper: combining a pixel again changes nothing.
    m_uncombinedPixels += qint64(pixels.width()) * pixels.height();
    if (m_uncombinedPixels >= areaPixels())
        changedEverywhere();
}

qint64 CanvasPair::areaPixels() const {
    return qint64(m_area.width()) * m_area.height();
}

void CanvasPair::changedEverywhere() {
    m_uncombined = {m_area.rect()};
    m_uncombinedPixels = areaPixels();
}

void CanvasPair::clearBox(QPoint topLeft) {
    AreaPainter(*this).clearBox(topLeft);
}

void CanvasPair::drawPicture(const QImage& picture, QPoint topLeft) {
    AreaPainter(*this).drawPicture(picture, topLeft);
}

void CanvasPair::drawLine(QPoint from, QPoint to) {
    WirePainter(*this).drawLine(from, to);
}

CanvasPair::AreaPainter::AreaPainter(CanvasPair& canvases)
    : m_canvases(canvases), m_painter(&canvases.m_area) {}

void CanvasPair::AreaPainter::clearBox(QPoint topLeft) {
    // Stored positions reach the int limits, where the box's far edge cannot
    // be represented; such a box lies outside any area anyway.
    constexpr int limit = std::numeric_limits<int>::max();
    if (topLeft.x() > limit - pictureSize.width() || topLeft.y() > limit - pictureSize.height())
        return;
    const QRect box(topLeft, pictureSize);
    m_painter.fillRect(box, Qt::white);
    m_canvases.changed(box);
}

void CanvasPair::AreaPainter::drawPicture(const QImage& picture, QPoint topLeft) {
    m_painter.drawImage(topLeft, picture);
    m_canvases.changed(QRectF(topLeft, picture.deviceIndependentSize()));
}

CanvasPair::NamePainter::NamePainter(CanvasPair& canvases)
    : m_canvases(canvases), m_painter(&canvases.m_wireLayer) {
    QFont font = m_painter.font();
    font.setPixelSize(12);
    m_painter.setFont(font);
    m_painter.setPen(QColor(nameColour));
}

QRect CanvasPair::NamePainter::nameRect(QPoint topLeft) {
    return {topLeft.x() - nameOverhang, topLeft.y() + pictureSize.height() + nameGap,
            pictureSize.width() + 2 * nameOverhang, nameHeight};
}

void CanvasPair::NamePainter::drawName(const QString& name, QPoint topLeft) {
    // Stored positions reach the int limits, where the line's corners cannot
    // be represented; such a line lies outside any area anyway.
    constexpr int limit = std::numeric_limits<int>::max();
    constexpr int below = pictureSize.height() + nameGap + nameHeight;
    constexpr int across = pictureSize.width() + nameOverhang;
    if (topLeft.x() < -limit + nameOverhang || topLeft.x() > limit - across ||
        topLeft.y() > limit - below)
        return;
    const QRect line = nameRect(topLeft);
    if (!line.intersects(QRect(QPoint(0, 0), m_canvases.m_size)))
        return;
    const QString shown = m_painter.fontMetrics().elidedText(name, Qt::ElideRight, line.width());
    m_painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, shown);
    m_canvases.changed(line);
}

CanvasPair::WirePainter::WirePainter(CanvasPair& canvases) : WirePainter(canvases.m_wireLayer) {
    canvases.changedEverywhere();
}

CanvasPair::WirePainter::WirePainter(QImage& layer) : m_painter(&layer) {
    // Opaque and aliased, or the AND in combine() would smear the edges; the
    // default square cap also keeps Qt on its fast path for wide lines.
    m_painter.setPen(QPen(QColor(wireColour), wireWidth));
}

void CanvasPair::WirePainter::drawLine(QPoint from, QPoint to) {
    m_painter.drawLine(from, to);
}

void CanvasPair::WirePainter::drawTrack(const QList<QPoint>& points) {
    // Handed to Qt in one call: each segment is still stroked on its own, so
    // the pixels are those of one drawLine() per segment, at a fraction of
    // the cost.
    m_segments.clear();
    for (qsizetype i = 1; i < points.size(); ++i)
        m_segments.append(QLine(points[i - 1], points[i]));
    m_painter.drawLines(m_segments.constData(), static_cast<int>(m_segments.size()));
}

} // namespace ampery::render
