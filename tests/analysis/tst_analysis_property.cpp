#include "analysis/analyse.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"
#include "model/wire_edits.h"

#include <QHash>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

// Random series-parallel circuits, analysed and checked against a nodal
// solution computed here from the same circuit.

using namespace ampery::model;

namespace {

constexpr double epsilon = 1e-7;
constexpr double tolerance = 1e-9;

bool near(double actual, double expected) {
    return std::abs(actual - expected) <= tolerance * (1 + std::abs(expected));
}

enum class Role {
    Source,
    Load,      // carries a resistance into the network
    Conductor, // closed switch, ammeter or a resistance within epsilon of zero
    Voltmeter,
};

struct Part {
    Part() = default;
    Part(int type, Role role) : type(type), role(role) {}

    int type = 0;
    Role role = Role::Load;
    bool dangling = false;  // hangs from the circuit by one terminal
    bool onDeadEnd = false; // a dangling ammeter hung from the dangling lamp's free end
    int plus = -1;          // wire node of the "∧" terminal
    int minus = -1;         // wire node of the "∨" terminal
    QList<std::pair<Field, QString>> fields;
    QString name;
    int number = 0;

    double field(Field key) const {
        for (const auto& [f, text] : fields)
            if (f == key)
                return textToNumber(text);
        return 0;
    }
};

struct Circuit {
    QList<Part> parts;
    int nodeCount = 0;
    Experiment experiment;
};

// Builds a random network between two nodes as a tree of series and parallel
// compositions; every branch holds at least one load, so the source is never
// shorted and every load carries current.
class CircuitGenerator {
public:
    explicit CircuitGenerator(quint32 seed) : m_random(seed) {}

    Circuit generate() {
        Circuit circuit;
        m_parts = &circuit.parts;
        m_nodeCount = 0;
        m_circuitNodes.clear();

        const int top = newNode();
        const int bottom = newNode();
        Part source{Source, Role::Source};
        source.fields = {{Field::Voltage, decimal(10, 2400)}};
        orient(source, top, bottom);
        network(top, bottom, 0);

        std::optional<int> freeEnd;
        if (chance(70)) {
            Part lamp = load(Lamp);
            lamp.dangling = true;
            const int attached = anyCircuitNode();
            freeEnd = m_nodeCount++;
            orient(lamp, attached, *freeEnd);
        }
        if (chance(30)) {
            Part ammeter(Ammeter, Role::Conductor);
            ammeter.dangling = true;
            ammeter.fields = {{Field::RatedCurrent, "1000"}};
            ammeter.onDeadEnd = freeEnd && chance(25);
            const int attached = ammeter.onDeadEnd ? *freeEnd : anyCircuitNode();
            orient(ammeter, attached, m_nodeCount++);
        }
        const int voltmeters = bounded(0, 4);
        for (int k = 0; k < voltmeters; ++k) {
            Part meter{Voltmeter, Role::Voltmeter};
            meter.fields = {{Field::RatedVoltage, pick({"0.5", "3", "10", "1000", "1000"})}};
            const int a = voltmeterLead(freeEnd);
            const int b = voltmeterLead(freeEnd);
            orient(meter, a, b);
        }
        circuit.nodeCount = m_nodeCount;
        build(circuit);
        return circuit;
    }

private:
    int bounded(int low, int high) { return m_random.bounded(low, high); }
    bool chance(int percent) { return bounded(0, 100) < percent; }
    QString pick(std::initializer_list<const char*> texts) {
        return QString::fromLatin1(texts.begin()[bounded(0, int(texts.size()))]);
    }
    // A decimal text of low / 100 up to high / 100 with at most two decimals.
    QString decimal(int low, int high) { return numberToText(bounded(low, high) / 100.0); }

    int newNode() {
        m_circuitNodes.append(m_nodeCount);
        return m_nodeCount++;
    }
    int anyCircuitNode() { return m_circuitNodes[bounded(0, int(m_circuitNodes.size()))]; }
    int voltmeterLead(std::optional<int> freeEnd) {
        const int roll = bounded(0, 100);
        if (roll < 12)
            return m_nodeCount++; // a lead without a wire
        if (roll < 24 && freeEnd)
            return *freeEnd;
        return anyCircuitNode();
    }

    void orient(Part part, int a, int b) {
        const bool flip = chance(50);
        part.plus = flip ? b : a;
        part.minus = flip ? a : b;
        m_parts->append(std::move(part));
    }

    Part load(int type) {
        Part part{type, Role::Load};
        part.fields = {{Field::Resistance, decimal(10, 100000)}};
        if (type == Rheostat)
            part.fields.append({Field::State, QString::number(bounded(0, 5))});
        return part;
    }

    void conductor(int a, int b) {
        const int roll = bounded(0, 3);
        if (roll == 0) {
            Part part{Switch, Role::Conductor};
            part.fields = {{Field::State, "1"}};
            orient(part, a, b);
        } else if (roll == 1) {
            Part part{Ammeter, Role::Conductor};
            part.fields = {{Field::RatedCurrent, pick({"0.001", "0.01", "0.1", "1000", "1000"})}};
            if (chance(20)) // an ammeter conducts whatever resistance it is given
                part.fields.append({Field::Resistance, "2.5"});
            orient(part, a, b);
        } else {
            Part part{bounded(Lamp, Ammeter), Role::Conductor};
            part.fields = {{Field::Resistance, pick({"0", "0.00000005"})}};
            orient(part, a, b);
        }
    }

    void network(int a, int b, int depth) {
        // Leaves grow likelier with depth, so that most circuits nest a few levels.
        const int roll = depth >= 4 ? 0 : bounded(0, 20);
        if (roll < 2 + 4 * depth) {
            orient(load(bounded(Lamp, Ammeter)), a, b);
        } else if (roll == 19) {
            bridge(a, b);
        } else if (roll % 2 == 0) {
            series(a, b, depth);
        } else {
            const int branches = bounded(2, 4);
            for (int k = 0; k < branches; ++k)
                network(a, b, depth + 1);
        }
    }

    void series(int a, int b, int depth) {
        QList<bool> isConductor(bounded(1, 4), false);
        isConductor.append(QList<bool>(bounded(isConductor.size() == 1 ? 1 : 0, 3), true));
        std::shuffle(isConductor.begin(), isConductor.end(), m_random);
        int from = a;
        for (qsizetype k = 0; k < isConductor.size(); ++k) {
            const int to = k + 1 == isConductor.size() ? b : newNode();
            if (isConductor[k])
                conductor(from, to);
            else
                network(from, to, depth + 1);
            from = to;
        }
    }

    // Four loads with an ammeter across the middle, which joins the two
    // middle nodes into one.
    void bridge(int a, int b) {
        const int left = newNode();
        const int right = newNode();
        orient(load(Resistor), a, left);
        orient(load(Resistor), left, b);
        orient(load(Lamp), a, right);
        orient(load(Lamp), right, b);
        Part ammeter{Ammeter, Role::Conductor};
        ammeter.fields = {{Field::RatedCurrent, "1000"}};
        orient(ammeter, left, right);
    }

    // Places the parts in random order, then wires every node along a random
    // spanning tree of its terminals and appends the wires in random order.
    void build(Circuit& circuit) {
        Experiment& e = circuit.experiment;
        QList<qsizetype> order(circuit.parts.size());
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), m_random);
        for (const qsizetype k : order) {
            Part& part = circuit.parts[k];
            part.name = e.nameNewComponent(part.type);
            const int x = bounded(0, 400);
            const int y = bounded(0, 300);
            part.number = e.addComponent(x, y, part.name, part.type);
            for (const auto& [field, text] : part.fields)
                QVERIFY(e.setFields(part.number, field, text) == Experiment::WriteResult::Written);
        }

        QList<QStringList> terminals(circuit.nodeCount);
        for (const Part& part : std::as_const(circuit.parts)) {
            terminals[part.plus].append(terminalName(part.name, true));
            terminals[part.minus].append(terminalName(part.name, false));
        }
        QList<std::pair<QString, QString>> wires;
        for (QStringList& node : terminals) {
            std::shuffle(node.begin(), node.end(), m_random);
            for (qsizetype k = 1; k < node.size(); ++k) {
                QString a = node[k];
                QString b = node[bounded(0, int(k))];
                if (chance(50))
                    std::swap(a, b);
                wires.append({a, b});
            }
        }
        std::shuffle(wires.begin(), wires.end(), m_random);
        for (const auto& [a, b] : wires)
            QVERIFY(appendWire(e, a, b,
                               QStringLiteral("%1|%2┇%3|%4")
                                   .arg(bounded(0, 400))
                                   .arg(bounded(0, 300))
                                   .arg(bounded(0, 400))
                                   .arg(bounded(0, 300))));
        e.recount();
    }

    QRandomGenerator m_random;
    QList<Part>* m_parts = nullptr;
    int m_nodeCount = 0;
    QList<int> m_circuitNodes;
};

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

    std::vector<std::vector<double>> a(size, std::vector<double>(size, 0.0));
    std::vector<double> b(size, 0.0);
    const auto addAt = [&](int row, int col, double value) {
        if (row >= 0 && col >= 0)
            a[row][col] += value;
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
            b[current] = p.role == Role::Source ? p.field(Field::Voltage) : 0.0;
        }
    }
    const std::vector<double> x = solveLinear(a, b);

    NodalSolution solution;
    for (int node = 0; node < circuit.nodeCount; ++node) {
        if (node == reference)
            solution.potentials.append(0.0);
        else if (unknown[node] >= 0)
            solution.potentials.append(x[unknown[node]]);
        else
            solution.potentials.append(std::nullopt);
    }
    for (auto it = branchUnknown.cbegin(); it != branchUnknown.cend(); ++it)
        solution.currents.insert(it.key(), x[it.value()]);
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
