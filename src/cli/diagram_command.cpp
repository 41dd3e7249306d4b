#include "diagram_command.h"

#include "console.h"

#include "analysis/analysis_outcome.h"
#include "diagram/diagram_drawing.h"
#include "diagram/diagram_layout.h"
#include "diagram/diagram_source.h"
#include "model/experiment.h"
#include "model/experiment_file.h"
#include "render/headless_experiment.h"

namespace ampery::cli {

namespace {

// The diagram of the experiment as opening its text leaves it: the lamps and
// motors as the analysis showed them, the meters' readings.
diagram::CircuitDiagram diagramOf(QString text) {
    render::HeadlessExperiment opened;
    const analysis::AnalysisOutcome outcome =
        opened.open(std::move(text)).value_or(analysis::AnalysisOutcome{});
    return diagram::layOut(diagram::diagramSource(opened.experiment, outcome));
}

} // namespace

int runDiagramCommand(const QStringList& arguments) {
    QStringList files;
    diagram::DrawOptions options;
    for (const QString& argument : arguments) {
        if (argument == u"--values")
            options.showValues = true;
        else if (argument.startsWith(u"--"))
            return refuse(QStringLiteral("unknown option \"%1\"").arg(argument));
        else
            files.append(argument);
    }
    if (files.size() != 2)
        return refuse(QStringLiteral("diagram takes an experiment file and a diagram file"));
    if (!diagram::diagramFormatFor(files[1]))
        return refuse(QStringLiteral("the diagram file must end in .svg or .png"));

    model::FileText read = model::readExperimentFile(files[0]);
    if (!read.ok)
        return refuse(read.error);

    switch (diagram::writeDiagramFile(diagramOf(std::move(read.text)), options, files[1])) {
    case diagram::DiagramWrite::Written:
        return exitSuccess;
    case diagram::DiagramWrite::UnknownFormat:
        return refuse(QStringLiteral("the diagram file must end in .svg or .png"));
    case diagram::DiagramWrite::Failed:
        break;
    }
    reportError(QStringLiteral("cannot write %1").arg(files[1]));
    return exitOutputFailed;
}

} // namespace ampery::cli
