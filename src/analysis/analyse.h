#pragma once

#include "analysis_outcome.h"

namespace ampery::model {
class Experiment;
}

namespace ampery::analysis {

// The circuit analysis of the experiment as it stands
// (the caller has run Experiment::recount()). A pure function: it draws
// nothing and touches no timer; the caller shows the give-up box when it is
// due, then the status text, and applies the display steps in order.
AnalysisOutcome analyse(const model::Experiment& experiment);

} // namespace ampery::analysis
