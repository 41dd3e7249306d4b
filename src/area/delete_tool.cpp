#include "delete_tool.h"

#include "area_host.h"
#include "experiment_controller.h"

namespace ampery::area {

void DeleteTool::press(QPoint point) {
    if (const std::optional<model::Component> hit = componentAt(point))
        deleteComponent(hit->number);
    else
        m_controller.deleteWiresAt(point);
}

void DeleteTool::deleteCurrent() {
    const int current = m_controller.currentComponent();
    if (current != 0 && m_controller.experiment().readComponent(current))
        deleteComponent(current);
}

void DeleteTool::deleteComponent(int number) {
    m_controller.deleteComponent(number);
    m_host.clearPanel();
}

} // namespace ampery::area
