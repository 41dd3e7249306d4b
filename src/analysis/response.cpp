#include "response.h"

#include "display.h"
#include "meter_readings.h"
#include "network.h"
#include "solution.h"
#include "tolerance.h"

#include "model/component_type.h"
#include "model/picture_choice.h"

#include <cmath>
#include <optional>

namespace ampery::analysis {

namespace picture = model::picture;

namespace {
constexpr int slowInterval = 800;
constexpr int fastInterval = 250;
constexpr int veryFastInterval = 90;

// Where a voltage lies against a rated voltage, the same for a lamp's light
// and a motor's speed: up to a third of the rating, up to two thirds, up to
// the rating, or over it. None when no band holds (a NaN voltage).
enum class Band { Off, Low, Rated, Over };

std::optional<Band> bandOf(double u, double vr) {
    if (u - vr / 3 <= epsilon)
        return Band::Off;
    if (u - vr / 3 > epsilon && u - 2 * (vr / 3) <= epsilon)
        return Band::Low;
    if (u - 2 * (vr / 3) > epsilon && u - vr <= epsilon)
        return Band::Rated;
    if (u - vr > epsilon)
        return Band::Over;
    return std::nullopt;
}

} // namespace

std::optional<int> lampPicture(double u, double vr) {
    const std::optional<Band> band = bandOf(u, vr);
    if (!band)
        return std::nullopt;
    switch (*band) {
    case Band::Off:
        return picture::lampDark;
    case Band::Low:
        return picture::lampDim;
    case Band::Rated:
        return picture::lampBright;
    case Band::Over:
        return picture::lampBroken;
    }
    return std::nullopt;
}

int motorInterval(double u, double vr) {
    switch (bandOf(u, vr).value_or(Band::Off)) {
    case Band::Off:
        return 0;
    case Band::Low:
        return slowInterval;
    case Band::Rated:
        return fastInterval;
    case Band::Over:
        return veryFastInterval;
    }
    return 0;
}

int motorSlotOf(const QString& name, const std::array<QString, model::motorSlotCount>& motorSlots) {
    // A nameless motor (only in a crafted file) would match a free slot.
    if (name.isEmpty())
        return -1;
    for (int k = model::motorSlotCount - 1; k >= 0; --k)
        if (motorSlots[static_cast<std::size_t>(k)] == name)
            return k;
    return -1;
}

void displayPass(Display& display, const Network& network, const Solution& solution,
                 const std::array<QString, model::motorSlotCount>& motorSlots) {
    // The records of each name, by the first component with that name (whose
    // terminal ids the name's terminals are).
    const auto firstWithName = [&network](std::size_t c) {
        return static_cast<std::size_t>(
            network.owner[static_cast<std::size_t>(network.positive[c])]);
    };
    const GroupedLists<int> recordsOf(network.components.size(), [&](const auto& add) {
        for (int r = 0; r < static_cast<int>(solution.values.size()); ++r)
            add(firstWithName(static_cast<std::size_t>(
                    solution.values[static_cast<std::size_t>(r)].component)),
                r);
    });

    // The lamps and motors with records, by their voltage.
    for (std::size_t k = 0; k < network.components.size(); ++k) {
        const model::Component& c = network.components[k];
        if (c.type != model::Lamp && c.type != model::Motor)
            continue;
        for (const int r : recordsOf[firstWithName(k)]) {
            display.markDone(c.name);
            const RecordValues& v = solution.values[static_cast<std::size_t>(r)];
            const double u = std::abs(v.va - v.vb);
            if (c.type == model::Lamp) {
                if (const std::optional<int> p = lampPicture(u, c.ratedVoltage))
                    display.showPicture(c, *p);
                continue;
            }
            const int slot = motorSlotOf(c.name, motorSlots);
            if (slot < 0)
                continue;
            const int interval = motorInterval(u, c.ratedVoltage);
            const int direction = interval == 0           ? DisplayStep::keepDirection
                                  : v.va - v.vb > epsilon ? 1
                                                          : 0;
            display.setMotorSlot(slot, c, direction, interval);
        }
    }

    // Everything not shown yet: dark lamps, stopped motors, and the meters.
    std::optional<ResultIndex> index;
    if (network.hasMeters)
        index.emplace(solution, network);
    for (int k = 0; k < static_cast<int>(network.components.size()); ++k) {
        const model::Component& c = network.components[static_cast<std::size_t>(k)];
        if (display.isDone(c.name))
            continue;
        switch (c.type) {
        case model::Lamp:
            display.showPicture(c, picture::lampDark);
            break;
        case model::Motor:
            if (const int slot = motorSlotOf(c.name, motorSlots); slot >= 0)
                display.setMotorSlot(slot, c, DisplayStep::keepDirection, 0);
            break;
        case model::Ammeter:
            readAmmeter(display, network, *index, k);
            break;
        case model::Voltmeter:
            readVoltmeter(display, network, *index, k);
            break;
        default:
            break;
        }
    }
    display.combine();
}

} // namespace ampery::analysis
