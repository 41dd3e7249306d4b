#pragma once

#include "tool.h"

namespace ampery::area {

// 导线: a click on a binding post starts a wire, every pointer move adds a
// point to its track, a click on another post finishes it.
class WireTool : public Tool {
public:
    using Tool::Tool;

    AreaCursor cursor() const override { return AreaCursor::Cross; }
    void press(QPoint point) override;
    void move(QPoint point) override;
    // Drops the wire being drawn.
    bool rightPress() override;
    void cancel() override;
};

} // namespace ampery::area
