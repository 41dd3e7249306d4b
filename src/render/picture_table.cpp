#include "picture_table.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace ampery::render {

namespace {

// Antialiased edges would accumulate whenever a picture is drawn over
// another without clearing; the artwork's silhouette is made binary instead,
// keeping the smooth edges inside it.
void makeAlphaBinary(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            if (alpha == 255)
                continue;
            if (alpha < 128) {
                line[x] = 0;
                continue;
            }
            const auto opaque = [alpha](int premultiplied) {
                return std::min(255, (premultiplied * 255 + alpha / 2) / alpha);
            };
            line[x] = qRgb(opaque(qRed(line[x])), opaque(qGreen(line[x])), opaque(qBlue(line[x])));
        }
    }
}

QImage renderSvg(const QString& path, QSize logical, qreal devicePixelRatio) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    const QSize device(static_cast<int>(std::lround(logical.width() * devicePixelRatio)),
                       static_cast<int>(std::lround(logical.height() * devicePixelRatio)));
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), device));
    }
    makeAlphaBinary(image);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

} // namespace

PictureTable::PictureTable(qreal devicePixelRatio) : m_devicePixelRatio(devicePixelRatio) {
    for (std::size_t i = 0; i < m_pictures.size(); ++i)
        m_pictures[i] =
            renderSvg(QStringLiteral(":/pictures/picture_%1.svg").arg(i, 2, 10, QChar('0')),
                      pictureSize, devicePixelRatio);
    m_eraser = renderSvg(QStringLiteral(":/pictures/eraser.svg"), eraserSize, devicePixelRatio);
}

const QImage& PictureTable::picture(int index) const {
    static const QImage none;
    if (index < 0 || index >= model::picture::count)
        return none;
    return m_pictures[static_cast<std::size_t>(index)];
}

bool PictureTable::isComplete() const {
    return !m_eraser.isNull() && std::none_of(m_pictures.begin(), m_pictures.end(),
                                              [](const QImage& image) { return image.isNull(); });
}

} // namespace ampery::render
