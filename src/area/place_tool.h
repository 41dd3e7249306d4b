#pragma once

#include <QPoint>

#include <chrono>

namespace ampery::area {

class AreaHost;
class ExperimentController;
struct InteractionState;

// Places a component of the tool's type where the user clicks: draws its
// picture, appends its record and shows it in the panel. Placing neither
// redraws nor analyses.
class PlaceTool {
public:
    PlaceTool(ExperimentController& controller, AreaHost& host, InteractionState& state);

    // Returns false when a limit refused the placement (the caller then
    // derives the tool state again).
    bool place(int type, QPoint click);

    // The pause before a limit message; long event scripts shorten it.
    void setLimitPause(std::chrono::milliseconds pause) { m_limitPause = pause; }

private:
    bool refusedByLimit(int type, int& motorSlot);

    ExperimentController& m_controller;
    AreaHost& m_host;
    InteractionState& m_state;
    std::chrono::milliseconds m_limitPause{200};
};

} // namespace ampery::area
