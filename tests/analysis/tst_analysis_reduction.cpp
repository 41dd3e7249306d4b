// The series-parallel reduction.
#include "circuit.h"
#include "reduction_run.h"

#include "analysis/status_texts.h"

using namespace ampery;
using analysis::AnalysisOutcome;
using analysis::ReductionEnd;

class TestAnalysisReduction : public QObject {
    Q_OBJECT
private slots:
    // Three resistors, two in parallel: the nodes, the equivalents, the records.
    void workedExample() {
        Circuit c;
        const QString s = c.source();
        const QString r1 = c.resistor("10");
        const QString r2 = c.resistor("20");
        const QString r3 = c.resistor("20");
        c.wires({pos(s), pos(r1), neg(r1), pos(r2), pos(r2), pos(r3), neg(r2), neg(r3), neg(r3),
                 neg(s)});
        const ReductionRun run(c);
        QCOMPARE(run.fullNodes(),
                 QStringList({"电源1∧|电阻1∧", "电阻1∨|电阻2∧|电阻3∧", "电阻2∨|电阻3∨|电源1∨"}));
        QCOMPARE(int(run.reduction().end), int(ReductionEnd::Reduced));
        QCOMPARE(run.reduction().passes, 2);
        QCOMPARE(run.definitions(),
                 QStringList({"拟电阻1 ∧电阻2|∧电阻3 10", "拟电阻2 ∧电阻1&10—∧拟电阻1 20"}));
        QCOMPARE(run.workingNodes(), QStringList({"电源1∧|拟电阻2∧", "拟电阻2∨|电源1∨"}));

        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QCOMPARE(o.status, QStringLiteral("提示：电路畅通。"));
        QCOMPARE(recordTexts(o),
                 QStringList({"电阻1@6@3@0.3", "电阻2@3@0@0.15", "电阻3@3@0@0.15"}));
    }

    void sourceAndOneLamp() {
        Circuit c;
        const QString s = c.source();
        const QString l = c.lamp();
        c.wires({pos(s), pos(l), neg(l), neg(s)});
        const ReductionRun run(c);
        QCOMPARE(run.reduction().passes, 0);
        QVERIFY(run.definitions().isEmpty());
    }

    // The four series rows: which terminals meet in the middle node.
    void seriesOrientation_data() {
        QTest::addColumn<bool>("firstMiddlePositive");
        QTest::addColumn<bool>("secondMiddlePositive");
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QStringList>("records");
        QTest::addRow("j∨ m∨") << false << false << "∧电阻1&10—∨电阻2"
                               << QStringList{"电阻1@6@4@0.2", "电阻2@0@4@-0.2"};
        QTest::addRow("j∧ m∧") << true << true << "∨电阻1&10—∧电阻2"
                               << QStringList{"电阻1@4@6@-0.2", "电阻2@4@0@0.2"};
        QTest::addRow("j∧ m∨") << true << false << "∨电阻1&10—∨电阻2"
                               << QStringList{"电阻1@4@6@-0.2", "电阻2@0@4@-0.2"};
        QTest::addRow("j∨ m∧") << false << true << "∧电阻1&10—∧电阻2"
                               << QStringList{"电阻1@6@4@0.2", "电阻2@4@0@0.2"};
    }
    void seriesOrientation() {
        QFETCH(bool, firstMiddlePositive);
        QFETCH(bool, secondMiddlePositive);
        QFETCH(QString, definition);
        QFETCH(QStringList, records);
        Circuit c;
        const QString s = c.source();
        const QString r1 = c.resistor("10");
        const QString r2 = c.resistor("20");
        const auto middle = [](const QString& name, bool positive) {
            return positive ? pos(name) : neg(name);
        };
        c.wires({pos(s), middle(r1, !firstMiddlePositive), middle(r1, firstMiddlePositive),
                 middle(r2, secondMiddlePositive), middle(r2, !secondMiddlePositive), neg(s)});
        const ReductionRun run(c);
        QCOMPARE(run.definitions(), QStringList{"拟电阻1 " + definition + " 30"});
        // The equivalent's "∧" takes the place of j's outer terminal.
        QCOMPARE(run.workingNodes(), QStringList({"电源1∧|拟电阻1∧", "拟电阻1∨|电源1∨"}));
        QCOMPARE(recordTexts(c.analyse()), records);
    }

    // The four parallel rows: the orientation of the two parts and which of
    // the two nodes comes first.
    void parallelOrientation_data() {
        QTest::addColumn<QStringList>("wires");
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QStringList>("nodes");
        QTest::addColumn<QStringList>("records");
        QTest::addRow("alike, positive node first")
            << QStringList{"电源1∧", "电阻1∧", "电源1∧", "电阻2∧",
                           "电阻1∨", "电源1∨", "电阻2∨", "电源1∨"}
            << "∧电阻1|∧电阻2" << QStringList{"电源1∧|拟电阻1∧", "拟电阻1∨|电源1∨"}
            << QStringList{"电阻1@6@0@0.6", "电阻2@6@0@0.6"};
        QTest::addRow("alike, negative node first")
            << QStringList{"电阻1∨", "电源1∨", "电阻2∨", "电源1∨",
                           "电源1∧", "电阻1∧", "电源1∧", "电阻2∧"}
            << "∧电阻1|∧电阻2" << QStringList{"拟电阻1∨|电源1∨", "电源1∧|拟电阻1∧"}
            << QStringList{"电阻1@6@0@0.6", "电阻2@6@0@0.6"};
        QTest::addRow("opposite, positive node first")
            << QStringList{"电源1∧", "电阻1∧", "电源1∧", "电阻2∨",
                           "电阻1∨", "电源1∨", "电阻2∧", "电源1∨"}
            << "∧电阻1|∨电阻2" << QStringList{"电源1∧|拟电阻1∧", "拟电阻1∨|电源1∨"}
            << QStringList{"电阻1@6@0@0.6", "电阻2@0@6@-0.6"};
        QTest::addRow("opposite, negative node first")
            << QStringList{"电阻1∨", "电源1∨", "电阻2∧", "电源1∨",
                           "电源1∧", "电阻1∧", "电源1∧", "电阻2∨"}
            << "∨电阻1|∧电阻2" << QStringList{"拟电阻1∧|电源1∨", "电源1∧|拟电阻1∨"}
            << QStringList{"电阻1@6@0@0.6", "电阻2@0@6@-0.6"};
    }
    void parallelOrientation() {
        QFETCH(QStringList, wires);
        QFETCH(QString, definition);
        QFETCH(QStringList, nodes);
        QFETCH(QStringList, records);
        Circuit c;
        c.source();
        c.resistor("10");
        c.resistor("10");
        c.wires(wires);
        const ReductionRun run(c);
        QCOMPARE(run.definitions(), QStringList{"拟电阻1 " + definition + " 5"});
        QCOMPARE(run.workingNodes(), nodes);
        QCOMPARE(recordTexts(c.analyse()), records);
    }

    // The second series pair takes the lower list position as j, so the
    // second equivalent names the first one as its part B.
    void threeInSeries() {
        Circuit c;
        const QString s = c.source();
        const QString r1 = c.resistor("10");
        const QString r2 = c.resistor("20");
        const QString r3 = c.resistor("30");
        c.wires({pos(s), pos(r1), neg(r1), pos(r2), neg(r2), pos(r3), neg(r3), neg(s)});
        const ReductionRun run(c);
        QCOMPARE(run.definitions(),
                 QStringList({"拟电阻1 ∧电阻1&10—∧电阻2 30", "拟电阻2 ∨电阻3&30—∨拟电阻1 60"}));
        QCOMPARE(run.workingNodes(), QStringList({"电源1∧|拟电阻2∨", "拟电阻2∧|电源1∨"}));
        QCOMPARE(recordTexts(c.analyse()),
                 QStringList({"电阻3@3@0@0.1", "电阻1@6@5@0.1", "电阻2@5@3@0.1"}));
    }

    // Lamp B (one end unwired) goes as unconnected in pass 1; lamp A, then
    // alone at one end, as lone in pass 2. Both end joined in the full node
    // list.
    void deadBranchAcrossPasses() {
        Circuit c;
        const QString s = c.source();
        const QString r = c.resistor("10");
        const QString a = c.lamp();
        const QString b = c.lamp();
        c.wires({pos(s), pos(r), neg(r), neg(s), pos(a), pos(s), neg(a), pos(b)});
        const ReductionRun run(c);
        QCOMPARE(int(run.reduction().end), int(ReductionEnd::Reduced));
        QCOMPARE(run.reduction().passes, 2);
        QVERIFY(run.definitions().isEmpty());
        QCOMPARE(run.fullNodes(),
                 QStringList({"电源1∧|电阻1∧|电灯1∧|电灯1∨|电灯2∧|电灯2∨", "电阻1∨|电源1∨"}));
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(recordTexts(o), QStringList{"电阻1@6@0@0.6"});
        // Lamps without a record are put at rest by the rest pass.
        QCOMPARE(c.steps(o), QStringList({c.show(a, 3), c.show(b, 3), combineStep}));
    }

    // A dead equivalent: lamps A and B hang in series from the loop, and C
    // beyond them has an open end. Pass 1 removes C and combines A and B;
    // pass 2 finds the equivalent alone at one end and marks both lamps dead.
    void deadEquivalentMarksItsParts() {
        Circuit c;
        const QString s = c.source();
        const QString r = c.resistor("10");
        const QString a = c.lamp();
        const QString b = c.lamp();
        const QString d = c.lamp();
        c.wires({pos(s), pos(r), neg(r), neg(s), pos(s), pos(a), neg(a), pos(b), neg(b), pos(d)});
        const ReductionRun run(c);
        QCOMPARE(run.reduction().passes, 2);
        QCOMPARE(run.definitions(), QStringList{"拟电阻1 ∧电灯1&10—∧电灯2 20"});
        QCOMPARE(run.fullNodes(),
                 QStringList(
                     {"电源1∧|电阻1∧|电灯1∧|电灯1∨|电灯2∧|电灯2∨|电灯3∧|电灯3∨", "电阻1∨|电源1∨"}));
        QCOMPARE(recordTexts(c.analyse()), QStringList{"电阻1@6@0@0.6"});
    }

    // Each pass of a ladder reduces its last stage, however many passes
    // that takes.
    void ladderTakesAPassPerStage_data() {
        QTest::addColumn<int>("stages");
        QTest::addRow("3 stages") << 3;
        QTest::addRow("199 stages") << 199;
        QTest::addRow("200 stages") << 200;
        QTest::addRow("250 stages") << 250;
    }
    void ladderTakesAPassPerStage() {
        QFETCH(int, stages);
        Circuit c;
        buildLadder(c, stages);
        {
            const ReductionRun run(c);
            QCOMPARE(run.reduction().passes, stages);
            QCOMPARE(int(run.reduction().end), int(ReductionEnd::Reduced));
            QCOMPARE(run.reduction().equivalents.size(), std::size_t(2 * stages - 1));
        }
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QVERIFY(!o.gaveUp);
        QCOMPARE(o.results.size(), 2 * stages);
    }

    // A hand-edited file can give two components one name; they share their
    // terminals, and a terminal belongs to the first of them still in the
    // lists. Each row: the resistors after the source (name and ohms, in
    // number order) on the wires 电源1∧–电阻1∧, 电阻1∨–电阻2∧, 电阻2∨–电源1∨.
    // The first 电阻1 makes the series pair with 电阻2; the other, left in no
    // node, goes as unconnected in the second pass and gets no record.
    void sameNames_data() {
        QTest::addColumn<QStringList>("resistors");
        QTest::addColumn<QStringList>("definitions");
        QTest::addColumn<QStringList>("records");
        QTest::addRow("10 Ω 电阻1 first") << QStringList{"电阻1:10", "电阻1:20", "电阻2:10"}
                                          << QStringList{"拟电阻1 ∧电阻1&10—∧电阻2 20"}
                                          << QStringList{"电阻1@6@3@0.3", "电阻2@3@0@0.3"};
        QTest::addRow("20 Ω 电阻1 first") << QStringList{"电阻1:20", "电阻1:10", "电阻2:10"}
                                          << QStringList{"拟电阻1 ∧电阻1&20—∧电阻2 30"}
                                          << QStringList{"电阻1@6@2@0.2", "电阻2@2@0@0.2"};
        QTest::addRow("the second 电阻1 last") << QStringList{"电阻1:10", "电阻2:10", "电阻1:20"}
                                               << QStringList{"拟电阻1 ∧电阻1&10—∧电阻2 20"}
                                               << QStringList{"电阻1@6@3@0.3", "电阻2@3@0@0.3"};
    }
    void sameNames() {
        QFETCH(QStringList, resistors);
        QFETCH(QStringList, definitions);
        QFETCH(QStringList, records);
        Circuit c;
        const QString s = c.source();
        for (const QString& r : resistors) {
            const QStringList nameAndOhms = r.split(':');
            c.addNamed(nameAndOhms[0], model::Resistor,
                       {{model::Field::Resistance, nameAndOhms[1]}});
        }
        c.wires({pos(s), "电阻1∧", "电阻1∨", "电阻2∧", "电阻2∨", neg(s)});
        {
            const ReductionRun run(c);
            QCOMPARE(int(run.reduction().end), int(ReductionEnd::Reduced));
            QCOMPARE(run.reduction().passes, 2);
            QCOMPARE(run.definitions(), definitions);
            QCOMPARE(run.workingNodes(), QStringList({"电源1∧|拟电阻1∧", "拟电阻1∨|电源1∨"}));
        }
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QVERIFY(!o.gaveUp);
        QCOMPARE(o.status, analysis::texts::circuitClosed());
        QCOMPARE(recordTexts(o), records);
        QCOMPARE(c.steps(o), QStringList{combineStep});
    }

    // No series or parallel step shrinks a bridge: the first pass changes
    // nothing, and the reduction stops there with the network as it was.
    void bridgeStalls() {
        Circuit c;
        const QString s = c.source();
        QStringList r;
        for (const char* ohms : {"10", "20", "20", "10", "5"})
            r.append(c.resistor(ohms));
        c.wires({pos(s), pos(r[0]), pos(s), pos(r[1]), neg(r[0]), pos(r[2]), neg(r[1]), pos(r[3]),
                 neg(r[2]), neg(s), neg(r[3]), neg(s), neg(r[0]), pos(r[4]), neg(r[4]), neg(r[1])});
        const ReductionRun run(c);
        QCOMPARE(int(run.reduction().end), int(ReductionEnd::Stalled));
        QCOMPARE(run.reduction().passes, 1);
        QVERIFY(run.definitions().isEmpty());
        QCOMPARE(run.workingNodes(), QStringList({"电源1∧|电阻1∧|电阻2∧", "电阻1∨|电阻3∧|电阻5∧",
                                                  "电阻2∨|电阻4∧|电阻5∨", "电阻3∨|电源1∨|电阻4∨"}));
    }

    // The same bridge with an ammeter as its bridge branch: the ammeter joins
    // the two bridge nodes and the rest reduces.
    void bridgeWithAmmeterBranch() {
        Circuit c;
        const QString s = c.source();
        QStringList r;
        for (const char* ohms : {"10", "20", "20", "10"})
            r.append(c.resistor(ohms));
        const QString a = c.ammeter();
        c.wires({pos(s), pos(r[0]), pos(s), pos(r[1]), neg(r[0]), pos(r[2]), neg(r[1]), pos(r[3]),
                 neg(r[2]), neg(s), neg(r[3]), neg(s), neg(r[0]), pos(a), neg(a), neg(r[1])});
        const ReductionRun run(c);
        QCOMPARE(int(run.reduction().end), int(ReductionEnd::Reduced));
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QCOMPARE(recordTexts(o), QStringList({"电阻1@6@3@0.3", "电阻2@6@3@0.15", "电阻3@3@0@0.15",
                                              "电阻4@3@0@0.3"}));
        // 0.3 A arrive through 电阻1 and 0.15 A leave through 电阻3.
        QCOMPARE(o.status, QStringLiteral("提示：电路畅通。   电流器1测量值为：0.15安培"));
        QCOMPARE(c.steps(o), QStringList({c.show(a, 18), combineStep}));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisReduction)
#include "tst_analysis_reduction.moc"
