#pragma once

#include "interaction_state.h"
#include "place_tool.h"
#include "pointer_tool.h"
#include "wire_tool.h"

#include <QObject>
#include <QPoint>

namespace ampery::area {

class AreaHost;
class ExperimentController;

// The experiment area's mouse handlers: derives the tool state from the
// palette and hands each event to the tool it belongs to.
class AreaInteraction : public QObject {
    Q_OBJECT
public:
    AreaInteraction(ExperimentController& controller, AreaHost& host, QObject* parent = nullptr);

    void leftButtonDown(QPoint point);
    void pointerMove(QPoint point);
    void leftButtonUp(QPoint point);
    void rightButtonDown(QPoint point);
    void doubleClick(QPoint point);

    // Reads the palette: cursor, tool code, move-armed and delete-mode flags.
    void applyToolState();
    // Run when the pointer moves over any other control: drops an unfinished
    // wire and ends a drag that lost its button-up.
    void wireCancelCheck();
    // New experiment and open: no wire, no drag, no tool armed.
    void reset();

    const InteractionState& state() const { return m_state; }
    PlaceTool& placeTool() { return m_placeTool; }

signals:
    void cursorChanged(ampery::area::AreaCursor cursor);

private:
    ExperimentController& m_controller;
    AreaHost& m_host;
    InteractionState m_state;
    PlaceTool m_placeTool;
    WireTool m_wireTool;
    PointerTool m_pointerTool;
};

} // namespace ampery::area
