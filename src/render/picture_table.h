#pragma once

#include "model/picture_choice.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>

namespace ampery::render {

// The box every component occupies, in logical pixels.
inline constexpr QSize pictureSize{77, 68};

// The component pictures and the eraser cursor, rendered once from the SVG
// artwork at a device pixel ratio. Every pixel is either opaque or fully
// transparent, so drawing a picture over itself (motor frames, placing one
// component on another) changes nothing at its edges.
class PictureTable {
public:
    explicit PictureTable(qreal devicePixelRatio = 1.0);

    // A null image for an index outside the table or artwork that failed to load.
    const QImage& picture(int index) const;
    const QImage& eraser() const { return m_eraser; }
    qreal devicePixelRatio() const { return m_devicePixelRatio; }
    // Whether every picture and the eraser loaded.
    bool isComplete() const;

    static constexpr QSize eraserSize{32, 32};
    static constexpr QPoint eraserHotSpot{6, 13};

private:
    qreal m_devicePixelRatio;
    std::array<QImage, model::picture::count> m_pictures;
    QImage m_eraser;
};

} // namespace ampery::render
