#pragma once

#include "tool.h"

#include <chrono>

namespace ampery::area {

// 电源 … 电压器: places a component of the chosen type where the user clicks
// and shows it in the panel. The tool stays, so the next click places another.
class PlaceTool : public Tool {
public:
    using Tool::Tool;

    AreaCursor cursor() const override { return AreaCursor::Cross; }
    void press(QPoint point) override;

    int type() const { return m_type; }
    void setType(int type) { m_type = type; }

    // The pause before a limit message; long event scripts shorten it.
    void setLimitPause(std::chrono::milliseconds pause) { m_limitPause = pause; }

private:
    int m_type = 1;
    std::chrono::milliseconds m_limitPause{200};
};

} // namespace ampery::area
