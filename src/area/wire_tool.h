#pragma once

#include <QPoint>

namespace ampery::area {

class AreaHost;
class ExperimentController;
struct InteractionState;

// Freehand wires: a click on a binding post starts a wire, every pointer move
// adds a point to its track, a click on another post finishes it.
class WireTool {
public:
    WireTool(ExperimentController& controller, AreaHost& host, InteractionState& state);

    // Returns whether the click finished (or refused) a wire, after which the
    // caller derives the tool state again.
    bool click(QPoint click);
    void pointerMove(QPoint point);
    // Drops the wire being drawn and repaints without it.
    void abandon();

private:
    void finish(const QString& endTerminal, QPoint attach);
    void drawSegment(QPoint from, QPoint to);

    ExperimentController& m_controller;
    AreaHost& m_host;
    InteractionState& m_state;
};

} // namespace ampery::area
