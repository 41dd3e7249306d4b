#pragma once

#include <QPoint>

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

private:
    bool refusedByLimit(int type, int& motorSlot);

    ExperimentController& m_controller;
    AreaHost& m_host;
    InteractionState& m_state;
};

} // namespace ampery::area
