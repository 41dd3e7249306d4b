#pragma once

#include "analysis/analysis_outcome.h"
#include "model/experiment.h"
#include "model/experiment_snapshot.h"
#include "model/wire_edits.h"
#include "render/canvas_pair.h"
#include "render/full_redraw.h"
#include "render/motor_animator.h"
#include "render/picture_table.h"
#include "render/wire_layer_cache.h"

#include <QObject>
#include <QUndoStack>

#include <optional>

namespace ampery::area {

struct ControllerTestAccess;

// Why a placement was refused.
enum class PlaceResult { Placed, SourceExists, NoFreeMotorSlot };

// The edit cycle. Owns the experiment, the two canvases, the motor animation
// and the history, and offers the user's changes as named operations. Each
// operation changes the experiment, then draws and analyses exactly as that
// change asks (placing only draws, finishing a wire only analyses, the rest
// redraw everything and then analyse), and records one step of the history.
// Everyone else sees the experiment, the canvases and the motors read-only.
class ExperimentController : public QObject {
    Q_OBJECT
public:
    // The most steps the history keeps.
    static constexpr int historyLimit = 200;

    explicit ExperimentController(qreal devicePixelRatio = 1.0, QObject* parent = nullptr);

    const model::Experiment& experiment() const { return m_experiment; }
    const render::CanvasPair& canvases() const { return m_canvases; }
    const render::PictureTable& pictures() const { return m_pictures; }
    const render::MotorAnimator& motors() const { return m_motors; }
    const analysis::AnalysisOutcome& lastOutcome() const { return m_lastOutcome; }
    QUndoStack& history() { return m_history; }

    // The component the settings panel shows and edits; 0 for none.
    // Choosing it is not a change of the experiment.
    int currentComponent() const { return m_currentComponent; }
    void setCurrentComponent(int number) { m_currentComponent = number; }

    // ---- the user's changes ----

    // Draws the type's picture centred on the click and appends its record;
    // neither redraws nor analyses. The new component becomes the current one.
    PlaceResult placeComponent(int type, QPoint click);

    // A wire from a post: the first segment, from the click to the post's
    // attach point, is drawn at once; each extension adds a point and a
    // segment. Finishing appends the wire and analyses (with the names
    // shown it redraws first, so that they stay over the new wire); a wire
    // that joins a post to itself, or two posts already joined, is refused:
    // redrawn without it and analysed. Returns whether the wire was added.
    void startWire(const QString& terminal, QPoint attach, QPoint click);
    void extendWire(QPoint point);
    bool finishWire(const QString& terminal, QPoint attach, QPoint click);
    void abandonWire();
    bool wireInProgress() const { return m_wire.has_value(); }
    QString pendingWireStart() const { return m_wire ? m_wire->start : QString(); }

    void deleteComponent(int number);
    // Removes the wires with a stored point near the point; redraws and
    // analyses also when none was hit. Returns whether any was removed.
    bool deleteWiresAt(QPoint point);

    // A drag from press to release is one change. The component follows the
    // pointer, kept inside the area by its type's limits; its wires follow.
    void beginDrag(int number, QPoint pointer);
    void moveDrag(QPoint pointer);
    void endDrag();
    bool dragInProgress() const { return m_drag.has_value(); }

    // Opens a closed switch, closes an open one.
    void toggleSwitch(int number);
    // Puts a rheostat's slider at a position and gives it the resistance of
    // that position from its record's bounds. Returns the resistance text.
    QString moveSlider(int number, int position);
    // A parameter edit of the settings panel: one or two fields of a record.
    model::Experiment::WriteResult setFields(int number, model::Field field, const QString& value);
    model::Experiment::WriteResult setFields(int number, model::Field field1, const QString& value1,
                                             model::Field field2, const QString& value2);

    // ---- whole experiments ----

    // Replaces the experiment by an opened text, drawn and analysed. The
    // history starts again; an unsaved opening (a recovered experiment) is
    // marked modified.
    enum class Opened { Saved, Unsaved };
    void open(QString text, Opened opened = Opened::Saved);
    // The new-experiment reset of the experiment, the canvases and the
    // motors; the history starts again.
    void startNew();
    // The experiment was written to a file: the history's clean state.
    void markSaved();
    void undo();
    void redo();

    // ---- showing ----

    // Full redraw, then the analysis when a component exists.
    void redrawAndAnalyse();
    // New white canvases of the area's size; the caller redraws.
    void setAreaSize(QSize size);
    // Each component's name under its picture, off at first. Changing it
    // redraws and analyses; it is not a change of the experiment.
    bool namesShown() const { return m_redrawOptions.names; }
    void setNamesShown(bool shown);
    // The give-up box would interrupt a live resize; the status line still
    // shows the give-up text meanwhile.
    void setGiveUpBoxSuppressed(bool suppressed) { m_giveUpBoxSuppressed = suppressed; }

signals:
    void areaChanged();
    void statusChanged(const QString& text);
    // The analysis gave up: the box is shown before the status text.
    void gaveUp();
    // A change left no component, so the experiment was reset as a new one
    // (the history goes on). Sent when the change is complete, so listeners
    // may reset what the tools use.
    void emptied();
    // Undo or redo put back another state.
    void historyMoved();
    // lastOutcome() is new: an analysis ran, or the experiment was emptied
    // and has none. Placing a component does not analyse.
    void analysed();
    // The experiment or its modified flag changed (a step, undo, redo, open,
    // new, save).
    void experimentChanged();

private:
    friend struct ControllerTestAccess;
    friend class SnapshotCommand;

    struct PendingWire {
        QString start;
        QString track;
        QPoint lastPoint;
    };
    struct Drag {
        int number = 0;
        int type = 0;
        QPoint grabOffset;
        QPoint origin;
        model::AttachedWires wires;
        QString textAtStart; // before the wires were turned to start here
        bool moved = false;
    };

    // The full redraw, then the analysis; a text without components is
    // reset to a new experiment instead.
    void redraw();
    // The analysis and its display, after the text changed.
    void analyse();
    // The give-up box and the status text of an analysis.
    void reportOutcome(const analysis::AnalysisOutcome& outcome);
    // The model and canvas side of the new-experiment reset.
    void resetExperiment();
    void drawSegment(QPoint from, QPoint to);
    // After a change: one step of the history when the experiment differs
    // from the last step; the state is taken as the new base otherwise.
    void recordStep(const QString& label);
    // Puts back a state of the history and shows it.
    void restore(const model::ExperimentSnapshot& snapshot);
    // After undo or redo: the modified flag and the listeners follow.
    void tellHistoryMoved();
    void startHistory(Opened opened);
    // The modified flag follows the history: clean is the saved state.
    void followCleanState();
    // The end of every change: tells of an emptied experiment.
    void finishChange();

    model::Experiment m_experiment;
    render::PictureTable m_pictures;
    render::CanvasPair m_canvases;
    render::MotorAnimator m_motors;
    QUndoStack m_history;
    model::ExperimentSnapshot m_base; // the state after the last step
    std::optional<render::WireLayerCache> m_stillWires;
    std::optional<PendingWire> m_wire;
    std::optional<Drag> m_drag;
    analysis::AnalysisOutcome m_lastOutcome;
    render::RedrawOptions m_redrawOptions;
    int m_currentComponent = 0;
    bool m_giveUpBoxSuppressed = false;
    bool m_showingGiveUpBox = false;
    bool m_emptied = false;
};

} // namespace ampery::area
