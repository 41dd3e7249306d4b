#include "analyse_command.h"

#include "analysis_report.h"
#include "console.h"
#include "model/experiment.h"
#include "model/experiment_file.h"
#include "render/headless_experiment.h"

namespace ampery::cli {

int runAnalyseCommand(const QStringList& arguments) {
    if (arguments.size() != 1)
        return refuse(QStringLiteral("analyse takes exactly one experiment file"));
    model::FileText read = model::readExperimentFile(arguments.first());
    if (!read.ok)
        return refuse(read.error);

    // Opened as the window opens it; an experiment without components is
    // not analysed.
    render::HeadlessExperiment opened;
    const std::optional<analysis::AnalysisOutcome> outcome = opened.open(std::move(read.text));

    if (!writeOutput(analysisReport(opened.experiment, outcome) + u'\n')) {
        reportError(QStringLiteral("cannot write to standard output"));
        return exitOutputFailed;
    }
    return exitSuccess;
}

} // namespace ampery::cli
