#include "place_tool.h"

#include "area_host.h"
#include "area_texts.h"
#include "experiment_controller.h"

#include <QThread>

namespace ampery::area {

void PlaceTool::press(QPoint point) {
    const PlaceResult placed = m_controller.placeComponent(m_type, point);
    if (placed == PlaceResult::Placed) {
        m_host.showComponentInPanel(m_controller.currentComponent());
        return;
    }
    // A short pause lets a double click settle before the box appears.
    QThread::msleep(static_cast<unsigned long>(m_limitPause.count()));
    m_host.showLimitMessage(placed == PlaceResult::SourceExists ? texts::oneSourceOnly
                                                                : texts::tenMotorsAtMost);
}

} // namespace ampery::area
