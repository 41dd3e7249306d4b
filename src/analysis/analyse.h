#pragma once

#include "analysis_outcome.h"

#include <functional>
#include <memory>

namespace ampery::model {
class Experiment;
}

namespace ampery::analysis {

// The circuit analysis of the experiment as it stands
// (the caller has run Experiment::recount()). A pure function: it draws
// nothing and touches no timer; the caller shows the give-up box when it is
// due, then the status text, and applies the display steps in order.
AnalysisOutcome analyse(const model::Experiment& experiment);

class ReductionScans;
class WorkingNetwork;

// The same with the reduction's questions answered by scans the caller makes
// for the working network: the tests' rescans from the top of the lists,
// held against the analysis's own index.
using ScansMaker = std::function<std::unique_ptr<ReductionScans>(WorkingNetwork&)>;
AnalysisOutcome analyse(const model::Experiment& experiment, const ScansMaker& makeScans);

} // namespace ampery::analysis
