#include "opened_experiment.h"

#include "analysis/analyse.h"
#include "canvas_pair.h"
#include "full_redraw.h"
#include "model/experiment.h"
#include "motor_animator.h"
#include "outcome_painter.h"

namespace ampery::render {

std::optional<analysis::AnalysisOutcome> openExperimentText(model::Experiment& experiment,
                                                            QString text, CanvasPair& canvases,
                                                            const PictureTable& pictures,
                                                            MotorAnimator& motors,
                                                            const RedrawOptions& options) {
    motors.reset();
    experiment.load(std::move(text));
    if (!fullRedraw(experiment, canvases, pictures, nullptr, options)) {
        experiment.reset();
        canvases.clear();
        return std::nullopt;
    }
    analysis::AnalysisOutcome outcome = analysis::analyse(experiment);
    OutcomePainter(canvases, pictures, motors).apply(outcome.steps);
    return outcome;
}

} // namespace ampery::render
