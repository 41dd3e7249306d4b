#include "area_interaction.h"

#include "area_host.h"
#include "experiment_controller.h"

namespace ampery::area {

namespace {
constexpr int wireToolCode = 9;
}

AreaInteraction::AreaInteraction(ExperimentController& controller, AreaHost& host, QObject* parent)
    : QObject(parent), m_controller(controller), m_host(host),
      m_placeTool(controller, host, m_state), m_wireTool(controller, host, m_state),
      m_pointerTool(controller, host, m_state) {}

void AreaInteraction::applyToolState() {
    const PaletteButton checked = m_host.checkedPaletteButton();
    m_state.deleteMode = false;
    switch (checked) {
    case PaletteButton::Select:
        m_state.toolCode = 0;
        emit cursorChanged(AreaCursor::Hand);
        break;
    case PaletteButton::Move:
        m_state.moveArmed = true;
        m_state.toolCode = 0;
        emit cursorChanged(AreaCursor::SizeAll);
        break;
    case PaletteButton::Delete:
        m_state.toolCode = 0;
        m_state.deleteMode = true;
        emit cursorChanged(AreaCursor::Eraser);
        break;
    default:
        m_state.toolCode = m_host.rememberedToolCode();
        emit cursorChanged(AreaCursor::Cross);
    }
}

void AreaInteraction::leftButtonDown(QPoint point) {
    m_state.lastPoint = point;
    applyToolState();
    const int code = m_state.toolCode;
    if (code >= 1 && code <= 8) {
        m_placeTool.place(code, point);
        applyToolState();
    } else if (code == wireToolCode) {
        if (m_wireTool.click(point))
            applyToolState();
    } else if (code == 0 && !m_state.wireInProgress) {
        m_pointerTool.click(point);
    }
}

void AreaInteraction::pointerMove(QPoint point) {
    if (m_state.wireInProgress)
        m_wireTool.pointerMove(point);
    else if (m_state.moveArmed && m_state.dragInProgress)
        m_pointerTool.dragMove(point);
}

void AreaInteraction::leftButtonUp(QPoint) {
    if (!m_state.moveArmed)
        return;
    m_state.moveArmed = false;
    m_pointerTool.endDrag();
}

void AreaInteraction::rightButtonDown(QPoint) {
    if (m_state.wireInProgress && m_state.toolCode == wireToolCode)
        m_wireTool.abandon();
    else
        m_host.selectSelectTool();
    applyToolState();
}

void AreaInteraction::doubleClick(QPoint point) {
    // A quick second click arrives as a double click. Only the select tool
    // gives it a meaning of its own; every other tool takes it as the click
    // it is, so that no quick click is lost.
    if (m_host.checkedPaletteButton() != PaletteButton::Select)
        leftButtonDown(point);
    else if (m_state.toolCode == 0)
        m_pointerTool.doubleClick(point);
}

void AreaInteraction::wireCancelCheck() {
    if (m_state.wireInProgress)
        m_wireTool.abandon();
    if (m_state.moveArmed && m_state.dragInProgress)
        m_pointerTool.endDrag();
}

void AreaInteraction::reset() {
    m_state = InteractionState();
    m_controller.setGiveUpBoxSuppressed(false);
}

} // namespace ampery::area
