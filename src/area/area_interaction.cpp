#include "area_interaction.h"

#include "area_host.h"

namespace ampery::area {

AreaInteraction::AreaInteraction(ExperimentController& controller, AreaHost& host, QObject* parent)
    : QObject(parent), m_host(host), m_selectTool(controller, host), m_moveTool(controller, host),
      m_deleteTool(controller, host), m_wireTool(controller, host), m_placeTool(controller, host) {}

Tool& AreaInteraction::toolFor(PaletteButton choice) {
    switch (choice) {
    case PaletteButton::Select:
        return m_selectTool;
    case PaletteButton::Move:
        return m_moveTool;
    case PaletteButton::Delete:
        return m_deleteTool;
    case PaletteButton::Wire:
        return m_wireTool;
    default:
        return m_placeTool;
    }
}

void AreaInteraction::chooseTool(PaletteButton choice) {
    Tool& next = toolFor(choice);
    if (&next != m_tool)
        m_tool->cancel();
    m_choice = choice;
    m_tool = &next;
    if (m_tool == &m_placeTool)
        m_placeTool.setType(toolCodeOf(choice));
    emit cursorChanged(m_tool->cursor());
}

void AreaInteraction::leftButtonDown(QPoint point) {
    m_tool->press(point);
}

void AreaInteraction::pointerMove(QPoint point) {
    m_tool->move(point);
}

void AreaInteraction::leftButtonUp(QPoint point) {
    m_tool->release(point);
}

void AreaInteraction::rightButtonDown(QPoint) {
    if (m_tool->rightPress())
        return;
    chooseTool(PaletteButton::Select);
    m_host.showToolChosen(PaletteButton::Select);
}

void AreaInteraction::doubleClick(QPoint point) {
    m_tool->doubleClick(point);
}

void AreaInteraction::cancel() {
    m_tool->cancel();
}

void AreaInteraction::deleteCurrentComponent() {
    m_tool->cancel();
    m_deleteTool.deleteCurrent();
}

} // namespace ampery::area
