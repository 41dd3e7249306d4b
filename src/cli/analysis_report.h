#pragma once

#include "analysis/analysis_outcome.h"
#include "model/experiment.h"

#include <QString>

#include <optional>

namespace ampery::cli {

// The JSON object that `ampery-cli analyse` prints, without the final newline.
// No outcome (an experiment without components) gives an empty status, both
// flags false and empty arrays.
QString analysisReport(const model::Experiment& experiment,
                       const std::optional<analysis::AnalysisOutcome>& outcome);

} // namespace ampery::cli
