#pragma once

#include "tool.h"

namespace ampery::area {

// 删除: a click in a component's picture box deletes the component with its
// wires; a click anywhere else deletes the wires with a point near it.
class DeleteTool : public Tool {
public:
    using Tool::Tool;

    AreaCursor cursor() const override { return AreaCursor::Eraser; }
    void press(QPoint point) override;

    // The Delete key: the current component, as a click on it would.
    void deleteCurrent();

private:
    void deleteComponent(int number);
};

} // namespace ampery::area
