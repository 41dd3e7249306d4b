#include "experiment_controller.h"

#include "analysis/analyse.h"
#include "area_host.h"
#include "model/separators.h"
#include "render/full_redraw.h"
#include "render/outcome_painter.h"

namespace ampery::area {

using model::Experiment;
using model::Field;

ExperimentController::ExperimentController(AreaHost& host, qreal devicePixelRatio, QObject* parent)
    : QObject(parent), m_host(host), m_pictures(devicePixelRatio),
      m_canvases(render::CanvasPair::defaultSize, devicePixelRatio),
      m_motors(m_canvases, m_pictures) {
    connect(&m_motors, &render::MotorAnimator::areaChanged, this,
            &ExperimentController::areaChanged);
}

Experiment::WriteResult ExperimentController::writeFields(int number, Field field,
                                                          const QString& value) {
    const Experiment::WriteResult result = m_experiment.setFields(number, field, value);
    if (result == Experiment::WriteResult::Written)
        redrawAndAnalyse();
    return result;
}

Experiment::WriteResult ExperimentController::writeFields(int number, Field field1,
                                                          const QString& value1, Field field2,
                                                          const QString& value2) {
    const Experiment::WriteResult result =
        m_experiment.setFields(number, field1, value1, field2, value2);
    if (result == Experiment::WriteResult::Written)
        redrawAndAnalyse();
    return result;
}

void ExperimentController::redrawAndAnalyse() {
    const bool anyComponent = render::fullRedraw(m_experiment, m_canvases, m_pictures,
                                                 m_stillWires ? &*m_stillWires : nullptr);
    if (!anyComponent) {
        m_host.startNewExperiment();
        emit areaChanged();
        return;
    }
    analyse();
}

void ExperimentController::analyse() {
    m_lastOutcome = analysis::analyse(m_experiment);
    showOutcome(m_lastOutcome);
}

void ExperimentController::showOutcome(const analysis::AnalysisOutcome& outcome) {
    render::OutcomePainter(m_canvases, m_pictures, m_motors).apply(outcome.steps);
    emit areaChanged();
    if (outcome.gaveUp && !m_giveUpBoxSuppressed && !m_showingGiveUpBox) {
        // The analysis empties the status line before anything else: the
        // previous outcome's text must not stand beside the box.
        m_host.showStatus(QString());
        m_showingGiveUpBox = true;
        m_host.showGiveUpMessage();
        m_showingGiveUpBox = false;
    }
    m_host.showStatus(outcome.status);
}

void ExperimentController::resetExperiment() {
    m_experiment.reset();
    m_currentComponent = 0;
    m_motors.reset();
    m_stillWires.reset();
    m_canvases.clear();
    m_lastOutcome = {};
    emit areaChanged();
}

void ExperimentController::setAreaSize(QSize size) {
    m_stillWires.reset();
    m_canvases.resize(size, m_pictures.devicePixelRatio());
}

void ExperimentController::beginDrag(const model::AttachedWires& moving) {
    QStringList tracks;
    for (const QStringList* list : {&moving.rigid, &moving.stretched})
        for (const QString& record : *list)
            tracks.append(record.mid(record.indexOf(QChar(model::sep::track)) + 1));
    m_stillWires.emplace(m_experiment.text(), tracks, m_canvases);
}

void ExperimentController::endDrag() {
    m_stillWires.reset();
}

} // namespace ampery::area
