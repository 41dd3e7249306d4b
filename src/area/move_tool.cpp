#include "move_tool.h"

#include "experiment_controller.h"

namespace ampery::area {

void MoveTool::press(QPoint point) {
    const std::optional<model::Component> hit = componentAt(point);
    if (!hit)
        return;
    select(hit->number);
    m_controller.beginDrag(hit->number, point);
}

void MoveTool::move(QPoint point) {
    m_controller.moveDrag(point);
}

void MoveTool::release(QPoint) {
    m_controller.endDrag();
}

void MoveTool::cancel() {
    m_controller.endDrag();
}

} // namespace ampery::area
