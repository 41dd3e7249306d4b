#include "place_tool.h"

#include "area_geometry.h"
#include "area_host.h"
#include "area_texts.h"
#include "experiment_controller.h"
#include "interaction_state.h"
#include "model/component_type.h"
#include "model/number_text.h"
#include "model/picture_choice.h"
#include "model/separators.h"

#include <QThread>

namespace ampery::area {

PlaceTool::PlaceTool(ExperimentController& controller, AreaHost& host, InteractionState& state)
    : m_controller(controller), m_host(host), m_state(state) {}

bool PlaceTool::refusedByLimit(int type, int& motorSlot) {
    model::Experiment& experiment = m_controller.experiment();
    QString message;
    if (type == model::Source && experiment.highestRunningNumber(model::Source) != 0) {
        message = texts::oneSourceOnly;
    } else if (type == model::Motor) {
        motorSlot = -1;
        for (int k = 0; k < model::motorSlotCount; ++k)
            if (experiment.motorSlots()[static_cast<std::size_t>(k)].isEmpty())
                motorSlot = k;
        if (motorSlot < 0) {
            message = texts::tenMotorsAtMost;
            m_state.toolCode = 0;
        }
    }
    if (message.isEmpty())
        return false;
    // A short pause lets a double click settle before the box appears.
    QThread::msleep(static_cast<unsigned long>(m_limitPause.count()));
    m_host.showLimitMessage(message);
    return true;
}

bool PlaceTool::place(int type, QPoint click) {
    int motorSlot = -1;
    if (refusedByLimit(type, motorSlot))
        return false;

    model::Experiment& experiment = m_controller.experiment();
    const QPoint topLeft = placedTopLeft(click);
    const QString name = experiment.nameNewComponent(type);
    const int defaultState = model::textToInt(model::defaultsFor(type).state);
    if (const std::optional<int> picture = model::pictureForRecord(type, defaultState)) {
        render::CanvasPair::AreaPainter painter(m_controller.canvases());
        painter.drawPicture(m_controller.pictures().picture(*picture), topLeft);
    }
    m_controller.canvases().combine();

    const int number = experiment.addComponent(topLeft.x(), topLeft.y(), name, type);
    m_controller.setCurrentComponent(number);
    m_host.showComponentInPanel(number);
    if (type == model::Motor)
        experiment.setMotorSlot(motorSlot, name);
    if (type == model::Source)
        m_host.showStatus(experiment.text().contains(QChar(model::sep::wireStart))
                              ? texts::sourceWithoutLoop
                              : QString());
    m_controller.notifyAreaChanged();
    return true;
}

} // namespace ampery::area
