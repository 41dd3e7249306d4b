#include "circuit_checks.h"

#include "list_index.h"
#include "working_network.h"

#include "model/component_type.h"

namespace ampery::analysis {

bool removeShortedComponents(WorkingNetwork& work) {
    for (int c = 0; c < static_cast<int>(work.components().size()); ++c) {
        const WorkingComponent& w = work.components()[at(c)];
        const int node = work.nodeOf(w.positive);
        if (!w.present || node < 0 || node != work.nodeOf(w.negative))
            continue;
        if (w.type == model::Source)
            return false;
        work.removeComponent(c);
    }
    return true;
}

void removeOpenSwitchesAndVoltmeters(WorkingNetwork& work) {
    for (int c = 0; c < static_cast<int>(work.components().size()); ++c) {
        const WorkingComponent& w = work.components()[at(c)];
        if (w.present && (w.type == model::Switch || w.type == model::Voltmeter))
            work.removeComponent(c);
    }
}

} // namespace ampery::analysis
