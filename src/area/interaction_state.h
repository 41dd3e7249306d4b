#pragma once

#include "model/wire_edits.h"

#include <QPoint>
#include <QString>

namespace ampery::area {

// The interaction state of the experiment area, shared by its tools.
struct InteractionState {
    int toolCode = 0; // 0 select/move/delete, 1 to 8 place that type, 9 wire
    bool moveArmed = false;
    bool dragInProgress = false;
    bool deleteMode = false;
    bool componentDeleted = false;
    QPoint lastPoint;

    bool wireInProgress = false;
    QString wireTrack;
    QString pendingWireStart;

    QPoint grabOffset;
    QPoint dragOrigin;
    model::AttachedWires draggedWires;

    void clearWire() {
        wireInProgress = false;
        wireTrack.clear();
        pendingWireStart.clear();
    }
};

// The cursors the area shows.
enum class AreaCursor { Hand, SizeAll, Eraser, Cross };

} // namespace ampery::area
