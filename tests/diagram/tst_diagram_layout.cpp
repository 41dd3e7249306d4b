#include "diagram_checks.h"
#include "diagram_circuits.h"

#include "analysis/analyse.h"
#include "diagram/block_reduction.h"
#include "diagram/diagram_graph.h"
#include "diagram/diagram_layout.h"
#include "diagram/diagram_source.h"
#include "model/component_type.h"

#include <QTest>

using namespace ampery;
using namespace ampery::diagram;

namespace {

using Joins = QList<std::pair<int, int>>; // per part: the nodes of its ∧ and ∨

DiagramPart part(int number, int type, int state = 0) {
    // Names as the program makes them: the type word and a running number.
    return {number, model::componentName(type, number), type, state, SymbolLook::Normal, {}};
}

QString plus(const DiagramPart& p) {
    return model::terminalName(p.name, true);
}
QString minus(const DiagramPart& p) {
    return model::terminalName(p.name, false);
}

const Symbol& symbolOf(const CircuitDiagram& diagram, const QString& name) {
    for (const Symbol& symbol : diagram.symbols)
        if (symbol.name == name)
            return symbol;
    qFatal("no symbol %s", qPrintable(name));
}

// Checks a diagram drawn from a source passes every check, and returns it.
CircuitDiagram laidOut(const DiagramSource& source, int* crossings = nullptr) {
    const CircuitDiagram diagram = layOut(source);
    const diagram_checks::Report report = diagram_checks::check(source, diagram);
    if (!report.fault.isEmpty())
        qWarning("%s", qPrintable(report.fault));
    if (crossings)
        *crossings = report.crossings;
    return report.fault.isEmpty() ? diagram : CircuitDiagram{};
}

int junctionCount(const CircuitDiagram& diagram) {
    int count = 0;
    for (const Net& net : diagram.nets)
        count += int(net.junctions.size());
    return count;
}

} // namespace

class DiagramLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void seriesLoopRunsRoundTheSource();
    void parallelBranchesStackBetweenTwoDots();
    void voltmeterIsDrawnAcrossWhatItMeasures();
    void bridgeIsTheSquareDiamond();
    void deadBranchHangsBelowTheRow();
    void unwiredPartsStandAsideGreyed();
    void partsSeparateFromTheSourceStandBeside();
    void shortedLampKeepsItsWireBeside();
    void anyMeshIsLaidOutSoundly_data();
    void anyMeshIsLaidOutSoundly();
    void randomExperiments_data();
    void randomExperiments();
    void checksCatchBrokenDiagrams_data();
    void checksCatchBrokenDiagrams();
};

void DiagramLayoutTest::seriesLoopRunsRoundTheSource() {
    const DiagramPart source = part(1, model::Source);
    const DiagramPart closedSwitch = part(2, model::Switch, 1);
    const DiagramPart lamp = part(3, model::Lamp);
    const DiagramSource circuit{{source, closedSwitch, lamp},
                                {{plus(source), plus(closedSwitch)},
                                 {minus(closedSwitch), plus(lamp)},
                                 {minus(lamp), minus(source)}}};
    int crossings = -1;
    const CircuitDiagram d = laidOut(circuit, &crossings);
    QCOMPARE(d.symbols.size(), 3);
    QCOMPARE(crossings, 0);
    const Symbol& s = symbolOf(d, source.name);
    const Symbol& k = symbolOf(d, closedSwitch.name);
    const Symbol& l = symbolOf(d, lamp.name);
    QVERIFY(s.vertical);
    QVERIFY(s.positive.y() < s.negative.y()); // the long plate on top
    QVERIFY(!k.vertical && !l.vertical);
    QCOMPARE(k.positive.y(), l.positive.y()); // one row
    QVERIFY(s.box.right() < k.box.left());
    QVERIFY(k.box.right() < l.box.left()); // in the order the current meets them
    QVERIFY(k.closed);
    QCOMPARE(junctionCount(d), 0);
}

void DiagramLayoutTest::parallelBranchesStackBetweenTwoDots() {
    const DiagramPart source = part(1, model::Source);
    const DiagramPart lamp1 = part(2, model::Lamp);
    const DiagramPart lamp2 = part(3, model::Lamp);
    const DiagramSource circuit{{source, lamp2, lamp1},
                                {{plus(source), plus(lamp2)},
                                 {plus(lamp2), plus(lamp1)},
                                 {minus(lamp1), minus(lamp2)},
                                 {minus(lamp2), minus(source)}}};
    int crossings = -1;
    const CircuitDiagram d = laidOut(circuit, &crossings);
    QCOMPARE(d.symbols.size(), 3);
    QCOMPARE(crossings, 0);
    const Symbol& a = symbolOf(d, lamp1.name);
    const Symbol& b = symbolOf(d, lamp2.name);
    QCOMPARE(a.box.center().x(), b.box.center().x());
    QVERIFY(a.box.bottom() < b.box.top()); // the first-placed lamp on top
    QCOMPARE(junctionCount(d), 2);
}

void DiagramLayoutTest::voltmeterIsDrawnAcrossWhatItMeasures() {
    const DiagramPart source = part(1, model::Source);
    const DiagramPart lamp = part(2, model::Lamp);
    const DiagramPart resistor = part(3, model::Resistor);
    const DiagramPart meter = part(4, model::Voltmeter);
    const DiagramSource circuit{{source, meter, lamp, resistor},
                                {{plus(source), plus(lamp)},
                                 {minus(lamp), plus(resistor)},
                                 {minus(resistor), minus(source)},
                                 {plus(meter), plus(lamp)},
                                 {minus(meter), minus(lamp)}}};
    int crossings = -1;
    const CircuitDiagram d = laidOut(circuit, &crossings);
    QCOMPARE(d.symbols.size(), 4);
    QCOMPARE(crossings, 0);
    const Symbol& l = symbolOf(d, lamp.name);
    const Symbol& v = symbolOf(d, meter.name);
    const Symbol& r = symbolOf(d, resistor.name);
    QCOMPARE(v.box.center().x(), l.box.center().x()); // right across the lamp
    QVERIFY(l.box.bottom() < v.box.top());
    QCOMPARE(l.positive.y(), r.positive.y()); // the lamp stays in the loop's row
    QVERIFY(v.positive.x() < v.negative.x());
    QCOMPARE(junctionCount(d), 2);
}

void DiagramLayoutTest::bridgeIsTheSquareDiamond() {
    const DiagramPart source = part(1, model::Source);
    QList<DiagramPart> arms;
    for (int k = 0; k < 5; ++k)
        arms.append(part(2 + k, model::Resistor));
    // 电源1∧ to the left corner; arms 0,1 over the top, 2,3 along the
    // bottom, 4 between the top and bottom corners.
    const DiagramSource circuit{{source, arms[0], arms[1], arms[2], arms[3], arms[4]},
                                {{plus(source), plus(arms[0])},
                                 {plus(arms[0]), plus(arms[2])},
                                 {minus(arms[0]), plus(arms[1])},
                                 {minus(arms[2]), plus(arms[3])},
                                 {minus(arms[1]), minus(arms[3])},
                                 {minus(arms[3]), minus(source)},
                                 {plus(arms[4]), plus(arms[1])},
                                 {minus(arms[4]), minus(arms[2])}}};
    int crossings = -1;
    const CircuitDiagram d = laidOut(circuit, &crossings);
    QCOMPARE(d.symbols.size(), 6);
    QCOMPARE(crossings, 0);
    const Symbol& middle = symbolOf(d, arms[4].name);
    QVERIFY(middle.vertical);
    for (int k = 0; k < 4; ++k)
        QVERIFY(!symbolOf(d, arms[k].name).vertical);
    QCOMPARE(symbolOf(d, arms[0].name).positive.y(), symbolOf(d, arms[1].name).positive.y());
    QCOMPARE(symbolOf(d, arms[2].name).positive.y(), symbolOf(d, arms[3].name).positive.y());
    // Upright between the joints of the two rows.
    const Symbol& upper =
        symbolOf(d, arms[0].name).positive.y() < symbolOf(d, arms[2].name).positive.y()
            ? symbolOf(d, arms[0].name)
            : symbolOf(d, arms[2].name);
    const Symbol& lower = &upper == &symbolOf(d, arms[0].name) ? symbolOf(d, arms[2].name)
                                                               : symbolOf(d, arms[0].name);
    QVERIFY(upper.positive.y() < std::min(middle.positive.y(), middle.negative.y()));
    QVERIFY(std::max(middle.positive.y(), middle.negative.y()) < lower.positive.y());
    QVERIFY(upper.box.right() < middle.box.left());
    QVERIFY(lower.box.right() < middle.box.left());
    QCOMPARE(junctionCount(d), 4);
}

void DiagramLayoutTest::deadBranchHangsBelowTheRow() {
    const DiagramPart source = part(1, model::Source);
    const DiagramPart lamp = part(2, model::Lamp);
    const DiagramPart resistor = part(3, model::Resistor);
    const DiagramPart dead = part(4, model::Lamp);
    const DiagramSource circuit{{source, lamp, resistor, dead},
                                {{plus(source), plus(lamp)},
                                 {minus(lamp), plus(resistor)},
                                 {minus(resistor), minus(source)},
                                 {minus(lamp), plus(dead)}}};
    int crossings = -1;
    const CircuitDiagram d = laidOut(circuit, &crossings);
    QCOMPARE(d.symbols.size(), 4);
    QCOMPARE(crossings, 0);
    const Symbol& row = symbolOf(d, lamp.name);
    const Symbol& hanging = symbolOf(d, dead.name);
    QVERIFY(row.box.bottom() < hanging.box.top());
    QVERIFY(row.box.right() < hanging.box.left() + cell::length);
    QVERIFY(hanging.look != SymbolLook::Unwired);
    QCOMPARE(junctionCount(d), 1);
}

void DiagramLayoutTest::unwiredPartsStandAsideGreyed() {
    const DiagramPart source = part(1, model::Source);
    const DiagramPart lamp = part(2, model::Lamp);
    const DiagramPart aside = part(3, model::Motor);
    const DiagramSource circuit{{source, lamp, aside},
                                {{plus(source), plus(lamp)}, {minus(lamp), minus(source)}}};
    const CircuitDiagram d = laidOut(circuit);
    QCOMPARE(d.symbols.size(), 3);
    const Symbol& m = symbolOf(d, aside.name);
    QCOMPARE(m.look, SymbolLook::Unwired);
    QCOMPARE(symbolOf(d, lamp.name).look, SymbolLook::Normal);
    for (const Symbol& other : d.symbols)
        if (other.name != aside.name)
            QVERIFY(other.box.bottom() < m.box.top());
}

void DiagramLayoutTest::partsSeparateFromTheSourceStandBeside() {
    const DiagramPart lamp = part(1, model::Lamp);
    const DiagramPart source = part(2, model::Source);
    const DiagramPart switch1 = part(3, model::Switch);
    const DiagramPart lamp2 = part(4, model::Lamp);
    const DiagramSource circuit{{lamp, source, switch1, lamp2},
                                {{plus(lamp), plus(switch1)},
                                 {minus(switch1), minus(lamp)},
                                 {plus(source), plus(lamp2)},
                                 {minus(lamp2), minus(source)}}};
    const CircuitDiagram d = laidOut(circuit);
    QCOMPARE(d.symbols.size(), 4);
    // The source's own loop first, on the left.
    const Symbol& s = symbolOf(d, source.name);
    QVERIFY(s.vertical);
    QVERIFY(symbolOf(d, lamp2.name).box.right() < symbolOf(d, lamp.name).box.left());
    QVERIFY(symbolOf(d, lamp2.name).box.right() < symbolOf(d, switch1.name).box.left());
}

void DiagramLayoutTest::shortedLampKeepsItsWireBeside() {
    const DiagramPart source = part(1, model::Source);
    const DiagramPart lamp1 = part(2, model::Lamp);
    const DiagramPart lamp2 = part(3, model::Lamp);
    const DiagramSource circuit{{source, lamp1, lamp2},
                                {{plus(source), plus(lamp1)},
                                 {minus(lamp1), plus(lamp2)},
                                 {minus(lamp2), minus(source)},
                                 {plus(lamp1), minus(lamp1)}}};
    int crossings = -1;
    const CircuitDiagram d = laidOut(circuit, &crossings);
    QCOMPARE(d.symbols.size(), 3);
    QCOMPARE(crossings, 0);
    QCOMPARE(symbolOf(d, lamp1.name).positive.y(), symbolOf(d, lamp2.name).positive.y());
}

void DiagramLayoutTest::anyMeshIsLaidOutSoundly_data() {
    QTest::addColumn<int>("parts");
    QTest::addColumn<Joins>("joins");
    // Every pair of four nodes joined twice over, and the whole of five.
    QTest::addRow("doubled complete four")
        << 12 << Joins{{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3},
                       {1, 0}, {2, 0}, {3, 0}, {2, 1}, {3, 1}, {3, 2}};
    QTest::addRow("complete five") << 10 << Joins{{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 2},
                                                  {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
    QTest::addRow("two bridges in series with a cross")
        << 8 << Joins{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}, {1, 3}, {0, 3}, {1, 2}};
}

void DiagramLayoutTest::anyMeshIsLaidOutSoundly() {
    QFETCH(int, parts);
    QFETCH(Joins, joins);
    DiagramSource circuit;
    QList<QStringList> nodes(5);
    for (int k = 0; k < parts; ++k) {
        const DiagramPart p = part(k + 1, k == 0 ? model::Source : model::Resistor);
        circuit.parts.append(p);
        nodes[joins[k].first].append(plus(p));
        nodes[joins[k].second].append(minus(p));
    }
    for (const QStringList& node : nodes)
        for (qsizetype k = 1; k < node.size(); ++k)
            circuit.wires.append({node[k - 1], node[k]});
    const CircuitDiagram d = laidOut(circuit);
    QCOMPARE(d.symbols.size(), parts);
}

void DiagramLayoutTest::randomExperiments_data() {
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("count");
    QTest::addRow("series-parallel") << int(diagram_circuits::Shape::SeriesParallel) << 2000;
    QTest::addRow("bridge") << int(diagram_circuits::Shape::Bridge) << 1000;
    QTest::addRow("anything") << int(diagram_circuits::Shape::Any) << 2000;
}

void DiagramLayoutTest::randomExperiments() {
    QFETCH(int, shape);
    QFETCH(int, count);
    const auto kind = diagram_circuits::Shape(shape);
    for (int seed = 1; seed <= count; ++seed) {
        diagram_circuits::Generator generator(quint32(seed * 7919 + shape));
        const model::Experiment experiment = generator.generate(kind);
        const DiagramSource source = diagramSource(experiment, analysis::analyse(experiment));
        const diagram_checks::Report report = diagram_checks::check(source, layOut(source));
        QVERIFY2(report.fault.isEmpty(),
                 qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(report.fault)));
        if (kind == diagram_circuits::Shape::Any)
            continue;
        // Drawn as blocks, never as buses, and so without a crossing.
        const DiagramGraph graph = diagramGraph(source);
        for (const QList<int>& group : connectedGroups(graph))
            QVERIFY2(reduceLoop(graph, group, groupRoot(graph, group)),
                     qPrintable(QStringLiteral("seed %1 does not reduce").arg(seed)));
        QVERIFY2(
            report.crossings == 0,
            qPrintable(QStringLiteral("seed %1: %2 crossings").arg(seed).arg(report.crossings)));
    }
}

void DiagramLayoutTest::checksCatchBrokenDiagrams_data() {
    QTest::addColumn<int>("breakage");
    QTest::addRow("symbol moved onto another") << 0;
    QTest::addRow("wire cut") << 1;
    QTest::addRow("slanting wire") << 2;
    QTest::addRow("two nets joined") << 3;
    QTest::addRow("wire through a symbol") << 4;
    QTest::addRow("junction dot missing") << 5;
}

void DiagramLayoutTest::checksCatchBrokenDiagrams() {
    QFETCH(int, breakage);
    const DiagramPart source = part(1, model::Source);
    const DiagramPart lamp1 = part(2, model::Lamp);
    const DiagramPart lamp2 = part(3, model::Lamp);
    const DiagramSource circuit{{source, lamp1, lamp2},
                                {{plus(source), plus(lamp1)},
                                 {plus(lamp1), plus(lamp2)},
                                 {minus(lamp2), minus(lamp1)},
                                 {minus(lamp1), minus(source)}}};
    CircuitDiagram d = layOut(circuit);
    QCOMPARE(diagram_checks::check(circuit, d).fault, QString());
    Net& first = d.nets.first();
    switch (breakage) {
    case 0:
        d.symbols[1].box = d.symbols[2].box;
        break;
    case 1:
        first.segments.removeLast();
        break;
    case 2:
        first.segments.first().to += QPoint(3, 5);
        break;
    case 3:
        first.terminals += d.nets.last().terminals;
        d.nets.removeLast();
        break;
    case 4:
        first.segments.append(
            {d.symbols[1].box.center() - QPoint(50, 0), d.symbols[1].box.center() + QPoint(50, 0)});
        break;
    case 5:
        first.junctions.clear();
        break;
    }
    QVERIFY(!diagram_checks::check(circuit, d).fault.isEmpty());
}

QTEST_GUILESS_MAIN(DiagramLayoutTest)
#include "tst_diagram_layout.moc"
