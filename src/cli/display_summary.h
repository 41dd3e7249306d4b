#pragma once

#include "analysis/analysis_outcome.h"
#include "model/experiment.h"

#include <QList>
#include <QString>

#include <optional>

namespace ampery::cli {

struct ComponentSummary {
    int number = 0;
    QString name;
    int type = 0;
    std::optional<int> picture; // none when nothing was drawn in its box
};

struct MotorSummary {
    int number = 0;
    QString name;
    std::optional<int> slot; // 1-based
    int interval = 0;
    int direction = 0;
};

struct DisplaySummary {
    QList<ComponentSummary> components;
    QList<MotorSummary> motors;
};

// What the full redraw and then the outcome's display steps leave in each
// component's box and in the motor slots, for every record the redraw finds,
// in number order. Motor slots start stopped with direction 0.
DisplaySummary summariseDisplay(const model::Experiment& experiment,
                                const analysis::AnalysisOutcome& outcome);

} // namespace ampery::cli
