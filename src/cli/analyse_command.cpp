#include "analyse_command.h"

#include "analysis_report.h"
#include "console.h"
#include "model/experiment.h"
#include "model/experiment_file.h"
#include "render/canvas_pair.h"
#include "render/motor_animator.h"
#include "render/opened_experiment.h"
#include "render/picture_table.h"

namespace ampery::cli {

int runAnalyseCommand(const QStringList& arguments) {
    if (arguments.size() != 1)
        return refuse(QStringLiteral("analyse takes exactly one experiment file"));
    model::FileText read = model::readExperimentFile(arguments.first());
    if (!read.ok)
        return refuse(read.error);

    // Opened as the window opens it; an experiment without components is
    // not analysed.
    const render::PictureTable pictures;
    render::CanvasPair canvases;
    render::MotorAnimator motors(canvases, pictures);
    model::Experiment experiment;
    const std::optional<analysis::AnalysisOutcome> outcome =
        render::openExperimentText(experiment, std::move(read.text), canvases, pictures, motors);

    if (!writeOutput(analysisReport(experiment, outcome) + u'\n')) {
        reportError(QStringLiteral("cannot write to standard output"));
        return exitOutputFailed;
    }
    return exitSuccess;
}

} // namespace ampery::cli
