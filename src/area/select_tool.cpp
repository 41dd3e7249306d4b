#include "select_tool.h"

#include "area_geometry.h"
#include "area_host.h"
#include "experiment_controller.h"
#include "model/component_type.h"

namespace ampery::area {

void SelectTool::press(QPoint point) {
    const std::optional<model::Component> hit = componentAt(point);
    if (!hit)
        return;
    select(hit->number);
    if (hit->type != model::Rheostat)
        return;
    const std::optional<int> position = sliderPositionAt({hit->x, hit->y}, point);
    if (!position || *position == hit->state)
        return;
    m_host.setPanelResistance(m_controller.moveSlider(hit->number, *position));
}

void SelectTool::doubleClick(QPoint point) {
    const std::optional<model::Component> toggled = componentAt(point, model::Switch);
    if (!toggled)
        return;
    m_controller.setCurrentComponent(toggled->number);
    m_host.showSwitchForToggle(toggled->name);
    if (!m_controller.wireInProgress())
        m_controller.toggleSwitch(toggled->number);
}

} // namespace ampery::area
