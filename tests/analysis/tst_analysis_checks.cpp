// The checks before the reduction: the node lists, shorted components, open
// switches and voltmeters, and the closed-loop check; reset displays after
// each early stop.
#include "circuit.h"

#include "analysis/network.h"
#include "analysis/status_texts.h"
#include "analysis/wire_ends.h"

#include <QRandomGenerator>

#include <functional>

using namespace ampery;
using analysis::AnalysisOutcome;
using model::Field;

namespace {

using Build = std::function<void(Circuit&)>;

// The wires as the rule reads: every track cut out of a copy of the text
// first (an unclosed one cuts the rest), then each "⊙" to the next "‖" of
// the copy split at its bars.
QStringList wiresByCopying(const QString& text) {
    QString stripped;
    for (qsizetype from = 0;;) {
        const qsizetype marker = text.indexOf(u'¤', from);
        stripped += text.mid(from, marker < 0 ? -1 : marker - from);
        if (marker < 0)
            break;
        from = text.indexOf(u'‖', marker);
        if (from < 0)
            break;
    }
    QStringList wires;
    for (qsizetype at = stripped.indexOf(u'⊙'); at >= 0; at = stripped.indexOf(u'⊙', at + 1)) {
        const qsizetype end = stripped.indexOf(u'‖', at + 1);
        const QStringList parts = stripped.mid(at + 1, end < 0 ? -1 : end - at - 1).split(u'|');
        wires << parts.value(0) + u'/' + parts.value(1);
    }
    return wires;
}

QStringList wiresInOnePass(const QString& text) {
    QStringList wires;
    for (const analysis::WireEnds& w : analysis::wireEndsOf(text))
        wires << w.start.toString() + u'/' + w.end.toString();
    return wires;
}

} // namespace

Q_DECLARE_METATYPE(Build)

class TestAnalysisChecks : public QObject {
    Q_OBJECT
private slots:
    void statusTexts_data() {
        QTest::addColumn<Build>("build");
        QTest::addColumn<QString>("status");

        QTest::addRow("components without wire") << Build([](Circuit& c) {
            c.source();
            c.lamp();
        }) << "";
        QTest::addRow("wires but no source") << Build([](Circuit& c) {
            const QString l = c.lamp();
            const QString r = c.resistor("5");
            c.wires({pos(l), pos(r), neg(l), neg(r)});
        }) << "提示：电源没有加入,没有形成电路。";
        QTest::addRow("only the positive terminal wired") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            c.wires({pos(s), pos(l)});
        }) << "提示：电源没有形成通路。";
        QTest::addRow("only the negative terminal wired") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            c.wires({neg(l), neg(s)});
        }) << "提示：电源没有形成通路。";
        QTest::addRow("closed switch across the source") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString k = c.closedSwitch();
            c.wires({pos(s), pos(k), neg(k), neg(s)});
        }) << "错误：电源正负极短接！";
        QTest::addRow("open switch across the source") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString k = c.openSwitch();
            c.wires({pos(s), pos(k), neg(k), neg(s)});
        }) << "提示：电源没有形成回路。";
        QTest::addRow("ammeter alone across the source") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString a = c.ammeter();
            c.wires({pos(s), pos(a), neg(a), neg(s)});
        }) << "错误：电源正负极短接！";
        QTest::addRow("zero resistor across the source") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString r = c.resistor("0");
            c.wires({pos(s), neg(r), pos(r), neg(s)});
        }) << "错误：电源正负极短接！";
        QTest::addRow("resistor within 1e-7 of zero is a wire") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString r = c.resistor("-0.0000001");
            c.wires({pos(s), pos(r), neg(r), neg(s)});
        }) << "错误：电源正负极短接！";
        QTest::addRow("resistor just above 1e-7 is no wire") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString r = c.resistor("0.00000011");
            c.wires({pos(s), pos(r), neg(r), neg(s)});
        }) << "提示：电路畅通。";
        QTest::addRow("zero-resistance rheostat is a wire") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString r = c.add(model::Rheostat, {{Field::Resistance, "0"}});
            c.wires({pos(s), pos(r), neg(r), neg(s)});
        }) << "错误：电源正负极短接！";
        QTest::addRow("short through a closed switch beside a lamp") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            const QString k = c.closedSwitch();
            c.wires({pos(s), pos(l), neg(l), neg(s), pos(l), pos(k), neg(k), neg(l)});
        }) << "错误：电源正负极短接！";
        QTest::addRow("lamp shorted by a closed switch, resistor in the loop")
            << Build([](Circuit& c) {
                   const QString s = c.source();
                   const QString l = c.lamp();
                   const QString r = c.resistor("20");
                   const QString k = c.closedSwitch();
                   c.wires({pos(s), pos(l), neg(l), pos(r), neg(r), neg(s), pos(l), pos(k), neg(k),
                            neg(l)});
               })
            << "提示：电路畅通。";
        QTest::addRow("open switch in the loop") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            const QString k = c.openSwitch();
            c.wires({pos(s), pos(l), neg(l), pos(k), neg(k), neg(s)});
        }) << "提示：电源没有形成回路。";
        QTest::addRow("closed switch in the loop") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            const QString k = c.closedSwitch();
            c.wires({pos(s), pos(l), neg(l), pos(k), neg(k), neg(s)});
        }) << "提示：电路畅通。";
        QTest::addRow("source wired to a lamp that goes nowhere") << Build([](Circuit& c) {
            const QString s = c.source();
            const QString l = c.lamp();
            const QString m = c.lamp();
            c.wires({pos(s), pos(l), neg(s), pos(m)});
        }) << "提示：电源没有形成回路。";
    }
    void statusTexts() {
        QFETCH(Build, build);
        QFETCH(QString, status);
        Circuit c;
        build(c);
        QCOMPARE(c.analyse().status, status);
    }

    // The first three stops leave the network unbuilt.
    void extractionStops_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stop");
        QTest::addRow("empty") << "" << int(analysis::ExtractionStop::NoWire);
        QTest::addRow("a wire without source")
            << "⊙电灯1∧|电灯2∨¤1|1‖" << int(analysis::ExtractionStop::NoSource);
        QTest::addRow("source name only in a component")
            << "№1□0■0◇电源1◆1△▲6◎0○●☆★‖⊙电灯1∧|电灯2∨¤1|1‖"
            << int(analysis::ExtractionStop::SourceUnwired);
        QTest::addRow("source terminal only inside a longer terminal name")
            << "⊙甲电源1∧|电源1∨¤1|1‖" << int(analysis::ExtractionStop::SourceUnwired);
        QTest::addRow("both source terminals wired")
            << "⊙电源1∧|电源1∨¤1|1‖" << int(analysis::ExtractionStop::None);
    }
    void extractionStops() {
        QFETCH(QString, text);
        QFETCH(int, stop);
        model::Experiment e;
        e.setText(text);
        e.recount();
        QCOMPARE(int(analysis::extractNetwork(e).stop), stop);
    }

    void noWireTouchesNothingButTheMotors() {
        Circuit c;
        c.source();
        c.lamp();
        c.motor();
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(o.status, QString());
        QVERIFY(!o.solved);
        QVERIFY(!o.gaveUp);
        QVERIFY(o.results.isEmpty());
        // Motors of an earlier analysis would otherwise go on turning.
        QCOMPARE(c.steps(o), QStringList{stopMotors});
    }

    // Reset displays: all timers stop, lamps, ammeters and voltmeters at rest
    // in number order, then combine.
    void resetDisplaysAfterEarlyStops_data() {
        QTest::addColumn<bool>("withSource");
        QTest::addColumn<bool>("shorted");
        QTest::addColumn<QString>("status");
        QTest::addRow("no source") << false << false << "提示：电源没有加入,没有形成电路。";
        QTest::addRow("source unwired") << true << false << "提示：电源没有形成通路。";
        QTest::addRow("source shorted") << true << true << "错误：电源正负极短接！";
    }
    void resetDisplaysAfterEarlyStops() {
        QFETCH(bool, withSource);
        QFETCH(bool, shorted);
        QFETCH(QString, status);
        Circuit c;
        const QString v = c.voltmeter();
        const QString l = c.lamp();
        const QString m = c.motor();
        const QString a = c.ammeter();
        const QString r = c.resistor("5");
        const QString k = c.closedSwitch();
        if (withSource) {
            const QString s = c.source();
            c.wire(pos(s), pos(k));
            if (shorted)
                c.wire(neg(k), neg(s));
        }
        c.wires({pos(l), pos(r), pos(m), neg(r), pos(v), neg(l)});
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(o.status, status);
        QCOMPARE(c.steps(o), QStringList({stopMotors, c.show(v, 21), c.show(l, 3), c.show(a, 17),
                                          combineStep}));
    }

    // Seeds first, then wires in text order;
    // joined nodes keep the lower position.
    void nodeLists() {
        Circuit c;
        const QString s = c.source();
        const QString r1 = c.resistor("10");
        const QString r2 = c.resistor("20");
        const QString r3 = c.resistor("20");
        const QString k = c.closedSwitch();
        c.wires({pos(s), pos(r1), neg(r1), pos(r2), pos(r2), pos(r3), neg(r2), neg(r3), neg(r3),
                 neg(s), pos(k), neg(r1)});
        c.experiment().recount();
        const analysis::Extraction x = analysis::extractNetwork(c.experiment());
        QCOMPARE(int(x.stop), int(analysis::ExtractionStop::None));
        const analysis::Network& n = x.network;
        QCOMPARE(n.conductorNodes.texts(n.terminals),
                 QStringList({"开关1∧|开关1∨|电阻1∨|电阻2∧|电阻3∧", "电源1∧|电阻1∧",
                              "电阻2∨|电阻3∨|电源1∨"}));
        QVERIFY(!n.hasMeters);
        QVERIFY(n.wireNodes.texts(n.terminals).isEmpty());
    }

    void joiningKeepsTheLowerNode() {
        Circuit c;
        const QString s = c.source();
        const QString l1 = c.lamp();
        const QString l2 = c.lamp();
        const QString v = c.voltmeter();
        // Two separate nodes, then a wire that joins the later into the earlier.
        c.wires({pos(l1), pos(l2), pos(s), neg(l1), neg(s), neg(l2), pos(v), pos(s), neg(l2),
                 pos(l1), neg(v), neg(l1)});
        c.experiment().recount();
        const analysis::Extraction x = analysis::extractNetwork(c.experiment());
        const analysis::Network& n = x.network;
        QCOMPARE(n.conductorNodes.texts(n.terminals),
                 QStringList({"电灯1∧|电灯2∧|电源1∨|电灯2∨", "电源1∧|电灯1∨|电压器1∧|电压器1∨"}));
        QVERIFY(n.hasMeters);
        QCOMPARE(n.wireNodes.texts(n.terminals), n.conductorNodes.texts(n.terminals));
    }

    void twoWiresBetweenTheSameTerminals() {
        Circuit c;
        const QString s = c.source();
        const QString l = c.lamp();
        c.wires({pos(s), pos(l), neg(l), neg(s)});
        // A second wire between the same two terminals (the model refuses it;
        // only a file can hold one).
        c.experiment().editableText() += "⊙电灯1∧|电源1∧¤5|5┇6|6‖";
        c.experiment().recount();
        const analysis::Extraction x = analysis::extractNetwork(c.experiment());
        QCOMPARE(x.network.conductorNodes.texts(x.network.terminals),
                 QStringList({"电源1∧|电灯1∧", "电灯1∨|电源1∨"}));
        QCOMPARE(c.analyse().status, QStringLiteral("提示：电路畅通。"));
    }

    // Wire ends (a damaged file can hold long ones) that agree in length and
    // in their first and last 32 characters are still different terminals.
    void longWireEndsDifferingInTheMiddle() {
        Circuit c;
        const QString s = c.source();
        const QString head(32, u'甲');
        const QString tail(32, u'乙');
        const QString left = head + "左" + tail;
        const QString right = head + "右" + tail;
        c.experiment().editableText() +=
            "⊙" + pos(s) + "|" + left + "¤5|5┇6|6‖⊙" + right + "|" + neg(s) + "¤5|5┇6|6‖";
        c.experiment().recount();
        const analysis::Extraction x = analysis::extractNetwork(c.experiment());
        QCOMPARE(x.network.conductorNodes.texts(x.network.terminals),
                 QStringList({pos(s) + "|" + left, right + "|" + neg(s)}));
    }

    // Texts of wire records, tracks, stray separators and unclosed tracks in
    // any order: the one pass over the text finds the wires that cutting the
    // tracks out of a copy first finds.
    void wireEndsAsIfTracksWereCut() {
        QRandomGenerator random(20261209);
        const QString pieces[] = {"⊙", "¤", "‖", "|", "电源1∧", "电灯1∨", "5|5┇6|6", "№1□", "a"};
        for (int seed = 0; seed < 20000; ++seed) {
            QString text;
            for (int k = random.bounded(0, 24); k > 0; --k)
                text += pieces[random.bounded(0, int(std::size(pieces)))];
            const QStringList expected = wiresByCopying(text);
            if (wiresInOnePass(text) != expected)
                QFAIL(qPrintable(text + ": " + wiresInOnePass(text).join(' ') + " against " +
                                 expected.join(' ')));
        }
    }

    // When one wire's track is the start of another's, removing every
    // occurrence of the shorter track would cut the longer wire's record.
    void trackThatStartsAnotherTrack() {
        Circuit c;
        const QString s = c.source();
        const QString l = c.lamp();
        QVERIFY(c.wire(pos(s), pos(l), "10|10"));
        QVERIFY(c.wire(neg(l), neg(s), "10|10┇20|20"));
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(o.status, QStringLiteral("提示：电路畅通。"));
        QCOMPARE(recordTexts(o), QStringList{"电灯1@6@0@0.6"});
    }

    // Terminal tests compare whole names: 乙电压器1∧ is not 电压器1∧.
    void namesEndingInAnotherName() {
        Circuit c;
        const QString s = c.source();
        const QString l = c.addNamed("乙电压器1", model::Lamp);
        const QString k = c.openSwitch();
        const QString v = c.addNamed("电压器1", model::Voltmeter, {{Field::RatedVoltage, "10"}});
        c.wires({pos(s), pos(l), neg(l), pos(k), neg(k), neg(s), neg(v), neg(s)});
        const AnalysisOutcome o = c.analyse();
        // A text search would find 电压器1∧ inside 乙电压器1∧ and read 6 V.
        QCOMPARE(o.status, QStringLiteral("提示：电源没有形成回路。"));
        QCOMPARE(c.steps(o), QStringList({stopMotors, c.show(l, 3), combineStep}));
    }

    // Voltmeters leave the network before the closed-loop check.
    void voltmeterAloneAcrossTheSource() {
        Circuit c;
        const QString s = c.source();
        const QString v = c.voltmeter();
        c.wires({pos(s), pos(v), neg(v), neg(s)});
        const AnalysisOutcome o = c.analyse();
        QCOMPARE(o.status, QStringLiteral("提示：电源没有形成回路。   电压器1测量值为：6伏特"));
        QCOMPARE(c.steps(o), QStringList({c.show(v, 23), combineStep, stopMotors, combineStep}));
    }

    // Component loops visit the records present: a crafted number does not
    // make the analysis count to it.
    void hugeComponentNumber() {
        model::Experiment e;
        e.setText("№1□0■0◇电源1◆1△▲6◎0○●☆★‖"
                  "№2000000000□100■0◇电灯1◆3△▲◎10○●☆6★0.6‖"
                  "⊙电源1∧|电灯1∧¤1|1‖⊙电灯1∨|电源1∨¤1|1‖");
        e.recount();
        QCOMPARE(e.highestNumber(), 2000000000);
        const AnalysisOutcome o = analysis::analyse(e);
        QCOMPARE(o.status, QStringLiteral("提示：电路畅通。"));
        QCOMPARE(recordTexts(o), QStringList{"电灯1@6@0@0.6"});
    }
};

QTEST_GUILESS_MAIN(TestAnalysisChecks)
#include "tst_analysis_checks.moc"
