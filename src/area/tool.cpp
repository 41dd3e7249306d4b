#include "tool.h"

#include "area_geometry.h"
#include "area_host.h"
#include "experiment_controller.h"

namespace ampery::area {

Tool::Tool(ExperimentController& controller, AreaHost& host)
    : m_controller(controller), m_host(host) {}

std::optional<model::Component> Tool::componentAt(QPoint point, int type) const {
    for (const model::Component& c : m_controller.experiment().components())
        if ((type == 0 || c.type == type) && boxContains({c.x, c.y}, point))
            return c;
    return std::nullopt;
}

void Tool::select(int number) {
    m_controller.setCurrentComponent(number);
    m_host.showComponentInPanel(number);
}

} // namespace ampery::area
