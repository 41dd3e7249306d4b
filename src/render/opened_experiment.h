#pragma once

#include "analysis/analysis_outcome.h"
#include "full_redraw.h"

#include <QString>

#include <optional>

namespace ampery::model {
class Experiment;
}

namespace ampery::render {

class CanvasPair;
class MotorAnimator;
class PictureTable;

// Opening an experiment, the same wherever it is done (the window, the
// command line, the fuzzer): the experiment takes the text with its motor
// slots and nothing else of the one before, every motor stops, both canvases
// are painted from the text, and when it holds a component the analysis is
// shown on them, drawn with the options. Returns that analysis; nothing when no component was
// found, and then the experiment is new and both canvases white.
std::optional<analysis::AnalysisOutcome> openExperimentText(model::Experiment& experiment,
                                                            QString text, CanvasPair& canvases,
                                                            const PictureTable& pictures,
                                                            MotorAnimator& motors,
                                                            const RedrawOptions& options = {});

} // namespace ampery::render
