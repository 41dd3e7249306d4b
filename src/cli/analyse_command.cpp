#include "analyse_command.h"

#include "analysis/analyse.h"
#include "analysis_report.h"
#include "console.h"
#include "model/experiment_file.h"

namespace ampery::cli {

int runAnalyseCommand(const QStringList& arguments) {
    if (arguments.size() != 1)
        return refuse(QStringLiteral("analyse takes exactly one experiment file"));
    model::Experiment experiment;
    const model::FileResult opened = model::openExperiment(experiment, arguments.first());
    if (!opened.ok)
        return refuse(opened.error);

    // The bookkeeping of the redraw that precedes every analysis; an
    // experiment without components is not analysed.
    std::optional<analysis::AnalysisOutcome> outcome;
    if (experiment.recount())
        outcome = analysis::analyse(experiment);

    if (!writeOutput(analysisReport(experiment, outcome) + u'\n')) {
        reportError(QStringLiteral("cannot write to standard output"));
        return exitOutputFailed;
    }
    return exitSuccess;
}

} // namespace ampery::cli
