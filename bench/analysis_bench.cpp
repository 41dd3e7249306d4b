#include "analysis/analyse.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"
#include "model/wire_edits.h"

#include "median_reporter.h"

#ifdef AMPERY_BENCH_NGSPICE
#include "analysis/network.h"
#include "spice_peer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#endif

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

// A load of a generated circuit and the nodes its "∧" and "∨" terminals are
// wired into.
struct PlacedLoad {
    QString name;
    int plus = 0;
    int minus = 0;
};

// A ladder of n loads between two terminals: series arms along the top rail,
// shunt arms down to the bottom. It reduces by one rung per pass. Returns the
// loads with node 0 for the bottom, 1 for the top and 2, 3, … for the rail
// after the first, second, … series arm.
std::vector<PlacedLoad> addLadder(CircuitBuilder& circuit, int n, const QString& top,
                                  const QString& bottom) {
    static const int loadTypes[] = {Resistor, Lamp, Rheostat, Motor};
    std::vector<PlacedLoad> loads;
    QString rail = top;
    int railNode = 1;
    for (int k = 0; k + 1 < n; k += 2) {
        const QString series = circuit.add(loadTypes[k / 2 % 4], numberToText(10 + k % 7));
        const QString shunt = circuit.add(Resistor, numberToText(20 + k % 5));
        circuit.wire(rail, plus(series));
        circuit.wire(minus(series), plus(shunt));
        circuit.wire(minus(shunt), bottom);
        rail = minus(series);
        loads.push_back({series, railNode, railNode + 1});
        ++railNode;
        loads.push_back({shunt, railNode, 0});
    }
    return loads;
}

// An experiment and its loads; node 1 is the source's "∧", node 0 its "∨".
struct PlacedCircuit {
    Experiment experiment;
    std::vector<PlacedLoad> loads;
};

PlacedCircuit placedLadder(int n) {
    CircuitBuilder circuit;
    const QString source = circuit.add(Source);
    std::vector<PlacedLoad> loads = addLadder(circuit, n, plus(source), minus(source));
    return {circuit.take(), std::move(loads)};
}

Experiment ladder(int n) {
    return placedLadder(n).experiment;
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

#ifdef AMPERY_BENCH_NGSPICE

// ngspice on the same ladders, driven in this process as an editor would
// after every change: the netlist loaded, its operating point found, the
// circuit and its results thrown away.

using ampery::bench::Netlist;
using ampery::bench::NetlistResistor;
using ampery::bench::Ngspice;

// One resistor per load, with the resistance the analysis reads from the
// experiment, and the source's voltage.
Netlist netlistOf(const PlacedCircuit& circuit) {
    std::map<QString, double> resistance;
    for (const Component& c : ampery::analysis::readableComponents(circuit.experiment))
        resistance.emplace(c.name, c.resistance);
    std::vector<NetlistResistor> resistors;
    resistors.reserve(circuit.loads.size());
    for (const PlacedLoad& load : circuit.loads)
        resistors.push_back({load.plus, load.minus, resistance.at(load.name)});
    return ampery::bench::sourceAndResistors(circuit.experiment.sourceVoltage(), 1, resistors);
}

std::string numberText(double x) {
    return QString::number(x, 'g', 13).toStdString();
}

bool agree(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

// Empty when ngspice's operating point, just found, has the potentials of
// every result record of the analysis at the nodes of its load, and the
// current the loads draw from the source; otherwise what differs.
std::string disagreement(const PlacedCircuit& circuit,
                         const ampery::analysis::AnalysisOutcome& outcome, const Ngspice& spice) {
    if (outcome.results.size() != static_cast<qsizetype>(circuit.loads.size()))
        return "the analysis has " + std::to_string(outcome.results.size()) +
               " result records for " + std::to_string(circuit.loads.size()) + " loads";
    std::map<QString, const PlacedLoad*> loadNamed;
    for (const PlacedLoad& load : circuit.loads)
        loadNamed.emplace(load.name, &load);
    const auto nodeVoltage = [&](int node) {
        return node == 0 ? std::optional<double>(0.0)
                         : spice.value(ampery::bench::nodeVector(node));
    };
    double sourceCurrent = 0;
    for (const ampery::analysis::ResultRecord& r : outcome.results) {
        const auto named = loadNamed.find(r.name);
        if (named == loadNamed.end())
            return "the analysis has a result record for " + r.name.toStdString() +
                   ", which is no load or has one already";
        const PlacedLoad* load = named->second;
        loadNamed.erase(named);
        const std::pair<int, QString> ends[] = {{load->plus, r.potentialA.toString()},
                                                {load->minus, r.potentialB.toString()}};
        for (const auto& [node, text] : ends) {
            const std::optional<double> spiceVoltage = nodeVoltage(node);
            if (!spiceVoltage)
                return "ngspice has no voltage at node " + ampery::bench::nodeVector(node);
            if (!agree(*spiceVoltage, textToNumber(text)))
                return "at node " + ampery::bench::nodeVector(node) + " (" + r.name.toStdString() +
                       ") ngspice has " + numberText(*spiceVoltage) + " V, the analysis " +
                       text.toStdString() + " V";
        }
        const double current = textToNumber(r.current.toString());
        if (load->plus == 1)
            sourceCurrent += current;
        if (load->minus == 1)
            sourceCurrent -= current;
    }
    // ngspice's source current runs into its "+" terminal.
    const std::optional<double> branch = spice.value("v1#branch");
    if (!branch)
        return "ngspice has no source current";
    if (!agree(-*branch, sourceCurrent))
        return "ngspice's source current is " + numberText(-*branch) + " A, the analysis's " +
               numberText(sourceCurrent) + " A";
    return {};
}

void ngspiceLadderBenchmark(benchmark::State& state) {
    const PlacedCircuit circuit = placedLadder(static_cast<int>(state.range(0)));
    Netlist netlist = netlistOf(circuit);
    Ngspice& spice = Ngspice::instance();
    const ampery::analysis::AnalysisOutcome outcome = ampery::analysis::analyse(circuit.experiment);
    if (!outcome.solved) {
        state.SkipWithError("the analysis did not solve the circuit");
        return;
    }
    if (!spice.operatingPoint(netlist)) {
        state.SkipWithError(spice.error().c_str());
        return;
    }
    const std::string differs = disagreement(circuit, outcome, spice);
    spice.discard();
    if (!differs.empty()) {
        const std::string message = "ngspice and the analysis differ: " + differs;
        state.SkipWithError(message.c_str());
        return;
    }
    for (auto _ : state) {
        if (!spice.operatingPoint(netlist)) {
            state.SkipWithError(spice.error().c_str());
            break;
        }
        spice.discard();
    }
}
BENCHMARK(ngspiceLadderBenchmark)
    ->Name("ngspice_ladder")
    ->Arg(10)
    ->Arg(50)
    ->Arg(200)
    ->Unit(benchmark::kMicrosecond);

#endif

} // namespace

int main(int argc, char** argv) {
    return ampery::bench::runBenchmarks(argc, argv,
                                        {
                                            {"ladder/200", "ladder/50"},
#ifdef AMPERY_BENCH_NGSPICE
                                            {"ngspice_ladder/10", "ladder/10"},
                                            {"ngspice_ladder/50", "ladder/50"},
                                            {"ngspice_ladder/200", "ladder/200"},
                                            {"ngspice_ladder/200", "ngspice_ladder/50"},
#endif
                                        });
}
