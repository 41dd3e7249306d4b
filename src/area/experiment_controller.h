#pragma once

#include "analysis/analysis_outcome.h"
#include "model/experiment.h"
#include "model/wire_edits.h"
#include "render/canvas_pair.h"
#include "render/motor_animator.h"
#include "render/picture_table.h"
#include "render/wire_layer_cache.h"

#include <QObject>

#include <optional>

namespace ampery::area {

class AreaHost;

// Owns the experiment, the two canvases and the motor animation, and runs the
// edit cycle: change the text, redraw everything, analyse, show the outcome.
// Every change of the experiment goes through here.
class ExperimentController : public QObject {
    Q_OBJECT
public:
    explicit ExperimentController(AreaHost& host, qreal devicePixelRatio = 1.0,
                                  QObject* parent = nullptr);

    model::Experiment& experiment() { return m_experiment; }
    const model::Experiment& experiment() const { return m_experiment; }
    render::CanvasPair& canvases() { return m_canvases; }
    const render::PictureTable& pictures() const { return m_pictures; }
    render::MotorAnimator& motors() { return m_motors; }

    // The field writer: writes one or two fields, then redraws and analyses.
    model::Experiment::WriteResult writeFields(int number, model::Field field,
                                               const QString& value);
    model::Experiment::WriteResult writeFields(int number, model::Field field1,
                                               const QString& value1, model::Field field2,
                                               const QString& value2);

    // Full redraw, then the analysis when a component exists; otherwise the
    // host's new-experiment reset.
    void redrawAndAnalyse();
    // The analysis alone (a finished wire is already on the screen).
    void analyse();
    // New experiment on the model and canvas side: empty text, numbering,
    // motors stopped, both canvases white.
    void resetExperiment();

    // Canvases of a new size, white, at the pictures' device pixel ratio.
    void setAreaSize(QSize size);

    // A drag redraws on every pointer move, but only its wires move: the
    // others are drawn once here and reused by each redraw until endDrag(),
    // a new area size or a new experiment.
    void beginDrag(const model::AttachedWires& moving);
    void endDrag();

    // The component the settings panel shows and edits; 0 for none.
    int currentComponent() const { return m_currentComponent; }
    void setCurrentComponent(int number) { m_currentComponent = number; }

    // The give-up box would interrupt a drag or a live resize; the status line
    // still shows the give-up text meanwhile.
    void setGiveUpBoxSuppressed(bool suppressed) { m_giveUpBoxSuppressed = suppressed; }

    const analysis::AnalysisOutcome& lastOutcome() const { return m_lastOutcome; }

    // Tells the area widget that the area image changed.
    void notifyAreaChanged() { emit areaChanged(); }

signals:
    void areaChanged();

private:
    void showOutcome(const analysis::AnalysisOutcome& outcome);

    AreaHost& m_host;
    model::Experiment m_experiment;
    render::PictureTable m_pictures;
    render::CanvasPair m_canvases;
    render::MotorAnimator m_motors;
    std::optional<render::WireLayerCache> m_stillWires;
    analysis::AnalysisOutcome m_lastOutcome;
    int m_currentComponent = 0;
    bool m_giveUpBoxSuppressed = false;
    bool m_showingGiveUpBox = false;
};

} // namespace ampery::area
