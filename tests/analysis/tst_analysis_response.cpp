// Lamp brightness, motor slots, the rest pass and the order of the
// display pass.
#include "circuit.h"

using namespace ampery;
using analysis::AnalysisOutcome;
using analysis::DisplayStep;
using model::Field;

class TestAnalysisResponse : public QObject {
    Q_OBJECT
private slots:
    void lampBrightness_data() {
        QTest::addColumn<QString>("volts");
        QTest::addColumn<QString>("rated");
        QTest::addColumn<int>("picture");
        QTest::addRow("at its rating") << "6"
                                       << "6" << 5;
        QTest::addRow("two thirds of 9 V") << "6"
                                           << "9" << 4;
        QTest::addRow("twice its rating") << "6"
                                          << "3" << 6;
        QTest::addRow("exactly one third") << "2"
                                           << "6" << 3;
        QTest::addRow("just above one third") << "2.000001"
                                              << "6" << 4;
        QTest::addRow("exactly two thirds") << "4"
                                            << "6" << 4;
        QTest::addRow("just above two thirds") << "4.000001"
                                               << "6" << 5;
        QTest::addRow("just above its rating") << "6.000001"
                                               << "6" << 6;
        QTest::addRow("rated 0") << "1"
                                 << "0" << 6;
        QTest::addRow("no voltage") << "0"
                                    << "6" << 3;
    }
    void lampBrightness() {
        QFETCH(QString, volts);
        QFETCH(QString, rated);
        QFETCH(int, picture);
        Circuit c;
        const QString s = c.source(volts);
        const QString l = c.lamp("10", rated);
        c.wires({pos(s), neg(l), pos(l), neg(s)});
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QCOMPARE(c.steps(o), QStringList({c.show(l, picture), combineStep}));
    }

    void twoLampsInSeriesAreDim() {
        Circuit c;
        const QString s = c.source();
        const QString l1 = c.lamp();
        const QString l2 = c.lamp();
        c.wires({pos(s), pos(l1), neg(l1), pos(l2), neg(l2), neg(s)});
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(c.steps(o), QStringList({c.show(l1, 4), c.show(l2, 4), combineStep}));
    }

    void motorSpeed_data() {
        QTest::addColumn<QString>("volts");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("interval");
        QTest::addRow("at its rating") << "6" << false << 1 << 250;
        QTest::addRow("twice its rating") << "12" << false << 1 << 90;
        QTest::addRow("two thirds") << "4" << false << 1 << 800;
        QTest::addRow("one third stops, direction kept")
            << "2" << false << DisplayStep::keepDirection << 0;
        QTest::addRow("turned round") << "6" << true << 0 << 250;
        QTest::addRow("turned round, very fast") << "7" << true << 0 << 90;
    }
    void motorSpeed() {
        QFETCH(QString, volts);
        QFETCH(bool, turned);
        QFETCH(int, direction);
        QFETCH(int, interval);
        Circuit c;
        const QString s = c.source(volts);
        const QString m = c.motor();
        c.wires({pos(s), turned ? neg(m) : pos(m), turned ? pos(m) : neg(m), neg(s)});
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QCOMPARE(c.steps(o), QStringList({c.slot(9, m, direction, interval), combineStep}));
    }

    // The slot is the last one with the motor's name; a motor without a slot
    // is left alone.
    void motorSlots() {
        Circuit c;
        const QString s = c.source();
        const QString m1 = c.motor();
        const QString m2 = c.motor();
        const QString m3 = c.motor();
        c.wires({pos(s), pos(m1), neg(m1), neg(s), pos(s), pos(m2), neg(m2), neg(s), pos(s),
                 pos(m3), neg(m3), neg(s)});
        c.experiment().setMotorSlot(2, m1); // an older slot with the same name
        c.experiment().setMotorSlot(7, QString());
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QCOMPARE(c.steps(o),
                 QStringList({c.slot(9, m1, 1, 250), c.slot(8, m2, 1, 250), combineStep}));
    }

    // Lamps and motors without a record are put at rest by the rest pass.
    void restPass() {
        Circuit c;
        const QString s = c.source();
        const QString l1 = c.lamp();
        const QString k = c.openSwitch();
        const QString l2 = c.lamp();
        const QString m = c.motor();
        c.wires({pos(s), pos(l1), neg(l1), neg(s), pos(s), pos(k), neg(k), pos(l2), neg(l2), neg(s),
                 pos(m), pos(s)});
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(recordTexts(o), QStringList{"电灯1@6@0@0.6"});
        QCOMPARE(c.steps(o),
                 QStringList({c.show(l1, 5), c.show(l2, 3),
                              c.slot(9, m, DisplayStep::keepDirection, 0), combineStep}));
    }

    // The display pass: responses in component order, then the rest pass
    // with the meters in component order, then one combine.
    void displayPassOrder() {
        Circuit c;
        const QString s = c.source();
        const QString l1 = c.lamp();
        const QString a = c.ammeter();
        const QString m = c.motor();
        const QString l2 = c.lamp();
        const QString v = c.voltmeter();
        c.wires({pos(s), pos(a), neg(a), pos(l1), pos(l1), pos(m), neg(l1), neg(s), neg(m), neg(s),
                 pos(l2), pos(l1), pos(v), pos(l1), neg(v), neg(l1)});
        const AnalysisOutcome o = c.analyse();
        QVERIFY(o.solved);
        QCOMPARE(recordTexts(o), QStringList({"电灯1@6@0@0.6", "电动机1@6@0@0.3"}));
        QCOMPARE(o.status, QStringLiteral("提示：电路畅通。   电流器1测量值为：0.9安培"
                                          "   电压器1测量值为：6伏特"));
        QCOMPARE(c.steps(o), QStringList({c.show(l1, 5), c.slot(9, m, 1, 250), c.show(a, 19),
                                          c.show(l2, 3), c.show(v, 23), combineStep}));
    }

    // After each early stop every timer stops and lamps and meters rest; an
    // earlier burnt-out lamp shows what the new voltage gives.
    void everyAnalysisDecidesAgain() {
        Circuit c;
        const QString s = c.source("12");
        const QString l = c.lamp();
        const QString m = c.motor();
        c.wires({pos(s), pos(l), neg(l), neg(s), pos(m), pos(l), neg(m), neg(l)});
        QCOMPARE(c.steps(c.analyse()),
                 QStringList({c.show(l, 6), c.slot(9, m, 1, 90), combineStep}));
        c.experiment().setFields(1, Field::Voltage, "6");
        QCOMPARE(c.steps(c.analyse()),
                 QStringList({c.show(l, 5), c.slot(9, m, 1, 250), combineStep}));
        const QString k = c.closedSwitch();
        c.wires({pos(s), pos(k), neg(k), neg(s)});
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(o.status, QStringLiteral("错误：电源正负极短接！"));
        QCOMPARE(c.steps(o), QStringList({stopMotors, c.show(l, 3), combineStep}));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisResponse)
#include "tst_analysis_response.moc"
