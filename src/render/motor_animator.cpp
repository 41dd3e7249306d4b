#include "motor_animator.h"

#include "canvas_pair.h"
#include "picture_table.h"

#include "model/picture_choice.h"

namespace ampery::render {

namespace {
constexpr int frameCount = 4;
}

int MotorAnimator::framePicture(int frameCounter, int direction) {
    // Counter 1, 2, 3, 0 shows 13, 14, 15, 16 forward and 16, 15, 14, 13 backward.
    const int step = (frameCounter + frameCount - 1) % frameCount;
    return model::picture::motorFirst + (direction == 1 ? step : frameCount - 1 - step);
}

MotorAnimator::MotorAnimator(CanvasPair& canvases, const PictureTable& pictures, QObject* parent)
    : QObject(parent), m_canvases(canvases), m_pictures(pictures) {
    for (int k = 0; k < model::motorSlotCount; ++k)
        connect(&m_slots[static_cast<std::size_t>(k)].timer, &QTimer::timeout, this,
                [this, k] { tick(k); });
}

const MotorAnimator::Slot* MotorAnimator::slotAt(int slot) const {
    if (slot < 0 || slot >= model::motorSlotCount)
        return nullptr;
    return &m_slots[static_cast<std::size_t>(slot)];
}

MotorAnimator::Slot* MotorAnimator::slotAt(int slot) {
    return const_cast<Slot*>(std::as_const(*this).slotAt(slot));
}

void MotorAnimator::setSlot(int slot, QPoint topLeft, int direction, int interval) {
    Slot* s = slotAt(slot);
    if (!s)
        return;
    s->topLeft = topLeft;
    if (direction >= 0)
        s->direction = direction;
    if (interval <= 0) {
        s->timer.stop();
        return;
    }
    // A running timer keeps its phase when its interval does not change.
    if (!s->timer.isActive() || s->timer.interval() != interval)
        s->timer.start(interval);
}

void MotorAnimator::stop(int slot) {
    if (Slot* s = slotAt(slot))
        s->timer.stop();
}

void MotorAnimator::stopAll() {
    for (Slot& s : m_slots)
        s.timer.stop();
}

void MotorAnimator::reset() {
    for (Slot& s : m_slots) {
        s.timer.stop();
        s.topLeft = {};
        s.direction = 0;
        s.frameCounter = 0;
    }
}

void MotorAnimator::tick(int slot) {
    Slot* s = slotAt(slot);
    if (!s)
        return;
    s->frameCounter = (s->frameCounter + 1) % frameCount;
    m_canvases.drawPicture(m_pictures.picture(framePicture(s->frameCounter, s->direction)),
                           s->topLeft);
    m_canvases.combine();
    emit areaChanged();
}

int MotorAnimator::frameCounter(int slot) const {
    const Slot* s = slotAt(slot);
    return s ? s->frameCounter : 0;
}

int MotorAnimator::interval(int slot) const {
    const Slot* s = slotAt(slot);
    return s && s->timer.isActive() ? s->timer.interval() : 0;
}

bool MotorAnimator::isRunning(int slot) const {
    const Slot* s = slotAt(slot);
    return s && s->timer.isActive();
}

} // namespace ampery::render
