#pragma once

#include "tool.h"

namespace ampery::area {

// 选择: a click selects a component for the settings panel and moves a
// rheostat's slider when it lands on the slider's track; a double click opens
// or closes a switch.
class SelectTool : public Tool {
public:
    using Tool::Tool;

    AreaCursor cursor() const override { return AreaCursor::Hand; }
    void press(QPoint point) override;
    void doubleClick(QPoint point) override;
};

} // namespace ampery::area
