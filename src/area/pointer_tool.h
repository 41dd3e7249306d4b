#pragma once

#include <QPoint>

namespace ampery::model {
struct Component;
}

namespace ampery::area {

class AreaHost;
class ExperimentController;
struct InteractionState;

// The select, move and delete tools: selecting a component for the panel,
// moving a rheostat's slider, dragging a component with its wires, deleting
// components and wires, and toggling switches by double click.
class PointerTool {
public:
    PointerTool(ExperimentController& controller, AreaHost& host, InteractionState& state);

    void click(QPoint click);
    void dragMove(QPoint pointer);
    void endDrag();
    void doubleClick(QPoint point);

private:
    void select(const model::Component& component, QPoint click);
    void deleteComponent(const model::Component& component);
    void moveSlider(const model::Component& rheostat, QPoint click);

    ExperimentController& m_controller;
    AreaHost& m_host;
    InteractionState& m_state;
};

} // namespace ampery::area
