#include "circuit_generator.h"
#include "closed_circuit_checks.h"
#include "linear_solve.h"

#include "analysis/analyse.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"

#include <QHash>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

// Random series-parallel circuits, analysed and checked against a nodal
// solution computed here from the same circuit.

using namespace ampery::model;
using namespace random_circuits;
using namespace closed_circuit;

namespace {

constexpr double tolerance = 1e-9;

// Modified nodal analysis: the source and every conductor are ideal voltage
// sources (E and 0 V) with their current as an unknown, loads are
// conductances; voltmeters draw nothing. Nodes that no conducting path joins
// to the source have no potential.
struct NodalSolution {
    QList<std::optional<double>> potentials; // per wire node
    QHash<int, double> currents;             // per source or conductor part, "∧" to "∨"
};

NodalSolution solveNodes(const Circuit& circuit) {
    const QList<Part>& parts = circuit.parts;
    const auto source = std::find_if(parts.begin(), parts.end(),
                                     [](const Part& p) { return p.role == Role::Source; });
    const int reference = source->minus;

    QList<bool> reached(circuit.nodeCount, false);
    reached[reference] = true;
    for (bool grown = true; grown;) {
        grown = false;
        for (const Part& p : parts) {
            if (p.role != Role::Voltmeter && reached[p.plus] != reached[p.minus]) {
                reached[p.plus] = reached[p.minus] = true;
                grown = true;
            }
        }
    }

    QList<int> unknown(circuit.nodeCount, -1);
    int size = 0;
    for (int node = 0; node < circuit.nodeCount; ++node)
        if (reached[node] && node != reference)
            unknown[node] = size++;
    QHash<int, int> branchUnknown;
    for (int k = 0; k < parts.size(); ++k)
        if (parts[k].role == Role::Source || parts[k].role == Role::Conductor)
            if (reached[parts[k].plus])
                branchUnknown.insert(k, size++);

    const auto at = [](int unknownIndex) { return static_cast<std::size_t>(unknownIndex); };
    std::vector<std::vector<double>> a(at(size), std::vector<double>(at(size), 0.0));
    std::vector<double> b(at(size), 0.0);
    const auto addAt = [&](int row, int col, double value) {
        if (row >= 0 && col >= 0)
            a[at(row)][at(col)] += value;
    };
    for (int k = 0; k < parts.size(); ++k) {
        const Part& p = parts[k];
        const int i = unknown[p.plus];
        const int j = unknown[p.minus];
        if (p.role == Role::Load && reached[p.plus]) {
            const double g = 1.0 / p.field(Field::Resistance);
            addAt(i, i, g);
            addAt(j, j, g);
            addAt(i, j, -g);
            addAt(j, i, -g);
        } else if (branchUnknown.contains(k)) {
            const int current = branchUnknown[k];
            addAt(i, current, 1);
            addAt(j, current, -1);
            addAt(current, i, 1);
            addAt(current, j, -1);
            b[at(current)] = p.role == Role::Source ? p.field(Field::Voltage) : 0.0;
        }
    }
    const std::vector<double> x = solveLinear(a, b);
    if (x.size() != b.size())
        qFatal("the nodal equations are singular");

    NodalSolution solution;
    for (int node = 0; node < circuit.nodeCount; ++node) {
        if (node == reference)
            solution.potentials.append(0.0);
        else if (unknown[node] >= 0)
            solution.potentials.append(x[at(unknown[node])]);
        else
            solution.potentials.append(std::nullopt);
    }
    for (auto it = branchUnknown.cbegin(); it != branchUnknown.cend(); ++it)
        solution.currents.insert(it.key(), x[at(it.value())]);
    return solution;
}

double slack(double expected) {
    return tolerance * (1 + std::abs(expected));
}

QList<ExpectedRecord> expectedRecords(const Circuit& circuit, const NodalSolution& nodal) {
    QList<ExpectedRecord> expected;
    for (const Part& p : circuit.parts) {
        ExpectedRecord e{&p, std::nullopt};
        if (p.role == Role::Load && !p.dangling) {
            const double va = *nodal.potentials[p.plus];
            const double vb = *nodal.potentials[p.minus];
            e.values = ExpectedRecord::Values{va, vb, (va - vb) / p.field(Field::Resistance)};
        }
        expected.append(e);
    }
    return expected;
}

QList<ExpectedMeter> expectedMeters(const Circuit& circuit, const NodalSolution& nodal) {
    QList<ExpectedMeter> expected;
    for (const Part& m : circuit.parts) {
        if (m.type == Ammeter) {
            const int index = int(&m - circuit.parts.constData());
            if (m.dangling) {
                // Hung from the dangling lamp's free end, its only neighbour
                // is the terminal of a part without a record: it may also be
                // read as carrying nothing, which it does.
                expected.append({&m, true, std::nullopt, slack(0), m.onDeadEnd});
            } else {
                const double current = nodal.currents.value(index);
                expected.append({&m, true, current, slack(current), false});
            }
        } else if (m.type == Voltmeter) {
            const std::optional<double> plus = nodal.potentials[m.plus];
            const std::optional<double> minus = nodal.potentials[m.minus];
            if (plus && minus)
                expected.append({&m, true, *plus - *minus, slack(*plus - *minus), false});
            else
                expected.append({&m, plus || minus, std::nullopt, slack(0), false});
        }
    }
    return expected;
}

} // namespace

class TestAnalysisProperty : public QObject {
    Q_OBJECT
private slots:
    void seriesParallelCircuits_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 400; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void seriesParallelCircuits() {
        QFETCH(quint32, seed);
        Circuit circuit = CircuitGenerator(seed).generate();
        if (QTest::currentTestFailed())
            return;
        const NodalSolution nodal = solveNodes(circuit);
        const auto outcome = ampery::analysis::analyse(circuit.experiment);

        QStringList errors;
        if (!outcome.solved || outcome.gaveUp)
            errors << QStringLiteral("not solved: status \"%1\"").arg(outcome.status);
        else
            errors << checkRecords(outcome.results, expectedRecords(circuit, nodal), slack)
                   << checkMeters(outcome, expectedMeters(circuit, nodal));
        QVERIFY2(
            errors.isEmpty(),
            qPrintable(QStringLiteral("seed %1\n%2\nstatus: %3\nexperiment: %4")
                           .arg(seed)
                           .arg(errors.join(u'\n'), outcome.status, circuit.experiment.text())));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisProperty)
#include "tst_analysis_property.moc"
