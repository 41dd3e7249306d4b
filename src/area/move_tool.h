#pragma once

#include "tool.h"

namespace ampery::area {

// 移动: pressing on a component selects it and drags it with its wires until
// the button is released.
class MoveTool : public Tool {
public:
    using Tool::Tool;

    AreaCursor cursor() const override { return AreaCursor::SizeAll; }
    void press(QPoint point) override;
    void move(QPoint point) override;
    void release(QPoint point) override;
    void cancel() override;
};

} // namespace ampery::area
