#include "circuit_generator.h"
#include "closed_circuit_checks.h"
#include "linear_solve.h"
#include "network_generator.h"

#include "analysis/analyse.h"
#include "analysis/response.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"
#include "model/picture_choice.h"

#include <QHash>
#include <QTest>

#include <gmpxx.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Random networks that are not series-parallel (bridges, meshes, crossed
// ladders, nested bridges, bridges hanging by one node or standing apart),
// analysed and checked against an exact solution computed here in rational
// numbers from the generator's own part list. Random series-parallel
// circuits go through the same checks.

using namespace ampery::model;
using namespace random_circuits;
using namespace closed_circuit;
using ampery::analysis::lampPicture;
using ampery::analysis::motorInterval;
using ampery::analysis::motorSlotOf;

namespace {

constexpr double tolerance = 1e-9; // relative
constexpr double floorSlack = 1e-12;

double slack(double expected) {
    return std::max(tolerance * std::abs(expected), floorSlack);
}

std::size_t at(qsizetype i) {
    return static_cast<std::size_t>(i);
}

// --- exact solution --------------------------------------------------------

// A decimal text such as "-12.05", exactly.
mpq_class exactNumber(const QString& text) {
    QString digits = text;
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);
    const qsizetype point = digits.indexOf(u'.');
    unsigned long decimals = 0;
    if (point >= 0) {
        decimals = static_cast<unsigned long>(digits.size() - point - 1);
        digits.remove(point, 1);
    }
    mpz_class denominator;
    mpz_ui_pow_ui(denominator.get_mpz_t(), 10, decimals);
    mpq_class q(mpz_class(digits.isEmpty() ? std::string("0") : digits.toStdString(), 10),
                denominator);
    q.canonicalize();
    return negative ? mpq_class(-q) : q;
}

enum class Kind { Source, Load, Conductor, Open };

// Closed switches and ammeters conduct, and so does any other part but a
// source or a voltmeter whose resistance is within 1e-7 of zero; voltmeters
// and open switches carry nothing.
Kind kindOf(const Part& p) {
    switch (p.type) {
    case Source:
        return Kind::Source;
    case Voltmeter:
        return Kind::Open;
    case Switch:
        return toInt(p.field(Field::State)) == 1 ? Kind::Conductor : Kind::Open;
    case Ammeter:
        return Kind::Conductor;
    default:
        return abs(exactNumber(p.textOf(Field::Resistance))) <= mpq_class(1, 10000000)
                   ? Kind::Conductor
                   : Kind::Load;
    }
}

// Node sets joined pairwise.
class Joined {
public:
    explicit Joined(int count) : m_parent(at(count)) {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }
    int find(int x) {
        while (m_parent[at(x)] != x)
            x = m_parent[at(x)] = m_parent[at(m_parent[at(x)])];
        return x;
    }
    // False when the two were joined already.
    bool join(int a, int b) {
        a = find(a);
        b = find(b);
        m_parent[at(a)] = b;
        return a != b;
    }

private:
    std::vector<int> m_parent;
};

struct Edge {
    int a;
    int b;
};

// Whether two edges lie on a common simple cycle: they lie in one connected
// graph and no vertex parts what is left of them when it is taken out.
bool onOneCycle(const std::vector<Edge>& edges, int vertices, std::size_t e, std::size_t f) {
    const auto parted = [&](int removed) {
        Joined parts(vertices);
        for (const Edge& edge : edges)
            if (edge.a != removed && edge.b != removed)
                parts.join(edge.a, edge.b);
        const int x = edges[e].a != removed ? edges[e].a : edges[e].b;
        const int y = edges[f].a != removed ? edges[f].a : edges[f].b;
        return parts.find(x) != parts.find(y);
    };
    if (parted(-1))
        return false;
    for (int v = 0; v < vertices; ++v)
        if (parted(v))
            return false;
    return true;
}

struct PartAnswer {
    std::optional<mpq_class> va; // a load with a record: its terminal potentials
    std::optional<mpq_class> vb;
    // What it carries or reads: a load's current, an ammeter's current, a
    // voltmeter's reading; none for a meter with an end open or dead.
    std::optional<mpq_class> value;
};

struct Expectation {
    QString fault; // the circuit breaks a rule the generators keep
    bool loop = false;
    std::vector<PartAnswer> parts;
    QList<ExpectedRecord> records;
    QList<ExpectedMeter> meters;
};

Expectation expect(const Circuit& circuit) {
    const QList<Part>& parts = circuit.parts;
    const int n = circuit.nodeCount;
    Expectation x;
    x.parts.resize(at(parts.size()));
    QList<Kind> kinds;
    for (const Part& p : parts)
        kinds.append(kindOf(p));
    const auto source =
        std::find_if(parts.begin(), parts.end(), [](const Part& p) { return p.type == Source; });
    const mpq_class voltage = exactNumber(source->textOf(Field::Voltage));

    // Wire nodes joined by conductors; the conductors form a forest.
    const auto joinConductors = [&](Joined& nodes, qsizetype except) {
        for (qsizetype k = 0; k < parts.size(); ++k)
            if (kinds[k] == Kind::Conductor && k != except &&
                !nodes.join(parts[k].plus, parts[k].minus))
                x.fault = QStringLiteral("a loop of conductors");
    };
    Joined nodes(n);
    joinConductors(nodes, -1);
    const int plusNode = nodes.find(source->plus);
    const int minusNode = nodes.find(source->minus);
    if (plusNode == minusNode)
        x.fault = QStringLiteral("the source is shorted");
    if (!x.fault.isEmpty())
        return x;

    // The graph of the source and the loads that are not shorted.
    std::vector<Edge> edges{{plusNode, minusNode}};
    std::vector<qsizetype> edgePart{-1};
    QList<mpq_class> resistance(parts.size());
    for (qsizetype k = 0; k < parts.size(); ++k) {
        if (kinds[k] != Kind::Load)
            continue;
        resistance[k] = exactNumber(parts[k].textOf(Field::Resistance));
        const Edge edge{nodes.find(parts[k].plus), nodes.find(parts[k].minus)};
        if (edge.a != edge.b) {
            edges.push_back(edge);
            edgePart.push_back(k);
        }
    }
    // A load has a record when it lies on a cycle with the source.
    QList<bool> recorded(parts.size(), false);
    for (std::size_t e = 1; e < edges.size(); ++e) {
        recorded[edgePart[e]] = onOneCycle(edges, n, 0, e);
        x.loop = x.loop || recorded[edgePart[e]];
    }

    // Nodal equations on the network connected to the source: the source's
    // "∨" node at 0 V, its "∧" node at the source voltage.
    Joined connected(n);
    for (const Edge& edge : edges)
        connected.join(edge.a, edge.b);
    std::vector<int> unknown(at(n), -1);
    std::size_t size = 0;
    for (int v = 0; v < n; ++v)
        if (nodes.find(v) == v && v != plusNode && v != minusNode &&
            connected.find(v) == connected.find(plusNode))
            unknown[at(v)] = static_cast<int>(size++);
    std::vector<std::vector<mpq_class>> a(size, std::vector<mpq_class>(size));
    std::vector<mpq_class> b(size);
    const auto fixed = [&](int v) { return v == plusNode ? voltage : mpq_class(0); };
    for (std::size_t e = 1; e < edges.size(); ++e) {
        const mpq_class g = 1 / resistance[edgePart[e]];
        const std::pair<int, int> ends[] = {{edges[e].a, edges[e].b}, {edges[e].b, edges[e].a}};
        for (const auto& [i, j] : ends) {
            if (unknown[at(i)] < 0)
                continue;
            const std::size_t row = at(unknown[at(i)]);
            a[row][row] += g;
            if (unknown[at(j)] >= 0)
                a[row][at(unknown[at(j)])] -= g;
            else if (connected.find(j) == connected.find(plusNode))
                b[row] += g * fixed(j);
        }
    }
    const std::vector<mpq_class> solution = solveLinear(a, b);
    if (solution.size() != size) {
        x.fault = QStringLiteral("the nodal equations are singular");
        return x;
    }
    const auto potential = [&](int wireNode) -> mpq_class {
        const int v = nodes.find(wireNode);
        return unknown[at(v)] >= 0 ? solution[at(unknown[at(v)])] : fixed(v);
    };

    mpq_class sourceCurrent = 0; // leaving the source's "∧" terminal
    for (qsizetype k = 0; k < parts.size(); ++k) {
        PartAnswer& answer = x.parts[at(k)];
        ExpectedRecord record{&parts[k], std::nullopt};
        if (recorded[k]) {
            answer.va = potential(parts[k].plus);
            answer.vb = potential(parts[k].minus);
            answer.value = (*answer.va - *answer.vb) / resistance[k];
            record.values = ExpectedRecord::Values{answer.va->get_d(), answer.vb->get_d(),
                                                   answer.value->get_d()};
            if (nodes.find(parts[k].plus) == plusNode)
                sourceCurrent += *answer.value;
            if (nodes.find(parts[k].minus) == plusNode)
                sourceCurrent -= *answer.value;
        }
        x.records.append(record);
    }

    // A voltmeter's side is known when its node, with the loads without a
    // record joined as conductors, holds a terminal of a load with a record.
    Joined meterNodes = nodes;
    for (qsizetype k = 0; k < parts.size(); ++k)
        if (kinds[k] == Kind::Load && !recorded[k])
            meterNodes.join(parts[k].plus, parts[k].minus);
    std::vector<std::optional<mpq_class>> known(at(n));
    for (qsizetype k = 0; k < parts.size(); ++k) {
        if (!recorded[k])
            continue;
        for (const int end : {parts[k].plus, parts[k].minus}) {
            std::optional<mpq_class>& v = known[at(meterNodes.find(end))];
            if (v && *v != potential(end))
                x.fault = QStringLiteral("one meter node at two potentials");
            v = potential(end);
        }
    }

    QList<int> terminalsAt(n, 0);
    for (const Part& p : parts) {
        ++terminalsAt[p.plus];
        ++terminalsAt[p.minus];
    }
    for (qsizetype k = 0; k < parts.size(); ++k) {
        const Part& m = parts[k];
        if (m.type == Voltmeter) {
            const std::optional<mpq_class>& plus = known[at(meterNodes.find(m.plus))];
            const std::optional<mpq_class>& minus = known[at(meterNodes.find(m.minus))];
            if (plus && minus) {
                x.parts[at(k)].value = *plus - *minus;
                const double scale = std::max(std::abs(plus->get_d()), std::abs(minus->get_d()));
                x.meters.append({&m, true, x.parts[at(k)].value->get_d(), slack(scale), false});
            } else {
                x.meters.append({&m, plus || minus, std::nullopt, floorSlack, false});
            }
            continue;
        }
        if (m.type != Ammeter)
            continue;
        // The ammeter's current: what flows into the conductors on its "∧"
        // side, every other conductor joined.
        Joined view(n);
        joinConductors(view, k);
        const int p = view.find(m.plus);
        const int q = view.find(m.minus);
        mpq_class current = 0;
        double scale = 0;
        int neighbours[2] = {0, 0}; // load terminals on each side
        bool sourceBeside[2] = {false, false};
        for (qsizetype j = 0; j < parts.size(); ++j) {
            const Part& other = parts[j];
            const int ends[2] = {view.find(other.plus), view.find(other.minus)};
            for (int side = 0; side < 2; ++side) {
                const int node = side == 0 ? p : q;
                const int touches = (ends[0] == node ? 1 : 0) + (ends[1] == node ? 1 : 0);
                if (kinds[j] == Kind::Load)
                    neighbours[side] += touches;
                if (kinds[j] == Kind::Source)
                    sourceBeside[side] = sourceBeside[side] || touches > 0;
            }
            // The current inside the part from its "∧" to its "∨" terminal.
            const mpq_class carried = kinds[j] == Kind::Source ? mpq_class(-sourceCurrent)
                                      : recorded[j]            ? *x.parts[at(j)].value
                                                               : mpq_class(0);
            if (ends[1] == p)
                current += carried;
            if (ends[0] == p)
                current -= carried;
            if (ends[0] == p || ends[0] == q || ends[1] == p || ends[1] == q)
                scale += std::abs(carried.get_d());
        }
        const bool plusOpen = terminalsAt[m.plus] == 1;
        const bool minusOpen = terminalsAt[m.minus] == 1;
        if (plusOpen || minusOpen) {
            // Hanging by one terminal: its only neighbour, the terminal of a
            // part without a record, may also be read as carrying nothing.
            const int side = plusOpen ? 1 : 0;
            const bool lone = !plusOpen || !minusOpen;
            x.meters.append({&m, true, std::nullopt, slack(scale),
                             lone && neighbours[side] == 1 && !sourceBeside[side]});
            continue;
        }
        // In the graph with every other conductor joined, the ammeter is on a
        // current path when it lies on a cycle with the source.
        std::vector<Edge> through{{view.find(source->plus), view.find(source->minus)}};
        for (qsizetype j = 0; j < parts.size(); ++j) {
            const int ends[2] = {view.find(parts[j].plus), view.find(parts[j].minus)};
            if (kinds[j] == Kind::Load && ends[0] != ends[1])
                through.push_back({ends[0], ends[1]});
        }
        through.push_back({p, q});
        if (onOneCycle(through, n, 0, through.size() - 1)) {
            x.parts[at(k)].value = current;
            x.meters.append({&m, true, current.get_d(), slack(scale), false});
        } else {
            // Dead: nothing flows, read as zero or as an end open.
            x.meters.append({&m, true, std::nullopt, slack(scale), true});
        }
    }
    return x;
}

// --- checks ----------------------------------------------------------------

// The values within the slack of an exact one.
QList<double> around(const mpq_class& exact) {
    const double v = exact.get_d();
    return {v - slack(v), v, v + slack(v)};
}

QStringList checkLampsAndMotors(const Circuit& circuit, const Expectation& x,
                                const AnalysisOutcome& outcome) {
    using StepKind = DisplayStep::Kind;
    QStringList errors;
    const auto& motorSlots = circuit.experiment.motorSlots();
    for (qsizetype k = 0; k < circuit.parts.size(); ++k) {
        const Part& p = circuit.parts[k];
        if (p.type != Lamp && p.type != Motor)
            continue;
        const PartAnswer& answer = x.parts[at(k)];
        const double rated = p.field(Field::RatedVoltage);
        QList<const DisplayStep*> steps;
        for (const DisplayStep& s : outcome.steps)
            if (s.componentNumber == p.number &&
                s.kind == (p.type == Lamp ? StepKind::ShowPicture : StepKind::SetMotorSlot))
                steps.append(&s);
        if (p.type == Lamp) {
            QList<int> allowed{picture::lampDark};
            if (answer.va) {
                allowed.clear();
                for (const double drop : around(*answer.va - *answer.vb))
                    if (const std::optional<int> picture = lampPicture(std::abs(drop), rated))
                        allowed.append(*picture);
            }
            if (steps.size() != 1 || !allowed.contains(steps.front()->picture)) {
                QStringList shown;
                for (const DisplayStep* s : std::as_const(steps))
                    shown.append(QString::number(s->picture));
                errors << QStringLiteral("%1 shows pictures [%2], expected %3")
                              .arg(p.name, shown.join(u' '))
                              .arg(allowed.value(0));
            }
            continue;
        }
        const int slot = motorSlotOf(p.name, motorSlots);
        QList<std::pair<int, int>> allowed{{DisplayStep::keepDirection, 0}};
        if (answer.va) {
            allowed.clear();
            for (const double drop : around(*answer.va - *answer.vb)) {
                const int interval = motorInterval(std::abs(drop), rated);
                allowed.append({interval == 0    ? DisplayStep::keepDirection
                                : drop > epsilon ? 1
                                                 : 0,
                                interval});
            }
        }
        if (slot < 0 ? !steps.isEmpty()
                     : steps.size() != 1 || steps.front()->slot != slot ||
                           !allowed.contains({steps.front()->direction, steps.front()->interval}))
            errors << QStringLiteral("%1 of slot %2 has %3 slot steps, the first slot %4 dir %5 "
                                     "interval %6")
                          .arg(p.name)
                          .arg(slot)
                          .arg(steps.size())
                          .arg(steps.isEmpty() ? -1 : steps.front()->slot)
                          .arg(steps.isEmpty() ? -1 : steps.front()->direction)
                          .arg(steps.isEmpty() ? -1 : steps.front()->interval);
    }
    return errors;
}

// The loads in the branch of a balanced bridge: a record whose current reads
// exactly "0", and a lamp there stays dark.
QStringList checkNoCurrent(const Circuit& circuit, const QList<qsizetype>& noCurrent,
                           const AnalysisOutcome& outcome) {
    QStringList errors;
    for (const qsizetype k : noCurrent) {
        const Part& p = circuit.parts[k];
        for (const ResultRecord& r : outcome.results)
            if (r.name == p.name && r.current != ampery::analysis::DecimalText())
                errors << QStringLiteral("%1 carries %2 instead of 0")
                              .arg(p.name, r.current.toString());
        for (const DisplayStep& s : outcome.steps)
            if (p.type == Lamp && s.kind == DisplayStep::Kind::ShowPicture &&
                s.componentNumber == p.number && s.picture != picture::lampDark)
                errors << QStringLiteral("%1 shows picture %2").arg(p.name).arg(s.picture);
    }
    return errors;
}

QStringList checkAnalysis(const Circuit& circuit, const Expectation& x,
                          const QList<qsizetype>& noCurrent, const AnalysisOutcome& outcome) {
    if (!x.fault.isEmpty())
        return {QStringLiteral("generator: ") + x.fault};
    if (!x.loop) {
        if (!outcome.status.startsWith(QStringLiteral("提示：电源没有形成回路。")) ||
            outcome.solved || outcome.gaveUp || !outcome.results.isEmpty())
            return {QStringLiteral("the source has no closed loop")};
        return {};
    }
    if (!outcome.solved || outcome.gaveUp)
        return {QStringLiteral("not solved")};
    return checkRecords(outcome.results, x.records, slack) + checkMeters(outcome, x.meters) +
           checkLampsAndMotors(circuit, x, outcome) + checkNoCurrent(circuit, noCurrent, outcome);
}

void verifyAnalysis(const QString& row, const Circuit& circuit, const Expectation& x,
                    const QList<qsizetype>& noCurrent) {
    const AnalysisOutcome outcome = ampery::analysis::analyse(circuit.experiment);
    const QStringList errors = checkAnalysis(circuit, x, noCurrent, outcome);
    QVERIFY2(errors.isEmpty(), qPrintable(QStringLiteral("%1\n%2\nstatus: %3\nexperiment: %4")
                                              .arg(row, errors.join(u'\n'), outcome.status,
                                                   circuit.experiment.text())));
}

} // namespace

class TestAnalysisNetworks : public QObject {
    Q_OBJECT
private slots:
    void networks_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 2500; ++seed)
            QTest::addRow("network %u", seed) << seed;
    }
    void networks() {
        QFETCH(quint32, seed);
        NetworkGenerator generator(seed);
        const Circuit circuit = generator.generate();
        if (QTest::currentTestFailed())
            return;
        const Expectation x = expect(circuit);
        for (const qsizetype k : generator.balancedBranches())
            QVERIFY2(!x.parts[at(k)].value || *x.parts[at(k)].value == 0,
                     "a balanced bridge whose branch carries current");
        verifyAnalysis(QStringLiteral("seed %1").arg(seed), circuit, x,
                       generator.balancedBranches());
    }

    // The circuits the reduction solves, checked the same way.
    void seriesParallel_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 400; ++seed)
            QTest::addRow("series-parallel %u", seed) << seed;
    }
    void seriesParallel() {
        QFETCH(quint32, seed);
        Circuit circuit = CircuitGenerator(seed).generate();
        if (QTest::currentTestFailed())
            return;
        giveMotorSlots(circuit);
        verifyAnalysis(QStringLiteral("series-parallel seed %1").arg(seed), circuit,
                       expect(circuit), {});
    }
};

QTEST_GUILESS_MAIN(TestAnalysisNetworks)
#include "tst_analysis_networks.moc"
