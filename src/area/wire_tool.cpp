#include "wire_tool.h"

#include "area_geometry.h"
#include "experiment_controller.h"
#include "model/component_type.h"

namespace ampery::area {

void WireTool::press(QPoint point) {
    for (const model::Component& c : m_controller.experiment().components()) {
        const std::optional<TerminalHit> hit = hitTerminal(c.type, {c.x, c.y}, point);
        if (!hit)
            continue;
        select(c.number);
        const QString terminal = model::terminalName(c.name, hit->positive);
        if (m_controller.wireInProgress())
            m_controller.finishWire(terminal, hit->attach, point);
        else
            m_controller.startWire(terminal, hit->attach, point);
        return;
    }
}

void WireTool::move(QPoint point) {
    m_controller.extendWire(point);
}

bool WireTool::rightPress() {
    if (!m_controller.wireInProgress())
        return false;
    m_controller.abandonWire();
    return true;
}

void WireTool::cancel() {
    m_controller.abandonWire();
}

} // namespace ampery::area
