#pragma once

#include "canvas_pair.h"
#include "motor_animator.h"
#include "opened_experiment.h"
#include "picture_table.h"

#include "model/experiment.h"

#include <QSize>
#include <QString>

#include <optional>

namespace ampery::render {

// An experiment opened away from the window (the command line): everything
// opening it draws on, of its own.
struct HeadlessExperiment {
    explicit HeadlessExperiment(QSize size = CanvasPair::defaultSize)
        : canvases(size), motors(canvases, pictures) {}

    // Opened as the window opens it; see openExperimentText().
    std::optional<analysis::AnalysisOutcome> open(QString text, const RedrawOptions& options = {}) {
        return openExperimentText(experiment, std::move(text), canvases, pictures, motors, options);
    }

    const PictureTable pictures;
    CanvasPair canvases;
    MotorAnimator motors;
    model::Experiment experiment;
};

} // namespace ampery::render
