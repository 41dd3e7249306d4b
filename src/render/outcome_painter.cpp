#include "outcome_painter.h"

#include "canvas_pair.h"
#include "motor_animator.h"
#include "picture_table.h"

namespace ampery::render {

OutcomePainter::OutcomePainter(CanvasPair& canvases, const PictureTable& pictures,
                               MotorAnimator& motors)
    : m_canvases(canvases), m_pictures(pictures), m_motors(motors) {}

void OutcomePainter::apply(const QList<analysis::DisplayStep>& steps) {
    using Kind = analysis::DisplayStep::Kind;
    for (const analysis::DisplayStep& step : steps) {
        const QPoint topLeft(step.x, step.y);
        switch (step.kind) {
        case Kind::ShowPicture: {
            CanvasPair::AreaPainter painter(m_canvases);
            painter.clearBox(topLeft);
            painter.drawPicture(m_pictures.picture(step.picture), topLeft);
            break;
        }
        case Kind::Combine:
            m_canvases.combine();
            break;
        case Kind::StopAllMotors:
            m_motors.stopAll();
            break;
        case Kind::SetMotorSlot:
            m_motors.setSlot(step.slot, topLeft, step.direction, step.interval);
            break;
        }
    }
}

} // namespace ampery::render
