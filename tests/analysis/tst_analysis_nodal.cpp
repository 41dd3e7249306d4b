// Networks the reduction cannot shrink, solved by their node potentials:
// which branches carry current, the potentials themselves, and what the
// analysis shows for bridges, meshes and the parts hanging from them.
#include "circuit.h"

#include "analysis/current_paths.h"
#include "analysis/node_potentials.h"
#include "analysis/status_texts.h"
#include "model/picture_choice.h"

#include <cmath>
#include <functional>

using namespace ampery;
using analysis::AnalysisOutcome;
using analysis::Branch;
using model::Field;
namespace picture = model::picture;

namespace {

using Build = std::function<void(Circuit&)>;
const QString closed = QStringLiteral("提示：电路畅通。");

// The five-branch bridge on a 6 V source: arms top–A, top–B, A–bottom and
// B–bottom, and `middle` from A to B. Wired by the caller's middle ends.
struct Bridge {
    QString source;
    QStringList arms;
};
Bridge bridge(Circuit& c, const QStringList& armOhms) {
    Bridge b{c.source(), {}};
    for (const QString& ohms : armOhms)
        b.arms.append(c.resistor(ohms));
    c.wires({pos(b.source), pos(b.arms[0]), pos(b.source), pos(b.arms[1]), neg(b.arms[0]),
             pos(b.arms[2]), neg(b.arms[1]), pos(b.arms[3]), neg(b.arms[2]), neg(b.source),
             neg(b.arms[3]), neg(b.source)});
    return b;
}
// Node A and node B of the bridge, as terminals to wire to.
QString nodeA(const Bridge& b) {
    return neg(b.arms[0]);
}
QString nodeB(const Bridge& b) {
    return neg(b.arms[1]);
}

// Six resistors joining four nodes each to each: no node has two
// branches, no two branches share both nodes. Hangs from `at` by one node.
void completeFour(Circuit& c, const QString& at) {
    QStringList r;
    for (int k = 0; k < 6; ++k)
        r.append(c.resistor(QString::number(10 + k)));
    // Nodes: 0 = r0∧ r1∧ r2∧; 1 = r0∨ r3∧ r4∧; 2 = r1∨ r3∨ r5∧; 3 = r2∨ r4∨ r5∨.
    c.wires({pos(r[0]), pos(r[1]), pos(r[0]), pos(r[2]), neg(r[0]), pos(r[3]), neg(r[0]), pos(r[4]),
             neg(r[1]), neg(r[3]), neg(r[1]), pos(r[5]), neg(r[2]), neg(r[4]), neg(r[2]),
             neg(r[5])});
    if (!at.isEmpty())
        c.wires({at, pos(r[0])});
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TestAnalysisNodal : public QObject {
    Q_OBJECT
private slots:
    // Branches as "from-to" node pairs; the driver is the first.
    void closedPaths_data() {
        QTest::addColumn<QStringList>("branches");
        QTest::addColumn<QList<bool>>("live");
        QTest::addRow("one loop") << QStringList{"0-1", "1-2", "2-0"}
                                  << QList<bool>{true, true, true};
        QTest::addRow("a branch hanging from the loop")
            << QStringList{"0-1", "1-0", "1-2"} << QList<bool>{true, true, false};
        QTest::addRow("a loop hanging by one node")
            << QStringList{"0-1", "1-0", "1-2", "2-1", "2-3", "3-2"}
            << QList<bool>{true, true, false, false, false, false};
        QTest::addRow("the bridge") << QStringList{"0-3", "0-1", "0-2", "1-3", "2-3", "1-2"}
                                    << QList<bool>{true, true, true, true, true, true};
        QTest::addRow("a loop not joined to it")
            << QStringList{"0-1", "1-0", "2-3", "3-2"} << QList<bool>{true, true, false, false};
        QTest::addRow("a branch from a node to itself")
            << QStringList{"0-1", "1-0", "1-1"} << QList<bool>{true, true, false};
        QTest::addRow("an end in no node")
            << QStringList{"0-1", "1--1", "1-0"} << QList<bool>{true, false, true};
        QTest::addRow("a driver on no closed path")
            << QStringList{"0-1", "1-2", "2-3", "3-2"} << QList<bool>{false, false, false, false};
        QTest::addRow("two loops joined by a path through the driver's")
            << QStringList{"0-1", "1-2", "2-0", "2-3", "3-4", "4-2"}
            << QList<bool>{true, true, true, false, false, false};
    }
    void closedPaths() {
        QFETCH(QStringList, branches);
        QFETCH(QList<bool>, live);
        std::vector<Branch> list;
        int nodes = 0;
        for (const QString& b : branches) {
            const qsizetype cut = b.indexOf('-', 1);
            list.push_back({b.left(cut).toInt(), b.mid(cut + 1).toInt()});
            nodes = std::max({nodes, list.back().from + 1, list.back().to + 1});
        }
        const std::vector<bool> got = analysis::onClosedPathThrough(list, nodes, 0);
        QCOMPARE(QList<bool>(got.begin(), got.end()), live);
    }

    // A ring of many branches is searched without running out of stack.
    void longRing() {
        constexpr int size = 200000;
        std::vector<Branch> ring;
        for (int k = 0; k < size; ++k)
            ring.push_back({k, (k + 1) % size});
        const std::vector<bool> got = analysis::onClosedPathThrough(ring, size, size / 2);
        QVERIFY(std::all_of(got.begin(), got.end(), [](bool b) { return b; }));
    }

    // Node 0 held at 6 V, node 1 at 0 V; conductances as "from-to:siemens".
    // Expected potentials per node, "none" where there is no solution.
    void potentials_data() {
        QTest::addColumn<QStringList>("conductances");
        QTest::addColumn<QString>("expected");
        QTest::addRow("divider") << QStringList{"0-2:0.1", "2-1:0.3"} << "6 0 1.5";
        QTest::addRow("balanced bridge")
            << QStringList{"0-2:0.1", "0-3:0.05", "2-1:0.05", "3-1:0.025", "2-3:0.2"} << "6 0 4 4";
        QTest::addRow("node reached only through nothing")
            << QStringList{"0-2:0", "2-1:0"} << "none";
        QTest::addRow("conductances that cancel") << QStringList{"0-2:1", "2-1:-1"} << "none";
        QTest::addRow("a conductance that is no number")
            << QStringList{"0-2:nan", "2-1:1"} << "none";
        QTest::addRow("an infinite conductance") << QStringList{"0-2:inf", "2-1:1"} << "none";
    }
    void potentials() {
        QFETCH(QStringList, conductances);
        QFETCH(QString, expected);
        std::vector<analysis::Conductance> list;
        int nodes = 2;
        for (const QString& c : conductances) {
            const QStringList ends = c.section(':', 0, 0).split('-');
            list.push_back({ends[0].toInt(), ends[1].toInt(), c.section(':', 1).toDouble()});
            nodes = std::max({nodes, list.back().from + 1, list.back().to + 1});
        }
        const auto got = analysis::nodePotentials(nodes, list, {{0, 6.0}, {1, 0.0}});
        if (expected == "none") {
            QVERIFY(!got);
            return;
        }
        QVERIFY(got);
        QStringList texts;
        for (const double p : *got)
            texts.append(QString::number(p, 'g', 15));
        QCOMPARE(texts.join(' '), expected);
    }

    // A large ladder of equal conductances, with crossings so that no stage
    // is in series, goes through the sparse factorisation; its middle lies
    // at half the source voltage by symmetry.
    void largeSymmetricMesh() {
        constexpr int rows = 30;
        std::vector<analysis::Conductance> list;
        // Nodes 2 + 2k and 3 + 2k form rung k; node 0 holds 6 V, node 1 0 V.
        const auto left = [](int k) { return 2 + 2 * k; };
        const auto right = [](int k) { return 3 + 2 * k; };
        for (int k = 0; k < rows; ++k) {
            list.push_back({left(k), right(k), 1.0});
            if (k + 1 < rows) {
                list.push_back({left(k), left(k + 1), 1.0});
                list.push_back({right(k), right(k + 1), 1.0});
                list.push_back({left(k), right(k + 1), 0.5});
                list.push_back({right(k), left(k + 1), 0.5});
            }
        }
        list.push_back({0, left(0), 1.0});
        list.push_back({0, right(0), 1.0});
        list.push_back({left(rows - 1), 1, 1.0});
        list.push_back({right(rows - 1), 1, 1.0});
        const auto got = analysis::nodePotentials(2 + 2 * rows, list, {{0, 6.0}, {1, 0.0}});
        QVERIFY(got);
        for (int k = 0; k < rows; ++k) {
            QVERIFY(std::abs((*got)[std::size_t(left(k))] - (*got)[std::size_t(right(k))]) == 0.0);
            const double mirrored = 6.0 - (*got)[std::size_t(left(rows - 1 - k))];
            QVERIFY(std::abs((*got)[std::size_t(left(k))] - mirrored) < 1e-12);
        }
    }

    void networks_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<std::function<QStringList(const Circuit&)>>("steps");
        using Steps = std::function<QStringList(const Circuit&)>;

        // Arms 10, 20, 20, 10 Ω and 5 Ω across: by the current law at A and B,
        // 7 A − 4 B = 12 and 4 A − 7 B = −6, so A = 36/11 V, B = 30/11 V; the
        // arms carry 3/11 A and 9/55 A, the middle 6/55 A from A to B. Each
        // row wires the 5 Ω middle, and a meter in or across it.
        const QStringList wheatstone{
            "电阻1@6@3.272727272727@0.2727272727273", "电阻2@6@2.727272727273@0.1636363636364",
            "电阻3@3.272727272727@0@0.1636363636364", "电阻4@2.727272727273@0@0.2727272727273",
            "电阻5@3.272727272727@2.727272727273@0.1090909090909"};
        using Middle = std::function<void(Circuit&, const Bridge&)>;
        const auto unbalanced = [&](const char* tag, const Middle& middle, const QString& piece,
                                    const QString& meter, int picture) {
            QTest::addRow("unbalanced bridge%s", tag) << Build([middle](Circuit& c) {
                middle(c, bridge(c, {"10", "20", "20", "10"}));
            }) << closed + piece << wheatstone << Steps([meter, picture](const Circuit& c) {
                if (meter.isEmpty())
                    return QStringList{combineStep};
                return QStringList{c.show(meter, picture), combineStep};
            });
        };
        const auto ammeterInMiddle = [](const QString& range, bool turned) {
            return Middle([range, turned](Circuit& c, const Bridge& b) {
                const QString m = c.resistor("5");
                const QString a = c.ammeter(range);
                c.wires({nodeA(b), turned ? neg(a) : pos(a), turned ? pos(a) : neg(a), pos(m),
                         neg(m), nodeB(b)});
            });
        };
        const auto voltmeterAcross = [](bool turned) {
            return Middle([turned](Circuit& c, const Bridge& b) {
                const QString m = c.resistor("5");
                const QString v = c.voltmeter();
                c.wires({nodeA(b), pos(m), neg(m), nodeB(b)});
                c.wires({turned ? neg(v) : pos(v), nodeA(b), turned ? pos(v) : neg(v), nodeB(b)});
            });
        };
        unbalanced(
            "",
            [](Circuit& c, const Bridge& b) {
                const QString m = c.resistor("5");
                c.wires({nodeA(b), pos(m), neg(m), nodeB(b)});
            },
            {}, {}, 0);
        unbalanced(", an ammeter in the middle", ammeterInMiddle("1", false),
                   "   电流器1测量值为：0.1090909090909安培", "电流器1", picture::ammeterFirst + 1);
        unbalanced(", an ammeter of 0.1 A in the middle", ammeterInMiddle("0.1", false),
                   "   电流器1电流超出了电流器1的测量范围！", "电流器1", picture::ammeterFirst + 3);
        unbalanced(", the ammeter turned round", ammeterInMiddle("1", true),
                   "   电流器1电流与电流器1的规定电流方向相反，无法测得真实结果！", "电流器1",
                   picture::ammeterFirst);
        // A voltmeter reads the potentials as the records write them:
        // 3.272727272727 − 2.727272727273.
        unbalanced(", a voltmeter across the middle", voltmeterAcross(false),
                   "   电压器1测量值为：0.545454545454伏特", "电压器1",
                   picture::voltmeterFirst + 1);
        unbalanced(", the voltmeter turned round", voltmeterAcross(true),
                   "   电压器1负极电势大于正极电势，无法测得真实结果！", "电压器1",
                   picture::voltmeterFirst);

        // 10 / 20 = 20 / 40: A and B both at 4 V, and nothing between them.
        const QStringList balanced{"电阻1@6@4@0.2", "电阻2@6@4@0.1", "电阻3@4@0@0.2",
                                   "电阻4@4@0@0.1"};
        QTest::addRow("balanced bridge, a lamp across")
            << Build([](Circuit& c) {
                   const Bridge b = bridge(c, {"10", "20", "20", "40"});
                   const QString l = c.lamp("5", "1");
                   c.wires({nodeA(b), pos(l), neg(l), nodeB(b)});
               })
            << closed << (QStringList(balanced) << "电灯1@4@4@0") << Steps([](const Circuit& c) {
                   return QStringList{c.show("电灯1", picture::lampDark), combineStep};
               });
        QTest::addRow("balanced bridge, an ammeter in the middle")
            << Build([](Circuit& c) {
                   const Bridge b = bridge(c, {"10", "20", "20", "40"});
                   const QString a = c.ammeter();
                   const QString m = c.resistor("5");
                   c.wires({nodeA(b), pos(a), neg(a), pos(m), neg(m), nodeB(b)});
               })
            << closed + "   电流器1测量值为：0安培" << (QStringList(balanced) << "电阻5@4@4@0")
            << Steps([](const Circuit& c) {
                   return QStringList{c.show("电流器1", picture::ammeterFirst), combineStep};
               });
        // Four nodes joined each to each, beside a lamp on the source: hanging
        // from the source's "∧", or joined to nothing. No current path runs
        // through them; hanging, they are joined as dead, so a voltmeter
        // across one reads nothing; apart, a voltmeter from them to the
        // circuit has an end on no part with a record.
        for (const auto& [hangs, lead, piece] :
             {std::tuple{true, "电阻1∨", "   电压器1测量值为：0伏特"},
              std::tuple{false, "电灯1∧", "   电压器1某端空接或者与无效电路连接。"}}) {
            QTest::addRow("a network %s", hangs ? "hanging by one node" : "joined to nothing")
                << Build([hangs, lead = QString(lead)](Circuit& c) {
                       const QString s = c.source();
                       const QString l = c.lamp();
                       c.wires({pos(s), pos(l), neg(l), neg(s)});
                       completeFour(c, hangs ? pos(s) : QString());
                       const QString v = c.voltmeter();
                       c.wires({pos(v), lead, neg(v), "电阻6∨"});
                   })
                << closed + piece << QStringList{"电灯1@6@0@0.6"} << Steps([](const Circuit& c) {
                       return QStringList{c.show("电灯1", picture::lampBright),
                                          c.show("电压器1", picture::voltmeterFirst), combineStep};
                   });
        }
        // Each terminal of the source leads into its own such network: no
        // current path goes through the source.
        QTest::addRow("no path through the source")
            << Build([](Circuit& c) {
                   const QString s = c.source();
                   completeFour(c, pos(s));
                   completeFour(c, neg(s));
               })
            << QStringLiteral("提示：电源没有形成回路。") << QStringList{}
            << Steps([](const Circuit&) {
                   return QStringList{stopMotors, combineStep};
               });
        // A motor in the middle of an unbalanced bridge turns, the current
        // running through it from B to A.
        QTest::addRow("a motor across a bridge")
            << Build([](Circuit& c) {
                   const Bridge b = bridge(c, {"20", "10", "10", "20"});
                   const QString m = c.motor("5", "1");
                   c.wires({nodeA(b), pos(m), neg(m), nodeB(b)});
               })
            << closed
            << QStringList{"电阻1@6@2.727272727273@0.1636363636364",
                           "电阻2@6@3.272727272727@0.2727272727273",
                           "电阻3@2.727272727273@0@0.2727272727273",
                           "电阻4@3.272727272727@0@0.1636363636364",
                           "电动机1@2.727272727273@3.272727272727@-0.1090909090909"}
            << Steps([](const Circuit& c) {
                   return QStringList{c.slot(9, "电动机1", 0, 800), combineStep};
               });
    }
    void networks() {
        QFETCH(Build, build);
        QFETCH(QString, status);
        QFETCH(QStringList, records);
        using Steps = std::function<QStringList(const Circuit&)>;
        QFETCH(Steps, steps);
        Circuit c;
        build(c);
        const AnalysisOutcome o = c.analyse();
        QVERIFY(!o.gaveUp);
        QCOMPARE(o.status, status);
        QCOMPARE(o.solved, status.startsWith(closed));
        QCOMPARE(recordTexts(o), records);
        QCOMPARE(c.steps(o), steps(c));
    }

    // Only one source is solved: a second one, which only a hand-edited file
    // can hold, as the middle of a bridge gives the network up.
    void secondSourceGivesUp() {
        Circuit c;
        const Bridge b = bridge(c, {"10", "20", "20", "10"});
        const QString second = c.addNamed("电源2", model::Source, {{Field::Voltage, "3"}});
        c.wires({nodeA(b), pos(second), neg(second), nodeB(b)});
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.gaveUp);
        QVERIFY(!o.solved);
        QCOMPARE(o.status, analysis::texts::beyondAnalysis());
        QVERIFY(o.results.isEmpty());
        // Motors of an earlier analysis would otherwise go on turning.
        QCOMPARE(c.steps(o), QStringList{stopMotors});
    }
};

QTEST_GUILESS_MAIN(TestAnalysisNodal)
#include "tst_analysis_nodal.moc"
