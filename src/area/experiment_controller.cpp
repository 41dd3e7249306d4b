#include "experiment_controller.h"

#include "analysis/analyse.h"
#include "area_geometry.h"
#include "area_texts.h"
#include "model/component_type.h"
#include "model/number_text.h"
#include "model/picture_choice.h"
#include "model/rheostat.h"
#include "model/separators.h"
#include "render/full_redraw.h"
#include "render/opened_experiment.h"
#include "render/outcome_painter.h"
#include "snapshot_command.h"

namespace ampery::area {

using model::Experiment;
using model::Field;

namespace {

QString pointText(QPoint p) {
    return QString::number(p.x()) + QChar(model::sep::bar) + QString::number(p.y());
}

// The names of the history's steps, as the undo and redo commands show them.
namespace step {
const QString place = QStringLiteral("放置元件");
const QString wire = QStringLiteral("连接导线");
const QString deleteComponent = QStringLiteral("删除元件");
const QString deleteWires = QStringLiteral("删除导线");
const QString drag = QStringLiteral("移动元件");
const QString toggle = QStringLiteral("开合开关");
const QString slider = QStringLiteral("移动变阻器滑片");
const QString parameter = QStringLiteral("修改参数");
} // namespace step

} // namespace

ExperimentController::ExperimentController(qreal devicePixelRatio, QObject* parent)
    : QObject(parent), m_pictures(devicePixelRatio),
      m_canvases(render::CanvasPair::defaultSize, devicePixelRatio),
      m_motors(m_canvases, m_pictures) {
    connect(&m_motors, &render::MotorAnimator::areaChanged, this,
            &ExperimentController::areaChanged);
    m_history.setUndoLimit(historyLimit);
    connect(&m_history, &QUndoStack::cleanChanged, this, [this] {
        followCleanState();
        emit experimentChanged();
    });
}

// ---- placing ----

PlaceResult ExperimentController::placeComponent(int type, QPoint click) {
    if (type == model::Source && m_experiment.highestRunningNumber(model::Source) != 0)
        return PlaceResult::SourceExists;
    const int motorSlot = type == model::Motor ? m_experiment.lastFreeMotorSlot() : -1;
    if (type == model::Motor && motorSlot < 0)
        return PlaceResult::NoFreeMotorSlot;

    const QPoint topLeft = placedTopLeft(click);
    const QString name = m_experiment.nameNewComponent(type);
    const int defaultState = model::textToInt(model::defaultsFor(type).state);
    if (const std::optional<int> picture = model::pictureForRecord(type, defaultState)) {
        render::CanvasPair::AreaPainter painter(m_canvases);
        painter.drawPicture(m_pictures.picture(*picture), topLeft);
    }
    if (m_redrawOptions.names)
        render::CanvasPair::NamePainter(m_canvases).drawName(name, topLeft);
    m_canvases.combine();

    m_currentComponent = m_experiment.addComponent(topLeft.x(), topLeft.y(), name, type);
    if (type == model::Motor)
        m_experiment.setMotorSlot(motorSlot, name);
    if (type == model::Source)
        emit statusChanged(m_experiment.text().contains(QChar(model::sep::wireStart))
                               ? texts::sourceWithoutLoop
                               : QString());
    emit areaChanged();
    recordStep(step::place);
    return PlaceResult::Placed;
}

// ---- wires ----

void ExperimentController::drawSegment(QPoint from, QPoint to) {
    m_canvases.drawLine(from, to);
    m_canvases.combine();
    emit areaChanged();
}

void ExperimentController::startWire(const QString& terminal, QPoint attach, QPoint click) {
    drawSegment(click, attach);
    m_wire = PendingWire{terminal, pointText(attach) + QChar(model::sep::point) + pointText(click),
                         click};
}

void ExperimentController::extendWire(QPoint point) {
    if (!m_wire)
        return;
    drawSegment(m_wire->lastPoint, point);
    m_wire->track += QChar(model::sep::point) + pointText(point);
    m_wire->lastPoint = point;
}

bool ExperimentController::finishWire(const QString& terminal, QPoint attach, QPoint click) {
    if (!m_wire)
        return false;
    drawSegment(click, attach);
    const QString track = m_wire->track + QChar(model::sep::point) + pointText(click) +
                          QChar(model::sep::point) + pointText(attach);
    const QString start = m_wire->start;
    m_wire.reset();
    const bool added = model::appendWire(m_experiment, start, terminal, track);
    // The names stand over the wires: one the new wire crossed is written
    // again by a redraw.
    if (added && !m_redrawOptions.names)
        analyse();
    else
        redraw();
    recordStep(step::wire);
    finishChange();
    return added;
}

void ExperimentController::abandonWire() {
    if (!m_wire)
        return;
    m_wire.reset();
    redraw();
    finishChange();
}

// ---- deleting ----

void ExperimentController::deleteComponent(int number) {
    for (int slot : m_experiment.deleteComponent(number))
        m_motors.stop(slot);
    redraw();
    m_currentComponent = 0;
    recordStep(step::deleteComponent);
    finishChange();
}

bool ExperimentController::deleteWiresAt(QPoint point) {
    const bool removed = model::deleteWiresAtPoint(m_experiment, point.x(), point.y());
    redraw();
    recordStep(step::deleteWires);
    finishChange();
    return removed;
}

// ---- dragging ----

void ExperimentController::beginDrag(int number, QPoint pointer) {
    const std::optional<model::Component> component = m_experiment.readComponent(number);
    if (!component)
        return;
    const QString textAtStart = m_experiment.text();
    m_drag = Drag{number,
                  component->type,
                  pointer - QPoint(component->x, component->y),
                  pointer,
                  model::collectAttachedWires(m_experiment, component->name),
                  textAtStart,
                  false};
    // Only the dragged component's wires move: the others are drawn once.
    QStringList tracks;
    for (const QStringList* list : {&m_drag->wires.rigid, &m_drag->wires.stretched})
        for (const QString& record : *list)
            tracks.append(record.mid(record.indexOf(QChar(model::sep::track)) + 1));
    m_stillWires.emplace(m_experiment.text(), tracks, m_canvases);
}

void ExperimentController::moveDrag(QPoint pointer) {
    if (!m_drag)
        return;
    const QPoint clamped =
        clampDraggedPointer(pointer, m_drag->grabOffset, m_drag->type, m_canvases.size());
    const QPoint displacement = clamped - m_drag->origin;
    model::moveAttachedWires(m_experiment, m_drag->wires, displacement.x(), displacement.y());
    const QPoint topLeft = clamped - m_drag->grabOffset;
    m_drag->moved = true;
    if (m_experiment.setFields(m_drag->number, Field::X, QString::number(topLeft.x()), Field::Y,
                               QString::number(topLeft.y())) == Experiment::WriteResult::Written)
        redraw();
}

void ExperimentController::endDrag() {
    if (!m_drag)
        return;
    const bool moved = m_drag->moved;
    // A press that never moved changes nothing: the wires turned to start at
    // the component turn back, and there is no step.
    if (!moved)
        m_experiment.setText(m_drag->textAtStart);
    m_drag.reset();
    m_stillWires.reset();
    if (moved)
        recordStep(step::drag);
    finishChange();
}

// ---- switch, rheostat and parameters ----

void ExperimentController::toggleSwitch(int number) {
    const std::optional<model::Component> component = m_experiment.readComponent(number);
    if (!component || component->type != model::Switch)
        return;
    setFields(number, Field::State,
              component->state != 0 ? QStringLiteral("0") : QStringLiteral("1"));
}

QString ExperimentController::moveSlider(int number, int position) {
    const std::optional<model::Component> rheostat = m_experiment.readComponent(number);
    if (!rheostat)
        return {};
    const QString resistance =
        model::sliderResistanceText(rheostat->minimum, rheostat->maximum, position);
    if (m_experiment.setFields(number, Field::State, QString::number(position), Field::Resistance,
                               resistance) == Experiment::WriteResult::Written) {
        redraw();
        recordStep(step::slider);
        finishChange();
    }
    return resistance;
}

Experiment::WriteResult ExperimentController::setFields(int number, Field field,
                                                        const QString& value) {
    const Experiment::WriteResult result = m_experiment.setFields(number, field, value);
    if (result == Experiment::WriteResult::Written) {
        redraw();
        recordStep(field == Field::State ? step::toggle : step::parameter);
        finishChange();
    }
    return result;
}

Experiment::WriteResult ExperimentController::setFields(int number, Field field1,
                                                        const QString& value1, Field field2,
                                                        const QString& value2) {
    const Experiment::WriteResult result =
        m_experiment.setFields(number, field1, value1, field2, value2);
    if (result == Experiment::WriteResult::Written) {
        redraw();
        recordStep(step::parameter);
        finishChange();
    }
    return result;
}

// ---- whole experiments and the history ----

void ExperimentController::open(QString text, Opened opened) {
    resetExperiment();
    const std::optional<analysis::AnalysisOutcome> outcome = render::openExperimentText(
        m_experiment, std::move(text), m_canvases, m_pictures, m_motors, m_redrawOptions);
    emit areaChanged();
    if (outcome)
        m_lastOutcome = *outcome;
    emit analysed();
    if (outcome) {
        reportOutcome(m_lastOutcome);
    } else {
        emit statusChanged(QString());
        m_emptied = true;
    }
    startHistory(opened);
    finishChange();
}

void ExperimentController::startNew() {
    resetExperiment();
    emit areaChanged();
    emit analysed();
    startHistory(Opened::Saved);
}

void ExperimentController::startHistory(Opened opened) {
    m_history.clear();
    m_base = model::ExperimentSnapshot(m_experiment);
    if (opened == Opened::Unsaved)
        m_history.resetClean();
    followCleanState();
    emit experimentChanged();
}

void ExperimentController::markSaved() {
    m_history.setClean();
    followCleanState();
    emit experimentChanged();
}

void ExperimentController::followCleanState() {
    m_experiment.setModified(!m_history.isClean());
}

void ExperimentController::recordStep(const QString& label) {
    if (m_base.matches(m_experiment)) {
        followCleanState();
        return;
    }
    model::ExperimentSnapshot after(m_experiment, &m_base);
    m_history.push(new SnapshotCommand(label, m_base, after, *this));
    m_base = std::move(after);
    followCleanState();
    emit experimentChanged();
}

void ExperimentController::undo() {
    if (!m_history.canUndo())
        return;
    m_history.undo();
    tellHistoryMoved();
}

void ExperimentController::redo() {
    if (!m_history.canRedo())
        return;
    m_history.redo();
    tellHistoryMoved();
}

void ExperimentController::tellHistoryMoved() {
    followCleanState();
    emit historyMoved();
    emit experimentChanged();
}

void ExperimentController::restore(const model::ExperimentSnapshot& snapshot) {
    m_wire.reset();
    m_drag.reset();
    m_stillWires.reset();
    m_experiment = snapshot.experiment();
    m_base = snapshot;
    if (render::fullRedraw(m_experiment, m_canvases, m_pictures, nullptr, m_redrawOptions)) {
        analyse();
    } else {
        // Only a new experiment has no component: nothing runs or shows.
        m_motors.reset();
        m_canvases.clear();
        m_lastOutcome = {};
        emit analysed();
        emit statusChanged(QString());
        emit areaChanged();
    }
    if (!m_experiment.readComponent(m_currentComponent))
        m_currentComponent = 0;
}

// ---- showing ----

void ExperimentController::redrawAndAnalyse() {
    redraw();
    finishChange();
}

void ExperimentController::redraw() {
    const bool anyComponent =
        render::fullRedraw(m_experiment, m_canvases, m_pictures,
                           m_stillWires ? &*m_stillWires : nullptr, m_redrawOptions);
    if (!anyComponent) {
        resetExperiment();
        emit analysed();
        emit statusChanged(QString());
        emit areaChanged();
        m_emptied = true;
        return;
    }
    analyse();
}

void ExperimentController::analyse() {
    m_lastOutcome = analysis::analyse(m_experiment);
    render::OutcomePainter(m_canvases, m_pictures, m_motors).apply(m_lastOutcome.steps);
    emit areaChanged();
    emit analysed();
    reportOutcome(m_lastOutcome);
}

void ExperimentController::reportOutcome(const analysis::AnalysisOutcome& outcome) {
    // The box would interrupt a drag or a live resize; the status line shows
    // the give-up text meanwhile.
    if (outcome.gaveUp && !m_giveUpBoxSuppressed && !m_drag && !m_showingGiveUpBox) {
        // The analysis empties the status line before anything else: the
        // previous outcome's text must not stand beside the box.
        emit statusChanged(QString());
        m_showingGiveUpBox = true;
        emit gaveUp();
        m_showingGiveUpBox = false;
    }
    emit statusChanged(outcome.status);
}

void ExperimentController::resetExperiment() {
    m_experiment.reset();
    m_currentComponent = 0;
    m_motors.reset();
    m_stillWires.reset();
    m_wire.reset();
    m_drag.reset();
    m_canvases.clear();
    m_lastOutcome = {};
}

void ExperimentController::finishChange() {
    if (!m_emptied)
        return;
    m_emptied = false;
    emit emptied();
}

void ExperimentController::setNamesShown(bool shown) {
    if (shown == m_redrawOptions.names)
        return;
    m_redrawOptions.names = shown;
    if (m_experiment.highestNumber() == 0)
        return;
    // Only the showing changes: an analysis that gives up has said so already.
    // The cached wire layer of a drag holds wires only and stays good.
    const bool suppressed = m_giveUpBoxSuppressed;
    m_giveUpBoxSuppressed = true;
    redrawAndAnalyse();
    m_giveUpBoxSuppressed = suppressed;
}

void ExperimentController::setAreaSize(QSize size) {
    m_stillWires.reset();
    m_canvases.resize(size, m_pictures.devicePixelRatio());
}

} // namespace ampery::area
