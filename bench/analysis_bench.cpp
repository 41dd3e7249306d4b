#include "analysis/analyse.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"
#include "model/wire_edits.h"

#include "median_reporter.h"

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

// The whole analysis from experiment text to outcome on generated circuits;
// each experiment is built once, outside the timed loop.

using namespace ampery::model;

namespace {

QString plus(const QString& name) {
    return terminalName(name, true);
}
QString minus(const QString& name) {
    return terminalName(name, false);
}

// Places components with their default values, switches closed.
class CircuitBuilder {
public:
    QString add(int type, const QString& resistance = {}) {
        const QString name = m_experiment.nameNewComponent(type);
        const int number = m_experiment.addComponent(0, 0, name, type);
        if (!resistance.isEmpty())
            m_experiment.setFields(number, Field::Resistance, resistance);
        if (type == Switch)
            m_experiment.setFields(number, Field::State, QStringLiteral("1"));
        return name;
    }
    void wire(const QString& from, const QString& to) {
        appendWire(m_experiment, from, to, QStringLiteral("1|1┇2|2"));
    }
    Experiment take() {
        m_experiment.recount();
        return std::move(m_experiment);
    }

private:
    Experiment m_experiment;
};

// A ladder of n loads between two terminals: series arms along the top rail,
// shunt arms down to the bottom. It reduces by one rung per pass.
void addLadder(CircuitBuilder& circuit, int n, const QString& top, const QString& bottom) {
    static const int loadTypes[] = {Resistor, Lamp, Rheostat, Motor};
    QString rail = top;
    for (int k = 0; k + 1 < n; k += 2) {
        const QString series = circuit.add(loadTypes[k / 2 % 4], numberToText(10 + k % 7));
        const QString shunt = circuit.add(Resistor, numberToText(20 + k % 5));
        circuit.wire(rail, plus(series));
        circuit.wire(minus(series), plus(shunt));
        circuit.wire(minus(shunt), bottom);
        rail = minus(series);
    }
}

Experiment ladder(int n) {
    CircuitBuilder circuit;
    const QString source = circuit.add(Source);
    addLadder(circuit, n, plus(source), minus(source));
    return circuit.take();
}

// A bridge of five resistors in series with 45 other components: two ammeters
// and a closed switch in series, two voltmeters and a ladder of 40 loads.
Experiment bridgeAndOthers() {
    CircuitBuilder c;
    const QString source = c.add(Source);
    const QString ammeterIn = c.add(Ammeter);
    const QString r1 = c.add(Resistor, "10");
    const QString r2 = c.add(Resistor, "20");
    const QString r3 = c.add(Resistor, "30");
    const QString r4 = c.add(Resistor, "40");
    const QString r5 = c.add(Resistor, "50");
    const QString closed = c.add(Switch);
    const QString ammeterOut = c.add(Ammeter);
    const QString acrossBridge = c.add(Voltmeter);
    const QString acrossSource = c.add(Voltmeter);

    c.wire(plus(source), plus(ammeterIn));
    c.wire(minus(ammeterIn), plus(r1));
    c.wire(plus(r1), plus(r3));
    c.wire(minus(r1), plus(r2));
    c.wire(minus(r3), plus(r4));
    c.wire(minus(r1), plus(r5));
    c.wire(minus(r3), minus(r5));
    c.wire(minus(r2), minus(r4));
    c.wire(minus(r2), plus(closed));
    c.wire(minus(closed), plus(ammeterOut));
    c.wire(plus(acrossBridge), plus(r1));
    c.wire(minus(acrossBridge), minus(r4));
    c.wire(plus(acrossSource), plus(source));
    c.wire(minus(acrossSource), minus(source));
    addLadder(c, 40, minus(ammeterOut), minus(source));
    return c.take();
}

// A rectangular mesh of about n loads: rows × columns nodes joined to their
// neighbours across and down, the source from one corner to the opposite
// one. Its corners reduce in series and the rest stays a mesh, solved by
// its node potentials.
Experiment mesh(int n) {
    CircuitBuilder c;
    const QString source = c.add(Source);
    // rows (columns − 1) + (rows − 1) columns ≈ n with columns = rows − 1.
    int rows = 2;
    while (rows * (rows - 2) + (rows - 1) * (rows - 1) < n)
        ++rows;
    const int columns = rows - 1;
    // Each node is named by the first terminal wired into it.
    std::vector<QString> node(static_cast<std::size_t>(rows * columns));
    const auto join = [&](int at, const QString& terminal) {
        QString& first = node[static_cast<std::size_t>(at)];
        if (first.isEmpty())
            first = terminal;
        else
            c.wire(first, terminal);
    };
    static const int loadTypes[] = {Resistor, Lamp, Resistor, Rheostat};
    int k = 0;
    const auto load = [&](int from, int to) {
        const QString name = c.add(loadTypes[k % 4], numberToText(10 + k % 13));
        ++k;
        join(from, plus(name));
        join(to, minus(name));
    };
    for (int r = 0; r < rows; ++r)
        for (int col = 0; col < columns; ++col) {
            const int here = r * columns + col;
            if (col + 1 < columns)
                load(here, here + 1);
            if (r + 1 < rows)
                load(here, here + columns);
        }
    join(0, plus(source));
    join(rows * columns - 1, minus(source));
    return c.take();
}

// A source with n loads in series, resistors, lamps, rheostats and motors in
// turn. It reduces by pairs.
Experiment chain(int n) {
    static const int loadTypes[] = {Resistor, Lamp, Rheostat, Motor};
    CircuitBuilder circuit;
    const QString source = circuit.add(Source);
    QString end = plus(source);
    for (int k = 0; k < n; ++k) {
        const QString load = circuit.add(loadTypes[k % 4], numberToText(10 + k % 11));
        circuit.wire(end, plus(load));
        end = minus(load);
    }
    circuit.wire(end, minus(source));
    return circuit.take();
}

void reportUnsolved(benchmark::State& state, const ampery::analysis::AnalysisOutcome& outcome) {
    if (!outcome.solved)
        state.SkipWithError("the circuit was not solved");
}

// Stops the benchmark unless the circuit was solved with a result record for
// each of its loads.
void reportUnsolved(benchmark::State& state, const ampery::analysis::AnalysisOutcome& outcome,
                    qsizetype loads) {
    if (!outcome.solved)
        state.SkipWithError("the circuit was not solved");
    else if (outcome.results.size() != loads)
        state.SkipWithError("the solution has not one result record per load");
}

void ladderBenchmark(benchmark::State& state) {
    const Experiment experiment = ladder(static_cast<int>(state.range(0)));
    reportUnsolved(state, ampery::analysis::analyse(experiment));
    for (auto _ : state)
        benchmark::DoNotOptimize(ampery::analysis::analyse(experiment));
}
BENCHMARK(ladderBenchmark)
    ->Name("ladder")
    ->Arg(10)
    ->Arg(50)
    ->Arg(200)
    ->Unit(benchmark::kMicrosecond);

void bridgeBenchmark(benchmark::State& state) {
    const Experiment experiment = bridgeAndOthers();
    reportUnsolved(state, ampery::analysis::analyse(experiment));
    for (auto _ : state)
        benchmark::DoNotOptimize(ampery::analysis::analyse(experiment));
}
BENCHMARK(bridgeBenchmark)->Name("bridge_among_others")->Unit(benchmark::kMicrosecond);

void meshBenchmark(benchmark::State& state) {
    const Experiment experiment = mesh(static_cast<int>(state.range(0)));
    reportUnsolved(state, ampery::analysis::analyse(experiment));
    for (auto _ : state)
        benchmark::DoNotOptimize(ampery::analysis::analyse(experiment));
}
BENCHMARK(meshBenchmark)->Name("mesh")->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMicrosecond);

void chainBenchmark(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Experiment experiment = chain(n);
    reportUnsolved(state, ampery::analysis::analyse(experiment), n);
    for (auto _ : state)
        benchmark::DoNotOptimize(ampery::analysis::analyse(experiment));
}
BENCHMARK(chainBenchmark)->Name("chain")->Arg(5000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return ampery::bench::runBenchmarks(argc, argv, {{"ladder/200", "ladder/50"}});
}
