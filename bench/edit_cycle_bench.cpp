#include "analysis/analyse.h"
#include "app/diagram_view.h"
#include "app/diagram_window.h"
#include "app/widget_prompts.h"
#include "area/area_host.h"
#include "area/area_interaction.h"
#include "area/experiment_controller.h"
#include "diagram/diagram_drawing.h"
#include "diagram/diagram_layout.h"
#include "diagram/diagram_source.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"
#include "model/wire_edits.h"
#include "render/canvas_pair.h"
#include "render/full_redraw.h"
#include "render/motor_animator.h"
#include "render/outcome_painter.h"

#include "median_reporter.h"

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <map>

// One step of dragging a component with its wires, through the area's mouse
// handlers and the controller's edit cycle as the window runs them, on a
// large experiment: 60 components and 100 wires of 300 track points each on
// an area of 1200 × 800.

using namespace ampery;
using model::Experiment;

namespace {

constexpr QSize areaSize{1200, 800};
constexpr int trackLength = 300;

// The window behind the area, which the drag does not need.
class BenchHost : public area::AreaHost {
public:
    void showLimitMessage(const QString&) override {}
    void showComponentInPanel(int) override {}
    void showSwitchForToggle(const QString&) override {}
    void clearPanel() override {}
    void setPanelResistance(const QString&) override {}
    void showToolChosen(area::PaletteButton) override {}
};

// Components on a 10 × 6 grid; each wire wanders in 300 points from a post of
// one component to a post of another, as a hand-drawn wire does.
class ExperimentBuilder {
public:
    QString add(int type, const QString& resistance = {}) {
        const int index = static_cast<int>(m_places.size());
        const QPoint topLeft(20 + index % 10 * 118, 20 + index / 10 * 130);
        const QString name = m_experiment.nameNewComponent(type);
        const int number = m_experiment.addComponent(topLeft.x(), topLeft.y(), name, type);
        if (!resistance.isEmpty())
            m_experiment.setFields(number, model::Field::Resistance, resistance);
        m_places[name] = topLeft;
        return name;
    }
    void wire(const QString& from, bool fromPlus, const QString& to, bool toPlus) {
        const QPoint start = post(from, fromPlus);
        const QPoint end = post(to, toPlus);
        QString track;
        for (int k = 0; k < trackLength; ++k) {
            const double t = k / double(trackLength - 1);
            const bool wanders = k > 0 && k + 1 < trackLength;
            const QPoint p =
                start + (end - start) * t +
                (wanders ? QPoint(m_random.bounded(-3, 4), m_random.bounded(-3, 4)) : QPoint());
            if (k > 0)
                track += u'┇';
            track += QString::number(p.x()) + u'|' + QString::number(p.y());
        }
        model::appendWire(m_experiment, model::terminalName(from, fromPlus),
                          model::terminalName(to, toPlus), track);
    }
    QPoint centre(const QString& name) const { return m_places.at(name) + QPoint(38, 34); }
    Experiment take() { return std::move(m_experiment); }

private:
    QPoint post(const QString& name, bool plus) const {
        return m_places.at(name) + (plus ? QPoint(16, 54) : QPoint(62, 52));
    }

    Experiment m_experiment;
    std::map<QString, QPoint> m_places;
    QRandomGenerator m_random{20240611};
};

// A source feeding a ladder of 58 loads (series arms along the top rail, shunt
// arms down to the source's negative post), a voltmeter across the source and
// eleven wires joining neighbouring shunts at the bottom: 60 components, 100
// wires. The dragged component is a series arm in the middle of the ladder;
// three wires move with it.
struct LargeExperiment {
    Experiment experiment;
    QString dragged;
    QPoint grab;
};

LargeExperiment largeExperiment() {
    static const int loadTypes[] = {model::Resistor, model::Lamp, model::Rheostat, model::Motor};
    ExperimentBuilder b;
    const QString source = b.add(model::Source);
    QString rail = source;
    QStringList shunts;
    QString dragged;
    for (int k = 0; k < 29; ++k) {
        const QString series = b.add(loadTypes[k % 4], model::numberToText(10 + k % 7));
        const QString shunt = b.add(model::Resistor, model::numberToText(20 + k % 5));
        b.wire(rail, rail == source, series, true);
        b.wire(series, false, shunt, true);
        b.wire(shunt, false, source, false);
        shunts.append(shunt);
        rail = series;
        if (k == 14)
            dragged = series;
    }
    const QString voltmeter = b.add(model::Voltmeter);
    b.wire(voltmeter, true, source, true);
    b.wire(voltmeter, false, source, false);
    for (int k = 0; k < 11; ++k)
        b.wire(shunts[k], false, shunts[k + 1], false);
    const QPoint grab = b.centre(dragged);
    return {b.take(), dragged, grab};
}

int countWires(const QString& text) {
    return static_cast<int>(text.count(u'⊙'));
}

// The controller with the large experiment on the area, drawn and analysed.
struct Fixture {
    BenchHost host;
    area::ExperimentController controller;
    LargeExperiment large = largeExperiment();
    int number = 0;

    explicit Fixture(benchmark::State& state) {
        controller.setAreaSize(areaSize);
        controller.open(large.experiment.text());
        for (const model::Component& c : controller.experiment().components())
            if (c.name == large.dragged)
                number = c.number;
        const int components = controller.experiment().highestNumber();
        const int wires = countWires(controller.experiment().text());
        if (components != 60 || wires != 100)
            state.SkipWithError("the experiment is not 60 components and 100 wires");
        else if (!controller.lastOutcome().solved)
            state.SkipWithError(qPrintable(controller.lastOutcome().status));
    }
    // Two pointer positions a few pixels apart, so that every step moves.
    QPoint step(benchmark::IterationCount k) const {
        return large.grab + (k % 2 == 0 ? QPoint(30, 20) : QPoint(33, 22));
    }
};

// With the history on: the whole drag becomes one step at its release.
void dragStep(benchmark::State& state) {
    Fixture f(state);
    area::AreaInteraction interaction(f.controller, f.host);
    interaction.chooseTool(area::PaletteButton::Move);
    interaction.leftButtonDown(f.large.grab);
    if (!f.controller.dragInProgress())
        state.SkipWithError("the drag did not start");
    benchmark::IterationCount k = 0;
    for (auto _ : state)
        interaction.pointerMove(f.step(k++));
    interaction.leftButtonUp(f.step(k));
    if (f.controller.history().count() != 1)
        state.SkipWithError("the drag was not one step of the history");
}
BENCHMARK(dragStep)->Name("drag_step")->Unit(benchmark::kMillisecond);

// The same step with the literal full redraw of every wire, as each edit
// outside a drag redraws.
void dragStepFullRedraw(benchmark::State& state) {
    Fixture f(state);
    Experiment experiment = f.controller.experiment();
    const render::PictureTable& pictures = f.controller.pictures();
    render::CanvasPair canvases(areaSize);
    render::MotorAnimator motors(canvases, pictures);
    const model::AttachedWires wires = model::collectAttachedWires(experiment, f.large.dragged);
    const QPoint topLeft = f.large.grab - QPoint(38, 34);
    benchmark::IterationCount k = 0;
    for (auto _ : state) {
        const QPoint displacement = f.step(k++) - f.large.grab;
        model::moveAttachedWires(experiment, wires, displacement.x(), displacement.y());
        const QPoint moved = topLeft + displacement;
        experiment.setFields(f.number, model::Field::X, QString::number(moved.x()), model::Field::Y,
                             QString::number(moved.y()));
        render::fullRedraw(experiment, canvases, pictures);
        render::OutcomePainter(canvases, pictures, motors)
            .apply(analysis::analyse(experiment).steps);
    }
}
BENCHMARK(dragStepFullRedraw)->Name("drag_step_full_redraw")->Unit(benchmark::kMillisecond);

// Where the time of a full-redraw step goes.
void fullRedraw(benchmark::State& state) {
    Fixture f(state);
    Experiment experiment = f.controller.experiment();
    render::CanvasPair canvases(areaSize);
    for (auto _ : state)
        render::fullRedraw(experiment, canvases, f.controller.pictures());
}
BENCHMARK(fullRedraw)->Name("full_redraw")->Unit(benchmark::kMillisecond);

void analyse(benchmark::State& state) {
    Fixture f(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::analyse(f.controller.experiment()));
}
BENCHMARK(analyse)->Name("analyse")->Unit(benchmark::kMillisecond);

// The circuit diagram of the same experiment, from the experiment and its
// analysis to the picture the diagram window paints at its first size: the
// ladder lays out as nested series and parallel blocks.
void diagramLayoutAndDraw(benchmark::State& state) {
    Fixture f(state);
    QImage view(QSize(520, 400), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const diagram::CircuitDiagram d = diagram::layOut(
            diagram::diagramSource(f.controller.experiment(), f.controller.lastOutcome()));
        view.fill(Qt::white);
        QPainter painter(&view);
        painter.setRenderHint(QPainter::Antialiasing);
        app::DiagramView::paintFitted(painter, d, {true}, QRectF(view.rect()), 2);
    }
}
BENCHMARK(diagramLayoutAndDraw)->Name("diagram_layout_and_draw")->Unit(benchmark::kMillisecond);

// The drag step with the diagram window open beside the area.
void dragStepWithDiagram(benchmark::State& state) {
    Fixture f(state);
    app::WidgetPrompts prompts;
    app::DiagramWindow window(f.controller, prompts, nullptr);
    window.show();
    QCoreApplication::processEvents();
    const int layouts = window.layoutCount();
    area::AreaInteraction interaction(f.controller, f.host);
    interaction.chooseTool(area::PaletteButton::Move);
    interaction.leftButtonDown(f.large.grab);
    benchmark::IterationCount k = 0;
    for (auto _ : state) {
        interaction.pointerMove(f.step(k++));
        QCoreApplication::processEvents();
    }
    interaction.leftButtonUp(f.step(k));
    QCoreApplication::processEvents();
    if (window.layoutCount() != layouts)
        state.SkipWithError("the drag laid the diagram out again");
}
BENCHMARK(dragStepWithDiagram)->Name("drag_step_with_diagram")->Unit(benchmark::kMillisecond);

void diagramLayout(benchmark::State& state) {
    Fixture f(state);
    const diagram::DiagramSource source =
        diagram::diagramSource(f.controller.experiment(), f.controller.lastOutcome());
    for (auto _ : state)
        benchmark::DoNotOptimize(diagram::layOut(source));
}
BENCHMARK(diagramLayout)->Name("diagram_layout")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return ampery::bench::runBenchmarks(argc, argv, {{"drag_step_full_redraw", "drag_step"}});
}
