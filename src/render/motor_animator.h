#pragma once

#include "model/experiment.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <array>

namespace ampery::render {

class CanvasPair;
class PictureTable;

// Turns the rotors of running motors: one slot and one timer per motor slot.
// Each tick draws the slot's next rotor picture over the last one and
// combines the wire layer. Stopping keeps the frame counter, so a motor that
// starts again continues where it stopped.
class MotorAnimator : public QObject {
    Q_OBJECT
public:
    // The motor's rotor picture for a frame counter and direction (1 forward).
    static int framePicture(int frameCounter, int direction);

    MotorAnimator(CanvasPair& canvases, const PictureTable& pictures, QObject* parent = nullptr);

    // Interval 0 stops the slot; any other interval (ms) runs it. A negative
    // direction leaves the slot's direction as it was.
    void setSlot(int slot, QPoint topLeft, int direction, int interval);
    void stop(int slot);
    void stopAll();
    // New experiment: every slot stopped and back to its first frame.
    void reset();

    // The timer's handler; public so the sequence can be driven without waiting.
    void tick(int slot);

    int frameCounter(int slot) const;
    int interval(int slot) const;
    bool isRunning(int slot) const;

signals:
    // Emitted after a tick has drawn on the area.
    void areaChanged();

private:
    struct Slot {
        QPoint topLeft;
        int direction = 0;
        int frameCounter = 0;
        QTimer timer;
    };

    const Slot* slotAt(int slot) const;
    Slot* slotAt(int slot);

    CanvasPair& m_canvases;
    const PictureTable& m_pictures;
    std::array<Slot, model::motorSlotCount> m_slots;
};

} // namespace ampery::render
