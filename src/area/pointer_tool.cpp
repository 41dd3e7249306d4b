#include "pointer_tool.h"

#include "area_geometry.h"
#include "area_host.h"
#include "experiment_controller.h"
#include "interaction_state.h"
#include "model/component_type.h"
#include "model/number_text.h"
#include "model/rheostat.h"

namespace ampery::area {

using model::Component;
using model::Field;

namespace {

// The lowest-numbered component of the given type (any type when 0) whose
// picture box holds the point.
std::optional<Component> componentAt(const model::Experiment& experiment, QPoint point,
                                     int type = 0) {
    for (const Component& c : experiment.components())
        if ((type == 0 || c.type == type) && boxContains({c.x, c.y}, point))
            return c;
    return std::nullopt;
}

} // namespace

PointerTool::PointerTool(ExperimentController& controller, AreaHost& host, InteractionState& state)
    : m_controller(controller), m_host(host), m_state(state) {}

void PointerTool::click(QPoint click) {
    m_state.componentDeleted = false;
    if (const std::optional<Component> hit = componentAt(m_controller.experiment(), click)) {
        if (m_state.deleteMode)
            deleteComponent(*hit);
        else
            select(*hit, click);
    }
    if (m_state.deleteMode && !m_state.componentDeleted) {
        model::deleteWiresAtPoint(m_controller.experiment(), click.x(), click.y());
        m_controller.redrawAndAnalyse();
    }
}

void PointerTool::select(const Component& component, QPoint click) {
    m_controller.setCurrentComponent(component.number);
    m_host.showComponentInPanel(component.number);
    if (component.type == model::Rheostat && !m_state.moveArmed)
        moveSlider(component, click);
    if (m_state.moveArmed) {
        m_state.dragInProgress = true;
        m_state.grabOffset = click - QPoint(component.x, component.y);
        m_state.dragOrigin = click;
        m_state.draggedWires =
            model::collectAttachedWires(m_controller.experiment(), component.name);
        m_controller.beginDrag(m_state.draggedWires);
        m_controller.setGiveUpBoxSuppressed(true);
    }
}

void PointerTool::deleteComponent(const Component& component) {
    const QList<int> emptiedSlots = m_controller.experiment().deleteComponent(component.number);
    for (int slot : emptiedSlots)
        m_controller.motors().stop(slot);
    m_state.componentDeleted = true;
    m_controller.redrawAndAnalyse();
    m_controller.setCurrentComponent(0);
    m_host.clearPanel();
}

void PointerTool::moveSlider(const Component& rheostat, QPoint click) {
    const std::optional<int> position = sliderPositionAt({rheostat.x, rheostat.y}, click);
    if (!position || *position == rheostat.state)
        return;
    const double minimum = model::textToNumber(m_host.panelMinimum());
    const double maximum = model::textToNumber(m_host.panelMaximum());
    const QString resistance = model::sliderResistanceText(minimum, maximum, *position);
    m_controller.writeFields(rheostat.number, Field::State, QString::number(*position),
                             Field::Resistance, resistance);
    m_host.setPanelResistance(resistance);
}

void PointerTool::dragMove(QPoint pointer) {
    const int current = m_controller.currentComponent();
    const QPoint clamped = clampDraggedPointer(pointer, m_state.grabOffset, m_host.panelCategory(),
                                               m_controller.canvases().size());
    const QPoint displacement = clamped - m_state.dragOrigin;
    model::moveAttachedWires(m_controller.experiment(), m_state.draggedWires, displacement.x(),
                             displacement.y());
    const QPoint topLeft = clamped - m_state.grabOffset;
    m_controller.writeFields(current, Field::X, QString::number(topLeft.x()), Field::Y,
                             QString::number(topLeft.y()));
}

void PointerTool::endDrag() {
    m_state.dragInProgress = false;
    m_controller.endDrag();
    m_controller.setGiveUpBoxSuppressed(false);
}

void PointerTool::doubleClick(QPoint point) {
    const std::optional<Component> toggled =
        componentAt(m_controller.experiment(), point, model::Switch);
    if (!toggled)
        return;
    m_controller.setCurrentComponent(toggled->number);
    m_host.showSwitchForToggle(toggled->name);
    if (m_state.wireInProgress)
        return;
    m_controller.writeFields(toggled->number, Field::State, toggled->state != 0 ? "0" : "1");
}

} // namespace ampery::area
