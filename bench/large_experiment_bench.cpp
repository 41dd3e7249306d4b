#include "analysis/analyse.h"
#include "area/area_geometry.h"
#include "area/experiment_controller.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/experiment_file.h"
#include "model/gbk.h"
#include "model/number_text.h"
#include "model/wire_edits.h"
#include "render/canvas_pair.h"
#include "render/full_redraw.h"
#include "render/motor_animator.h"
#include "render/opened_experiment.h"
#include "render/outcome_painter.h"
#include "render/picture_table.h"

#include "median_reporter.h"

#include <QGuiApplication>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>
#include <memory>
#include <optional>
#include <utility>

// Opening a large experiment file as the window does: decoding its bytes,
// the motor slots, the full redraw, the analysis and its display steps.
// Experiments of N components and 2N wires of 500 track points each, spread
// over an area of 2400 × 1800, are built with the model and saved to bytes
// once, outside the timed loop.

using namespace ampery;
using model::Experiment;

namespace {

constexpr QSize areaSize{2400, 1800};
constexpr int trackLength = 500;
constexpr int columns = 20;
constexpr QSize cell{120, 120};

// Where a wire attaches to a post, relative to the picture box: found by
// clicking over the box as a user starting a wire does.
QPoint attachOffset(int type, bool positive) {
    static std::map<std::pair<int, bool>, QPoint> offsets;
    const auto key = std::make_pair(type, positive);
    if (const auto found = offsets.find(key); found != offsets.end())
        return found->second;
    for (int y = -30; y < 100; ++y) {
        for (int x = -30; x < 110; ++x) {
            const std::optional<area::TerminalHit> hit = area::hitTerminal(type, {}, {x, y});
            if (hit && hit->positive == positive)
                return offsets[key] = hit->attach;
        }
    }
    return offsets[key] = QPoint();
}

// Components on a grid of 20 columns; each wire runs in 500 points from one
// post to another along a hand-drawn L-shaped path.
class ExperimentBuilder {
public:
    QString add(int type, const QString& resistance = {}) {
        const int index = m_experiment.highestNumber();
        const QPoint topLeft(30 + index % columns * cell.width(),
                             40 + index / columns * cell.height());
        const QString name = m_experiment.nameNewComponent(type);
        const int number = m_experiment.addComponent(topLeft.x(), topLeft.y(), name, type);
        if (!resistance.isEmpty())
            m_experiment.setFields(number, model::Field::Resistance, resistance);
        m_places[name] = {type, topLeft};
        return name;
    }

    void wire(const QString& from, bool fromPlus, const QString& to, bool toPlus) {
        const QPoint start = post(from, fromPlus);
        const QPoint end = post(to, toPlus);
        const QPoint corner(start.x(), end.y());
        QString track;
        for (int k = 0; k < trackLength; ++k) {
            const double t = 2.0 * k / (trackLength - 1);
            QPoint p = t <= 1 ? start + (corner - start) * t : corner + (end - corner) * (t - 1);
            if (k > 0 && k + 1 < trackLength)
                p += QPoint(m_random.bounded(-2, 3), m_random.bounded(-2, 3));
            if (k > 0)
                track += u'┇';
            track += QString::number(p.x()) + u'|' + QString::number(p.y());
        }
        model::appendWire(m_experiment, model::terminalName(from, fromPlus),
                          model::terminalName(to, toPlus), track);
    }

    Experiment take() { return std::move(m_experiment); }

private:
    QPoint post(const QString& name, bool plus) const {
        const auto& [type, topLeft] = m_places.at(name);
        return topLeft + attachOffset(type, plus);
    }

    Experiment m_experiment;
    std::map<QString, std::pair<int, QPoint>> m_places;
    QRandomGenerator m_random{20240612};
};

// A source with a voltmeter across it feeding a ladder of loads (series arms
// along the top rail, shunt arms down to the source's negative post); the
// rest of the 2N wires join shunt arms at the bottom, as a user tidying the
// return path would.
Experiment largeExperiment(int components) {
    ExperimentBuilder b;
    const QString source = b.add(model::Source);
    const QString voltmeter = b.add(model::Voltmeter);
    b.wire(voltmeter, true, source, true);
    b.wire(voltmeter, false, source, false);
    int wires = 2;
    int motors = 0;
    QString rail = source;
    QStringList shunts;
    for (int k = 0; 2 + k < components; ++k) {
        if (k % 2 == 0) {
            static const int types[] = {model::Resistor, model::Lamp, model::Rheostat,
                                        model::Motor};
            int type = types[k / 2 % 4];
            if (type == model::Motor && ++motors > model::motorSlotCount)
                type = model::Lamp;
            const QString series = b.add(type, model::numberToText(10 + k % 7));
            b.wire(rail, rail == source, series, true);
            ++wires;
            rail = series;
            if (2 + k + 1 == components) { // no shunt left: the arm returns to the source
                b.wire(series, false, source, false);
                ++wires;
            }
        } else {
            const QString shunt = b.add(model::Resistor, model::numberToText(20 + k % 5));
            b.wire(rail, false, shunt, true);
            b.wire(shunt, false, source, false);
            wires += 2;
            shunts.append(shunt);
        }
    }
    for (qsizetype gap = 1; wires < 2 * components; ++gap)
        for (qsizetype i = 0; i + gap < shunts.size() && wires < 2 * components; ++i, ++wires)
            b.wire(shunts[i], false, shunts[i + gap], false);
    return b.take();
}

// The experiment's file and what opening it draws on.
struct Fixture {
    QByteArray bytes;
    render::PictureTable pictures;
    render::CanvasPair canvases{areaSize};
    render::MotorAnimator motors{canvases, pictures};
    Experiment experiment;

    explicit Fixture(benchmark::State& state) {
        const int components = static_cast<int>(state.range(0));
        const Experiment built = largeExperiment(components);
        bytes = model::encodeGbk(built.text()).value_or(QByteArray());
        open();
        const qsizetype wires = experiment.text().count(u'⊙');
        if (experiment.highestNumber() != components || wires != 2 * components)
            state.SkipWithError("the experiment does not have N components and 2N wires");
        else if (!analysis::analyse(experiment).solved)
            state.SkipWithError("the experiment was not solved");
        state.counters["file_bytes"] = static_cast<double>(bytes.size());
    }

    void open() {
        model::FileText read = model::decodeExperimentBytes(bytes);
        render::openExperimentText(experiment, std::move(read.text), canvases, pictures, motors);
    }
};

void openLarge(benchmark::State& state) {
    Fixture f(state);
    for (auto _ : state)
        f.open();
}
BENCHMARK(openLarge)->Name("open")->Arg(75)->Arg(150)->Arg(300)->Unit(benchmark::kMillisecond);

// The parts of opening the largest experiment, to see where the time goes.
void decodeLarge(benchmark::State& state) {
    Fixture f(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(model::decodeExperimentBytes(f.bytes));
}
BENCHMARK(decodeLarge)->Name("open_part/decode")->Arg(300)->Unit(benchmark::kMillisecond);

void redrawLarge(benchmark::State& state) {
    Fixture f(state);
    for (auto _ : state)
        render::fullRedraw(f.experiment, f.canvases, f.pictures);
}
BENCHMARK(redrawLarge)->Name("open_part/full_redraw")->Arg(300)->Unit(benchmark::kMillisecond);

void analyseLarge(benchmark::State& state) {
    Fixture f(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::analyse(f.experiment));
}
BENCHMARK(analyseLarge)->Name("open_part/analyse")->Arg(300)->Unit(benchmark::kMillisecond);

// The heap in use, as the C library counts it.
std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// The history of 200 whole drags of the largest experiment, each of another
// component by a few pixels, as a lesson of tidying up makes them: the time
// of one drag from press to release, and the memory the history holds beyond
// the experiment itself.
void historyOfDrags(benchmark::State& state) {
    Fixture f(state);
    const QString text = model::decodeExperimentBytes(f.bytes).text;
    double heldBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto controller = std::make_unique<area::ExperimentController>();
        controller->setAreaSize(areaSize);
        controller->open(text);
        const std::size_t before = heapInUse();
        state.ResumeTiming();
        for (int k = 0; k < area::ExperimentController::historyLimit; ++k) {
            const int number = 1 + k % f.experiment.highestNumber();
            const std::optional<model::Component> c =
                controller->experiment().readComponent(number);
            const QPoint grab(c->x + 38, c->y + 34);
            controller->beginDrag(number, grab);
            controller->moveDrag(grab + QPoint(3, 2));
            controller->moveDrag(grab + QPoint(6, 4));
            controller->endDrag();
        }
        state.PauseTiming();
        heldBytes = static_cast<double>(heapInUse() - before);
        if (controller->history().count() != area::ExperimentController::historyLimit)
            state.SkipWithError("the drags were not one step each");
        controller.reset();
        state.ResumeTiming();
    }
    state.counters["history_MiB"] = heldBytes / (1024.0 * 1024.0);
    state.counters["file_MiB"] = static_cast<double>(f.bytes.size()) / (1024.0 * 1024.0);
}
BENCHMARK(historyOfDrags)
    ->Name("history/200_drags")
    ->Arg(300)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return ampery::bench::runBenchmarks(argc, argv, {{"open/300", "open/75"}});
}
