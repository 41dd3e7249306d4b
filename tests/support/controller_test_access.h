#pragma once

#include "area/experiment_controller.h"

namespace ampery::area {

// What tests may do that the program never does: build an experiment by
// editing its text directly instead of through the mouse.
struct ControllerTestAccess {
    static model::Experiment& experiment(ExperimentController& controller) {
        return controller.m_experiment;
    }
};

} // namespace ampery::area
