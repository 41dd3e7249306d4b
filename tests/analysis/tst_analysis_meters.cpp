// Solve, Distribute, the open-circuit voltmeter reading, the meter display
// rules and the meter readings in a closed circuit.
#include "circuit.h"

#include <functional>

using namespace ampery;
using analysis::AnalysisOutcome;
using model::Field;

namespace {
using Build = std::function<void(Circuit&)>;
const QString closed = QStringLiteral("提示：电路畅通。");
const QString open = QStringLiteral("提示：电源没有形成回路。");
} // namespace

Q_DECLARE_METATYPE(Build)

class TestAnalysisMeters : public QObject {
    Q_OBJECT
private slots:
    void distribute_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QStringList>("records");
        QTest::addRow("one lamp") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            c.wires({pos(s), pos(l), neg(l), neg(s)});
        }) << QStringList{"电灯1@6@0@0.6"};
        QTest::addRow("one lamp turned round") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            c.wires({pos(s), neg(l), pos(l), neg(s)});
        }) << QStringList{"电灯1@0@6@-0.6"};
        QTest::addRow("two in series") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString a = c.resistor("10");
            const QString b = c.resistor("10");
            c.wires({pos(s), pos(b), neg(b), pos(a), neg(a), neg(s)});
        }) << QStringList{"电阻1@3@0@0.3", "电阻2@6@3@0.3"};
        QTest::addRow("source voltage as written") << Build([](Circuit& c) {
            const QString s = c.source("4.5");
            const QString a = c.resistor("3");
            c.wires({pos(s), pos(a), neg(a), neg(s)});
        }) << QStringList{"电阻1@4.5@0@1.5"};
        QTest::addRow("thirteen digits") << Build([](Circuit& c) {
            const QString s = c.source("1");
            const QString a = c.resistor("3");
            c.wires({pos(s), pos(a), neg(a), neg(s)});
        }) << QStringList{"电阻1@1@0@0.3333333333333"};
        QTest::addRow("closed switch and ammeter get no record") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString k = c.closedSwitch();
            const QString a = c.ammeter();
            const QString l = c.lamp();
            c.wires({pos(s), pos(k), neg(k), pos(a), neg(a), pos(l), neg(l), neg(s)});
        }) << QStringList{"电灯1@6@0@0.6"};
    }
    void distribute() {
        QFETCH(Build, build);
        QFETCH(QStringList, records);
        Circuit c;
        build(c);
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QCOMPARE(recordTexts(o), records);
    }

    // A reduction that ends without a record: the source shares its node
    // with a terminal of no component, so Solve finds no two-part nodes.
    void noResultRecord() {
        Circuit c;
        const QString s = c.source();
        const QString l = c.lamp();
        c.wires({pos(s), pos(l), neg(l), neg(s), pos(s), "幽灵1∧"});
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(o.status, QString());
        QVERIFY(!o.solved);
        QVERIFY(o.results.isEmpty());
        // Motors of an earlier analysis would otherwise go on turning.
        QCOMPARE(c.steps(o), QStringList{stopMotors});
    }

    // The open-circuit voltmeter reading: only the source sets potentials.
    void openCircuit_data() {
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<int>("picture"); // -1: none
        QTest::addRow("reading") << "10" << false << "   电压器1测量值为：6伏特" << 23;
        QTest::addRow("full scale") << "6" << false << "   电压器1测量值为：6伏特" << 24;
        QTest::addRow("half scale") << "12" << false << "   电压器1测量值为：6伏特" << 22;
        QTest::addRow("over range")
            << "5" << false << "   电压器1两端电压超出了电压器1的测量范围！" << 24;
        QTest::addRow("reversed") << "10" << true
                                  << "   电压器1负极电势大于正极电势，无法测得真实结果！" << -1;
    }
    void openCircuit() {
        QFETCH(QString, range);
        QFETCH(bool, turned);
        QFETCH(QString, piece);
        QFETCH(int, picture);
        // A voltmeter across an open switch in series with a lamp.
        Circuit c;
        const QString s = c.source();
        const QString l = c.lamp();
        const QString k = c.openSwitch();
        const QString v = c.voltmeter(range);
        const QString a = c.ammeter();
        const QString m = c.motor();
        c.wires({pos(s), pos(l), neg(l), pos(k), neg(k), neg(s)});
        c.wires(turned ? QStringList{neg(v), pos(k), pos(v), neg(k)}
                       : QStringList{pos(v), pos(k), neg(v), neg(k)});
        c.wires({pos(a), neg(s), pos(m), neg(s)});
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(o.status, open + piece);
        QVERIFY(!o.solved);
        QStringList steps;
        if (picture >= 0)
            steps << c.show(v, picture) << combineStep;
        steps << stopMotors << c.show(l, 3) << c.show(a, 17) << combineStep;
        QCOMPARE(c.steps(o), steps);
    }

    void openCircuitVoltmeterAcrossTheSourceOnly() {
        Circuit c;
        const QString s = c.source("4.5");
        const QString v = c.voltmeter();
        c.wires({pos(v), pos(s), neg(v), neg(s)});
        QCOMPARE(c.analyse().status, open + "   电压器1测量值为：4.5伏特");
    }

    // A side that reaches no source terminal is unknown: nothing is shown,
    // and the voltmeter is on the done list, so reset displays passes it by.
    void openCircuitSideUnknown_data() {
        QTest::addColumn<bool>("shorted");
        QTest::addRow("beyond an open switch") << false;
        QTest::addRow("both terminals in one node") << true;
    }
    void openCircuitSideUnknown() {
        QFETCH(bool, shorted);
        Circuit c;
        const QString s = c.source();
        const QString l = c.lamp();
        const QString k = c.openSwitch();
        const QString k2 = c.openSwitch();
        const QString v = c.voltmeter();
        c.wires({pos(s), pos(l), neg(l), pos(k), neg(k), neg(s), pos(v), pos(l), neg(v)});
        c.wire(neg(v), shorted ? pos(l) : pos(k2));
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(o.status, open);
        QCOMPARE(c.steps(o), QStringList({stopMotors, c.show(l, 3), combineStep}));
    }

    // Meters in a solved circuit: each meter's piece and picture.
    void closedCircuitMeters_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QString>("pieces");
        QTest::addColumn<QStringList>("meterPictures"); // "name picture" in order

        const auto ammeterInSeries = [](const QString& range, bool turned) {
            return Build([range, turned](Circuit& c) {
                const QString s = c.source();
                const QString a = c.ammeter(range);
                const QString l = c.lamp();
                c.wires({pos(s), turned ? neg(a) : pos(a), turned ? pos(a) : neg(a), pos(l), neg(l),
                         neg(s)});
            });
        };
        QTest::addRow("ammeter reading")
            << ammeterInSeries("1", false) << "   电流器1测量值为：0.6安培"
            << QStringList{"电流器1 19"};
        QTest::addRow("ammeter reversed")
            << ammeterInSeries("1", true)
            << "   电流器1电流与电流器1的规定电流方向相反，无法测得真实结果！"
            << QStringList{"电流器1 17"};
        QTest::addRow("ammeter over range")
            << ammeterInSeries("0.5", false) << "   电流器1电流超出了电流器1的测量范围！"
            << QStringList{"电流器1 20"};
        QTest::addRow("ammeter at full scale")
            << ammeterInSeries("0.6", false) << "   电流器1测量值为：0.6安培"
            << QStringList{"电流器1 20"};
        QTest::addRow("ammeter at half scale")
            << ammeterInSeries("1.2", false) << "   电流器1测量值为：0.6安培"
            << QStringList{"电流器1 18"};

        const auto voltmeterAcrossLamp = [](int wiredEnds, const QString& volts) {
            return Build([wiredEnds, volts](Circuit& c) {
                const QString s = c.source(volts);
                const QString l = c.lamp();
                const QString v = c.voltmeter();
                c.wires({pos(s), pos(l), neg(l), neg(s)});
                if (wiredEnds >= 1)
                    c.wire(pos(v), pos(l));
                if (wiredEnds >= 2)
                    c.wire(neg(l), neg(v));
            });
        };
        QTest::addRow("voltmeter reading")
            << voltmeterAcrossLamp(2, "6") << "   电压器1测量值为：6伏特"
            << QStringList{"电压器1 23"};
        QTest::addRow("voltmeter at half scale")
            << voltmeterAcrossLamp(2, "5") << "   电压器1测量值为：5伏特"
            << QStringList{"电压器1 22"};
        QTest::addRow("voltmeter at full scale")
            << voltmeterAcrossLamp(2, "10") << "   电压器1测量值为：10伏特"
            << QStringList{"电压器1 24"};
        QTest::addRow("voltmeter over range")
            << voltmeterAcrossLamp(2, "12") << "   电压器1两端电压超出了电压器1的测量范围！"
            << QStringList{"电压器1 24"};
        QTest::addRow("voltmeter with one end unwired")
            << voltmeterAcrossLamp(1, "6") << "   电压器1某端空接或者与无效电路连接。"
            << QStringList{"电压器1 21"};
        QTest::addRow("voltmeter unwired") << voltmeterAcrossLamp(0, "6") << "" << QStringList{};
        QTest::addRow("voltmeter reversed") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            const QString v = c.voltmeter();
            c.wires({pos(s), pos(l), neg(l), neg(s), neg(v), pos(l), pos(v), neg(l)});
        }) << "   电压器1负极电势大于正极电势，无法测得真实结果！"
                                            << QStringList{"电压器1 21"};
        QTest::addRow("voltmeter across a dead lamp") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString r = c.resistor("10");
            const QString l = c.lamp();
            const QString v = c.voltmeter();
            c.wires(
                {pos(s), pos(r), neg(r), neg(s), pos(l), pos(s), pos(v), pos(l), neg(v), neg(l)});
        }) << "   电压器1测量值为：0伏特" << QStringList{"电压器1 21"};
        QTest::addRow("voltmeter meets only another voltmeter") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            const QString v1 = c.voltmeter();
            const QString v2 = c.voltmeter();
            c.wires({pos(s), pos(l), neg(l), neg(s), pos(v1), pos(v2), neg(v1), neg(l)});
        }) << "   电压器1某端空接或者与无效电路连接。" << QStringList{"电压器1 21"};

        const auto parallelLamps = [](bool inBranch) {
            return Build([inBranch](Circuit& c) {
                const QString s = c.source();
                const QString l1 = c.lamp();
                const QString l2 = c.lamp();
                const QString a = c.ammeter("2");
                if (inBranch) {
                    c.wires({pos(s), pos(a), neg(a), pos(l1), pos(s), pos(l2)});
                } else {
                    c.wires({pos(s), pos(a), neg(a), pos(l1), neg(a), pos(l2)});
                }
                c.wires({neg(l1), neg(s), neg(l2), neg(s)});
            });
        };
        QTest::addRow("ammeter in one branch")
            << parallelLamps(true) << "   电流器1测量值为：0.6安培" << QStringList{"电流器1 18"};
        QTest::addRow("ammeter before the junction")
            << parallelLamps(false) << "   电流器1测量值为：1.2安培" << QStringList{"电流器1 19"};
        QTest::addRow("two ammeters in series") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString a1 = c.ammeter();
            const QString a2 = c.ammeter();
            const QString l = c.lamp();
            c.wires({pos(s), pos(a1), neg(a1), pos(a2), neg(a2), pos(l), neg(l), neg(s)});
        }) << "   电流器1测量值为：0.6安培   电流器2测量值为：0.6安培"
                                                << QStringList{"电流器1 19", "电流器2 19"};
        QTest::addRow("ammeter hanging by one terminal") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            const QString r = c.resistor("10");
            const QString a = c.ammeter();
            c.wires({pos(s), pos(l), neg(l), pos(r), neg(r), neg(s), pos(a), neg(l)});
        }) << "   电流器1某端空接或者与无效电路连接。" << QStringList{"电流器1 17"};
        QTest::addRow("ammeter shorted by a closed switch") << Build([](Circuit& c) {
            // The switch is joined in the ammeter's view: one node holds both
            // ammeter terminals, and the current law there gives 0.
            const QString s = c.source();
            const QString l1 = c.lamp();
            const QString a = c.ammeter();
            const QString l2 = c.lamp();
            const QString k = c.closedSwitch();
            c.wires({pos(s), pos(l1), neg(l1), pos(a), neg(a), pos(l2), neg(l2), neg(s), pos(a),
                     pos(k), neg(k), neg(a)});
        }) << "   电流器1测量值为：0安培" << QStringList{"电流器1 17"};
        QTest::addRow("ammeter shorted next to the source") << Build([](Circuit& c) {
            // Its only node holds a source terminal and is passed over.
            const QString s = c.source();
            const QString a = c.ammeter();
            const QString l = c.lamp();
            const QString k = c.closedSwitch();
            c.wires(
                {pos(s), pos(a), neg(a), pos(l), neg(l), neg(s), pos(a), pos(k), neg(k), neg(a)});
        }) << "   电流器1某端空接或者与无效电路连接。" << QStringList{"电流器1 17"};
    }
    void closedCircuitMeters() {
        QFETCH(Build, build);
        QFETCH(QString, pieces);
        QFETCH(QStringList, meterPictures);
        Circuit c;
        build(c);
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QCOMPARE(o.status, closed + pieces);
        QStringList shown;
        for (const analysis::DisplayStep& step : o.steps) {
            const auto component = c.experiment().readComponent(step.componentNumber);
            if (step.kind == analysis::DisplayStep::Kind::ShowPicture &&
                (component->type == model::Ammeter || component->type == model::Voltmeter))
                shown.append(component->name + ' ' + QString::number(step.picture));
        }
        QCOMPARE(shown, meterPictures);
    }
};

QTEST_GUILESS_MAIN(TestAnalysisMeters)
#include "tst_analysis_meters.moc"
