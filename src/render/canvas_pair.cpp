#include "canvas_pair.h"

#include "picture_table.h"

#include <QPen>

#include <cmath>
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
}

void CanvasPair::clear() {
    clearArea();
    clearWireLayer();
}

void CanvasPair::clearArea() {
    m_area.fill(Qt::white);
}

void CanvasPair::clearWireLayer() {
    m_wireLayer.fill(Qt::white);
}

void CanvasPair::combine() {
    QPainter painter(&m_area);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(QPoint(0, 0), m_wireLayer);
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

CanvasPair::AreaPainter::AreaPainter(CanvasPair& canvases) : m_painter(&canvases.m_area) {}

void CanvasPair::AreaPainter::clearBox(QPoint topLeft) {
    // Stored positions reach the int limits, where the box's far edge cannot
    // be represented; such a box lies outside any area anyway.
    constexpr int limit = std::numeric_limits<int>::max();
    if (topLeft.x() > limit - pictureSize.width() || topLeft.y() > limit - pictureSize.height())
        return;
    m_painter.fillRect(QRect(topLeft, pictureSize), Qt::white);
}

void CanvasPair::AreaPainter::drawPicture(const QImage& picture, QPoint topLeft) {
    m_painter.drawImage(topLeft, picture);
}

CanvasPair::WirePainter::WirePainter(CanvasPair& canvases) : m_painter(&canvases.m_wireLayer) {
    // Opaque and aliased, or the AND in combine() would smear the edges; the
    // default square cap also keeps Qt on its fast path for wide lines.
    m_painter.setPen(QPen(QColor(wireColour), wireWidth));
}

void CanvasPair::WirePainter::drawLine(QPoint from, QPoint to) {
    m_painter.drawLine(from, to);
}

void CanvasPair::WirePainter::drawTrack(const QList<QPoint>& points) {
    for (qsizetype i = 1; i < points.size(); ++i)
        m_painter.drawLine(points[i - 1], points[i]);
}

} // namespace ampery::render
