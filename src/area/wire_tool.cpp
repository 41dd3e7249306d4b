#include "wire_tool.h"

#include "area_geometry.h"
#include "area_host.h"
#include "experiment_controller.h"
#include "interaction_state.h"
#include "model/component_type.h"
#include "model/separators.h"

namespace ampery::area {

namespace {

QString pointText(QPoint p) {
    return QString::number(p.x()) + QChar(model::sep::bar) + QString::number(p.y());
}

} // namespace

WireTool::WireTool(ExperimentController& controller, AreaHost& host, InteractionState& state)
    : m_controller(controller), m_host(host), m_state(state) {}

void WireTool::drawSegment(QPoint from, QPoint to) {
    m_controller.canvases().drawLine(from, to);
    m_controller.canvases().combine();
    m_controller.notifyAreaChanged();
}

bool WireTool::click(QPoint click) {
    for (const model::Component& c : m_controller.experiment().components()) {
        const std::optional<TerminalHit> hit = hitTerminal(c.type, {c.x, c.y}, click);
        if (!hit)
            continue;
        m_controller.setCurrentComponent(c.number);
        m_host.showComponentInPanel(c.number);
        const QString terminal = model::terminalName(c.name, hit->positive);
        drawSegment(m_state.lastPoint, hit->attach);
        if (!m_state.wireInProgress) {
            m_state.wireInProgress = true;
            m_state.pendingWireStart = terminal;
            m_state.wireTrack =
                pointText(hit->attach) + QChar(model::sep::point) + pointText(click);
            return false;
        }
        m_state.wireInProgress = false;
        finish(terminal, hit->attach);
        return true;
    }
    return false;
}

void WireTool::finish(const QString& endTerminal, QPoint attach) {
    const QString track = m_state.wireTrack + QChar(model::sep::point) +
                          pointText(m_state.lastPoint) + QChar(model::sep::point) +
                          pointText(attach);
    const QString start = m_state.pendingWireStart;
    m_state.clearWire();
    if (model::appendWire(m_controller.experiment(), start, endTerminal, track))
        m_controller.analyse();
    else
        m_controller.redrawAndAnalyse();
}

void WireTool::pointerMove(QPoint point) {
    drawSegment(m_state.lastPoint, point);
    m_state.wireTrack += QChar(model::sep::point) + pointText(point);
    m_state.lastPoint = point;
}

void WireTool::abandon() {
    m_state.clearWire();
    m_controller.redrawAndAnalyse();
}

} // namespace ampery::area
