#include "display_summary.h"

#include "model/component_record_reader.h"
#include "model/component_type.h"
#include "model/picture_choice.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace ampery::cli {

namespace {

using analysis::DisplayStep;

struct MotorSlotState {
    int interval = 0;
    int direction = 0;
};

// Records keyed by where they start, so that a step naming a number reaches
// the record that the lookup by number finds.
QList<ComponentSummary> redrawnComponents(const model::Experiment& experiment,
                                          const QList<DisplayStep>& steps) {
    QList<ComponentSummary> components;
    QHash<qsizetype, qsizetype> indexByStart;
    model::ComponentRecordReader reader(experiment.text());
    while (reader.next()) {
        const model::Component& c = reader.component();
        ComponentSummary component;
        component.number = c.number;
        component.name = c.name;
        component.type = c.type;
        component.picture = model::pictureForRecord(c.type, c.state);
        indexByStart.insert(reader.start(), components.size());
        components.append(component);
    }
    for (const DisplayStep& step : steps) {
        if (step.kind != DisplayStep::Kind::ShowPicture)
            continue;
        const auto found =
            indexByStart.constFind(experiment.findComponentRecord(step.componentNumber));
        if (found != indexByStart.cend())
            components[*found].picture = step.picture;
    }
    std::stable_sort(
        components.begin(), components.end(),
        [](const ComponentSummary& a, const ComponentSummary& b) { return a.number < b.number; });
    return components;
}

std::array<MotorSlotState, model::motorSlotCount> motorSlotsAfter(const QList<DisplayStep>& steps) {
    std::array<MotorSlotState, model::motorSlotCount> slotStates{};
    for (const DisplayStep& step : steps) {
        if (step.kind == DisplayStep::Kind::StopAllMotors) {
            for (MotorSlotState& slot : slotStates)
                slot.interval = 0;
        } else if (step.kind == DisplayStep::Kind::SetMotorSlot && step.slot >= 0 &&
                   step.slot < model::motorSlotCount) {
            MotorSlotState& slot = slotStates[static_cast<std::size_t>(step.slot)];
            slot.interval = step.interval;
            if (step.direction != DisplayStep::keepDirection)
                slot.direction = step.direction;
        }
    }
    return slotStates;
}

// The last slot that holds the name, as the motor's response finds it.
std::optional<int> slotOf(const model::Experiment& experiment, const QString& name) {
    if (name.isEmpty()) // an empty name would match every free slot
        return std::nullopt;
    const auto& names = experiment.motorSlots();
    for (int k = model::motorSlotCount - 1; k >= 0; --k)
        if (names[static_cast<std::size_t>(k)] == name)
            return k;
    return std::nullopt;
}

} // namespace

DisplaySummary summariseDisplay(const model::Experiment& experiment,
                                const analysis::AnalysisOutcome& outcome) {
    DisplaySummary summary;
    summary.components = redrawnComponents(experiment, outcome.steps);
    const auto slotStates = motorSlotsAfter(outcome.steps);
    for (const ComponentSummary& component : summary.components) {
        if (component.type != model::Motor)
            continue;
        MotorSummary motor{component.number, component.name, std::nullopt, 0, 0};
        if (const std::optional<int> slot = slotOf(experiment, component.name)) {
            const MotorSlotState& state = slotStates[static_cast<std::size_t>(*slot)];
            motor.slot = *slot + 1;
            motor.interval = state.interval;
            motor.direction = state.direction;
        }
        summary.motors.append(motor);
    }
    return summary;
}

} // namespace ampery::cli
