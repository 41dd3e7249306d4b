#pragma once

#include "delete_tool.h"
#include "move_tool.h"
#include "place_tool.h"
#include "select_tool.h"
#include "wire_tool.h"

#include <QObject>
#include <QPoint>

namespace ampery::area {

class AreaHost;
class ExperimentController;

// The tools of the experiment area and the one in use. The palette pushes
// the user's choice here; the area hands each mouse event to the tool in use.
class AreaInteraction : public QObject {
    Q_OBJECT
public:
    AreaInteraction(ExperimentController& controller, AreaHost& host, QObject* parent = nullptr);

    // The tool of a palette button; the one in use ends what it had begun.
    void chooseTool(PaletteButton choice);
    PaletteButton chosenTool() const { return m_choice; }
    // 0 select, move or delete, 1 to 8 place that type, 9 wire.
    int toolCode() const { return toolCodeOf(m_choice); }

    void leftButtonDown(QPoint point);
    void pointerMove(QPoint point);
    void leftButtonUp(QPoint point);
    void rightButtonDown(QPoint point);
    void doubleClick(QPoint point);

    // The pointer moved over another control, or Escape: an unfinished wire
    // is dropped and a drag that lost its button-up ends.
    void cancel();
    // The Delete key.
    void deleteCurrentComponent();

    PlaceTool& placeTool() { return m_placeTool; }

signals:
    void cursorChanged(ampery::area::AreaCursor cursor);

private:
    Tool& toolFor(PaletteButton choice);

    AreaHost& m_host;
    SelectTool m_selectTool;
    MoveTool m_moveTool;
    DeleteTool m_deleteTool;
    WireTool m_wireTool;
    PlaceTool m_placeTool;
    PaletteButton m_choice = PaletteButton::Source;
    Tool* m_tool = &m_placeTool;
};

} // namespace ampery::area
