#pragma once

#include "tool_choice.h"

#include <QPoint>

#include <optional>

namespace ampery::model {
struct Component;
class Experiment;
} // namespace ampery::model

namespace ampery::area {

class AreaHost;
class ExperimentController;

// A tool of the experiment area. The area hands it the mouse events in area
// pixels; the tool reads records through the controller and changes the
// experiment only through the controller's operations.
class Tool {
public:
    Tool(ExperimentController& controller, AreaHost& host);
    virtual ~Tool() = default;
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    virtual AreaCursor cursor() const = 0;

    virtual void press(QPoint point) = 0;
    virtual void move(QPoint) {}
    virtual void release(QPoint) {}
    // A quick second press at the same place arrives as a double click: for
    // most tools it is the press it is.
    virtual void doubleClick(QPoint point) { press(point); }
    // The right button: whether the tool used it. Otherwise the area goes
    // back to the select tool.
    virtual bool rightPress() { return false; }
    // The pointer left the area for another control, Escape was pressed or
    // another tool was chosen: whatever the tool has begun ends.
    virtual void cancel() {}

protected:
    // The lowest-numbered component of the type (any type when 0) whose
    // picture box holds the point.
    std::optional<model::Component> componentAt(QPoint point, int type = 0) const;
    // Makes the component the current one and shows it in the panel.
    void select(int number);

    ExperimentController& m_controller;
    AreaHost& m_host;
};

} // namespace ampery::area
