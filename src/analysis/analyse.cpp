#include "analyse.h"

#include "circuit_checks.h"
#include "display.h"
#include "meter_readings.h"
#include "network.h"
#include "nodal_solution.h"
#include "reduction.h"
#include "reset_displays.h"
#include "response.h"
#include "solution.h"
#include "status_texts.h"
#include "working_network.h"

#include "model/experiment.h"

namespace ampery::analysis {

namespace {

// No closed loop: the status, the voltmeters' readings, everything else at rest.
void readOpenCircuit(Display& display, Network& network, double sourceVoltage) {
    display.setStatus(texts::noClosedLoop());
    readOpenCircuitVoltmeters(display, network, sourceVoltage);
    resetDisplays(display, network.components);
}

} // namespace

AnalysisOutcome analyse(const model::Experiment& experiment) {
    return analyse(experiment, {});
}

AnalysisOutcome analyse(const model::Experiment& experiment, const ScansMaker& makeScans) {
    AnalysisOutcome outcome;
    Display display(outcome);

    Extraction extraction = extractNetwork(experiment);
    switch (extraction.stop) {
    case ExtractionStop::NoWire:
        // Motors of an earlier analysis would otherwise go on turning.
        display.stopAllMotors();
        return outcome;
    case ExtractionStop::NoSource:
        display.setStatus(texts::noSource());
        resetDisplays(display, readableComponents(experiment));
        return outcome;
    case ExtractionStop::SourceUnwired:
        display.setStatus(texts::sourceUnwired());
        resetDisplays(display, readableComponents(experiment));
        return outcome;
    case ExtractionStop::None:
        break;
    }

    Network& network = extraction.network;
    display.reserveFor(network.components.size());
    const double sourceVoltage = experiment.sourceVoltage();
    WorkingNetwork work(network, network.terminals);
    if (!removeShortedComponents(work)) {
        display.setStatus(texts::sourceShorted());
        resetDisplays(display, network.components);
        return outcome;
    }
    removeOpenSwitchesAndVoltmeters(work);
    if (work.sourceWithoutLoop()) {
        readOpenCircuit(display, network, sourceVoltage);
        return outcome;
    }

    const Reduction reduction =
        makeScans ? reduce(work, network, *makeScans(work)) : reduce(work, network);
    if (reduction.end == ReductionEnd::NoClosedLoop) {
        readOpenCircuit(display, network, sourceVoltage);
        return outcome;
    }
    Solution solution;
    if (reduction.end == ReductionEnd::Reduced) {
        solution = solve(work, network, reduction.equivalents, sourceVoltage);
    } else {
        NodalSolution nodal = solveByNodes(work, network, reduction.equivalents, sourceVoltage);
        switch (nodal.end) {
        case NodalEnd::Unsolvable:
            outcome.gaveUp = true;
            display.setStatus(texts::beyondAnalysis());
            display.stopAllMotors();
            return outcome;
        case NodalEnd::NoClosedLoop:
            readOpenCircuit(display, network, sourceVoltage);
            return outcome;
        case NodalEnd::Solved:
            solution = std::move(nodal.solution);
            break;
        }
    }
    if (solution.records.isEmpty()) {
        display.stopAllMotors();
        return outcome;
    }
    outcome.results = solution.records;
    display.setStatus(texts::circuitClosed());
    displayPass(display, network, solution, experiment.motorSlots());
    outcome.solved = true;
    return outcome;
}

} // namespace ampery::analysis
