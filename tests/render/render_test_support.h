#pragma once

#include "render/canvas_pair.h"
#include "render/picture_table.h"

#include <QImage>
#include <QPainter>

namespace ampery::render::test {

// A picture as it looks alone in its box on the white area.
inline QImage onWhite(const QImage& picture) {
    CanvasPair canvases(pictureSize, picture.devicePixelRatio());
    canvases.drawPicture(picture, QPoint(0, 0));
    return canvases.area();
}

// The device pixels of the box whose top-left corner is at a logical point.
inline QImage boxOf(const QImage& area, QPoint topLeft) {
    const qreal ratio = area.devicePixelRatio();
    return area.copy(
        QRect((QPointF(topLeft) * ratio).toPoint(), (QSizeF(pictureSize) * ratio).toSize()));
}

inline bool isWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff)
                return false;
    return true;
}

} // namespace ampery::render::test
