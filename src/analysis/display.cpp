#include "display.h"

#include "model/component_record.h"

namespace ampery::analysis {

void Display::showPicture(const model::Component& component, int picture) {
    DisplayStep step;
    step.kind = DisplayStep::Kind::ShowPicture;
    step.picture = picture;
    step.componentNumber = component.number;
    step.x = component.x;
    step.y = component.y;
    m_outcome.steps.append(step);
}

void Display::combine() {
    DisplayStep step;
    step.kind = DisplayStep::Kind::Combine;
    m_outcome.steps.append(step);
}

void Display::stopAllMotors() {
    DisplayStep step;
    step.kind = DisplayStep::Kind::StopAllMotors;
    m_outcome.steps.append(step);
}

void Display::setMotorSlot(int slot, const model::Component& motor, int direction, int interval) {
    DisplayStep step;
    step.kind = DisplayStep::Kind::SetMotorSlot;
    step.componentNumber = motor.number;
    step.x = motor.x;
    step.y = motor.y;
    step.slot = slot;
    step.direction = direction;
    step.interval = interval;
    m_outcome.steps.append(step);
}

} // namespace ampery::analysis
