#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace ampery::area {

// Where a click at a picture box places it: the click is its centre.
QPoint placedTopLeft(QPoint click);

// Hit test of a 77 × 68 picture box, borders included.
bool boxContains(QPoint topLeft, QPoint point);

// A binding post hit by a click: which one and where its wire attaches.
struct TerminalHit {
    bool positive = true;
    QPoint attach;
};

// The terminal boxes of a type, tested in order; a click on the overlap of the
// source's two boxes goes to the positive post.
std::optional<TerminalHit> hitTerminal(int type, QPoint topLeft, QPoint click);

// The rheostat slider position whose zone holds the click, if any.
std::optional<int> sliderPositionAt(QPoint topLeft, QPoint click);

// Keeps a dragged box inside an area of the given size. The limits depend on
// the component's type; the upper limit wins when the area is too small for
// both.
QPoint clampDraggedPointer(QPoint pointer, QPoint grabOffset, int type, QSize area);

} // namespace ampery::area
