#include "circuit_generator.h"

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

namespace {

constexpr double epsilon = 1e-7;
constexpr double tolerance = 1e-9;

bool near(double actual, double expected) {
    return std::abs(actual - expected) <= tolerance * (1 + std::abs(expected));
}

// Modified nodal analysis: the source and every conductor are ideal voltage
// sources (E and 0 V) with their current as an unknown, loads are
// conductances; voltmeters draw nothing. Nodes that no conducting path joins
// to the source have no potential.
struct NodalSolution {
    QList<std::optional<double>> potentials; // per wire node
    QHash<int, double> currents;             // per source or conductor part, "∧" to "∨"
};

std::vector<double> solveLinear(std::vector<std::vector<double>> a, std::vector<double> b) {
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row)
            if (std::abs(a[row][col]) > std::abs(a[pivot][col]))
                pivot = row;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const double factor = a[row][col] / a[col][col];
            for (std::size_t k = col; k < n; ++k)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    std::vector<double> x(n);
    for (std::size_t row = n; row-- > 0;) {
        double sum = b[row];
        for (std::size_t k = row + 1; k < n; ++k)
            sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return x;
}

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

enum class Outcome { Reading, OverRange, Reversed, OneEndOpen };

// The outcomes a value may give; both sides of a threshold when the value lies
// within the comparison tolerance of it.
QList<Outcome> outcomesFor(double v, double range) {
    QList<Outcome> outcomes;
    const double slack = tolerance * (1 + std::abs(v));
    const auto reading = [&](double x) { return x >= -epsilon && x - range <= epsilon; };
    const auto over = [&](double x) { return x >= -epsilon && x - range > epsilon; };
    const auto add = [&](Outcome o) {
        if (!outcomes.contains(o))
            outcomes.append(o);
    };
    for (const double x : {v - slack, v, v + slack}) {
        if (reading(x))
            add(Outcome::Reading);
        else if (over(x))
            add(Outcome::OverRange);
        else
            add(Outcome::Reversed);
    }
    return outcomes;
}

struct MeterPiece {
    QString name;
    Outcome outcome = Outcome::Reading;
    QString value; // the reading's decimal text
};

// Reads one status piece back: the meter's name, then one of the fixed texts.
std::optional<MeterPiece> parsePiece(const QString& piece, const Part& meter) {
    const QString& n = meter.name;
    if (!piece.startsWith(n))
        return std::nullopt;
    const QString rest = piece.mid(n.size());
    const QString unit = meter.type == Voltmeter ? QStringLiteral("伏特") : QStringLiteral("安培");
    const QString lead = QStringLiteral("测量值为：");
    if (rest.startsWith(lead) && rest.endsWith(unit))
        return MeterPiece{n, Outcome::Reading, rest.mid(lead.size()).chopped(unit.size())};
    const QString over = meter.type == Voltmeter
                             ? QStringLiteral("两端电压超出了%1的测量范围！").arg(n)
                             : QStringLiteral("电流超出了%1的测量范围！").arg(n);
    const QString reversed =
        meter.type == Voltmeter
            ? QStringLiteral("负极电势大于正极电势，无法测得真实结果！")
            : QStringLiteral("电流与%1的规定电流方向相反，无法测得真实结果！").arg(n);
    if (rest == over)
        return MeterPiece{n, Outcome::OverRange, {}};
    if (rest == reversed)
        return MeterPiece{n, Outcome::Reversed, {}};
    if (rest == QStringLiteral("某端空接或者与无效电路连接。"))
        return MeterPiece{n, Outcome::OneEndOpen, {}};
    return std::nullopt;
}

// What a meter should show: no piece, one end open, or a value to classify.
struct ExpectedMeter {
    const Part* meter = nullptr;
    std::optional<double> value; // none: one end open
    // An ammeter whose only neighbour is the terminal of a part without a
    // record may also be read as carrying nothing, which it does.
    bool mayReadZero = false;
};

QStringList checkResults(const Circuit& circuit, const NodalSolution& nodal,
                         const ampery::analysis::AnalysisOutcome& outcome) {
    QStringList errors;
    QHash<QString, int> seen;
    for (const auto& record : outcome.results)
        ++seen[record.name];
    for (const Part& p : circuit.parts) {
        const bool recorded = p.role == Role::Load && !p.dangling;
        if (!recorded) {
            if (seen.contains(p.name))
                errors << QStringLiteral("%1 has a result record").arg(p.name);
            continue;
        }
        if (seen.value(p.name) != 1) {
            errors
                << QStringLiteral("%1 has %2 result records").arg(p.name).arg(seen.value(p.name));
            continue;
        }
        const auto record = std::find_if(outcome.results.begin(), outcome.results.end(),
                                         [&](const auto& r) { return r.name == p.name; });
        const double va = *nodal.potentials[p.plus];
        const double vb = *nodal.potentials[p.minus];
        const double current = (va - vb) / p.field(Field::Resistance);
        const double gotA = textToNumber(record->potentialA);
        const double gotB = textToNumber(record->potentialB);
        const double gotI = textToNumber(record->current);
        if (!near(gotA, va) || !near(gotB, vb) || !near(gotI, current))
            errors << QStringLiteral("%1: record %2@%3@%4, expected %5@%6@%7")
                          .arg(p.name, record->potentialA, record->potentialB, record->current)
                          .arg(va, 0, 'g', 15)
                          .arg(vb, 0, 'g', 15)
                          .arg(current, 0, 'g', 15);
    }
    return errors;
}

QStringList checkMeters(const Circuit& circuit, const NodalSolution& nodal, const QString& status) {
    const QString heading = QStringLiteral("提示：电路畅通。");
    if (!status.startsWith(heading))
        return {QStringLiteral("status does not begin with the closed-circuit heading")};
    const QStringList pieces =
        status.mid(heading.size()).split(QStringLiteral("   "), Qt::SkipEmptyParts);

    QList<const Part*> meters;
    for (const Part& p : circuit.parts)
        if (p.type == Ammeter || p.type == Voltmeter)
            meters.append(&p);
    std::sort(meters.begin(), meters.end(),
              [](const Part* a, const Part* b) { return a->number < b->number; });

    QList<ExpectedMeter> expected;
    for (const Part* m : std::as_const(meters)) {
        if (m->type == Ammeter) {
            const int index = int(m - circuit.parts.constData());
            if (m->dangling)
                expected.append({m, std::nullopt, m->onDeadEnd});
            else
                expected.append({m, nodal.currents.value(index)});
            continue;
        }
        const std::optional<double> plus = nodal.potentials[m->plus];
        const std::optional<double> minus = nodal.potentials[m->minus];
        if (plus && minus)
            expected.append({m, *plus - *minus});
        else if (plus || minus)
            expected.append({m, std::nullopt});
    }

    QStringList errors;
    if (pieces.size() != expected.size())
        return {
            QStringLiteral("%1 meter pieces, expected %2").arg(pieces.size()).arg(expected.size())};
    for (qsizetype k = 0; k < pieces.size(); ++k) {
        const ExpectedMeter& e = expected[k];
        const std::optional<MeterPiece> piece = parsePiece(pieces[k], *e.meter);
        if (!piece) {
            errors << QStringLiteral("piece %1 \"%2\" is not one of %3's")
                          .arg(k)
                          .arg(pieces[k], e.meter->name);
            continue;
        }
        const double range =
            e.meter->field(e.meter->type == Voltmeter ? Field::RatedVoltage : Field::RatedCurrent);
        QList<Outcome> allowed =
            e.value ? outcomesFor(*e.value, range) : QList{Outcome::OneEndOpen};
        if (e.mayReadZero)
            allowed.append(Outcome::Reading);
        const QString expectation =
            e.value ? QString::number(*e.value, 'g', 15) : QStringLiteral("one end open");
        if (!allowed.contains(piece->outcome))
            errors << QStringLiteral("%1: \"%2\", expected %3")
                          .arg(e.meter->name, pieces[k], expectation);
        else if (piece->outcome == Outcome::Reading &&
                 !near(textToNumber(piece->value), e.value.value_or(0)))
            errors << QStringLiteral("%1 reads %2, expected %3")
                          .arg(e.meter->name, piece->value, expectation);
    }
    return errors;
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
            errors << checkResults(circuit, nodal, outcome)
                   << checkMeters(circuit, nodal, outcome.status);
        QVERIFY2(
            errors.isEmpty(),
            qPrintable(QStringLiteral("seed %1\n%2\nstatus: %3\nexperiment: %4")
                           .arg(seed)
                           .arg(errors.join(u'\n'), outcome.status, circuit.experiment.text())));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisProperty)
#include "tst_analysis_property.moc"
