#include "analysis/analyse.h"
#include "diagram/diagram_source.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/wire_edits.h"

#include <QTest>

using namespace ampery;
using namespace ampery::diagram;
using model::Field;

namespace {

// 电源1 → 开关1 → 电流器1 → 电灯1 → back, 电压器1 across the lamp, 电阻1 unwired.
model::Experiment lampCircuit(const QString& switchState, const QString& voltage) {
    model::Experiment e;
    const auto place = [&](int type, int x) {
        const QString name = e.nameNewComponent(type);
        return std::pair{e.addComponent(x, 100, name, type), name};
    };
    const auto [source, sourceName] = place(model::Source, 10);
    const auto [key, keyName] = place(model::Switch, 100);
    const auto [meter, meterName] = place(model::Ammeter, 200);
    const auto [lamp, lampName] = place(model::Lamp, 300);
    const auto [volts, voltsName] = place(model::Voltmeter, 400);
    place(model::Resistor, 500);
    e.setFields(key, Field::State, switchState);
    e.setFields(source, Field::Voltage, voltage);
    const auto wire = [&](const QString& a, bool ap, const QString& b, bool bp) {
        model::appendWire(e, model::terminalName(a, ap), model::terminalName(b, bp),
                          QStringLiteral("1|1┇2|2"));
    };
    wire(sourceName, true, keyName, true);
    wire(keyName, false, meterName, true);
    wire(meterName, false, lampName, true);
    wire(lampName, false, sourceName, false);
    wire(voltsName, true, lampName, true);
    wire(voltsName, false, lampName, false);
    e.recount();
    return e;
}

const DiagramPart& partNamed(const DiagramSource& source, const QString& name) {
    for (const DiagramPart& part : source.parts)
        if (part.name == name)
            return part;
    qFatal("no part %s", qPrintable(name));
}

} // namespace

class DiagramSourceTest : public QObject {
    Q_OBJECT

private slots:
    void showsWhatTheAnalysisShowed_data();
    void showsWhatTheAnalysisShowed();
    void onlyAJoinOrAStateChangesIt_data();
    void onlyAJoinOrAStateChangesIt();
};

void DiagramSourceTest::showsWhatTheAnalysisShowed_data() {
    QTest::addColumn<QString>("switchState");
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<int>("lampLook");
    QTest::addColumn<QString>("ammeterValue");
    QTest::addColumn<QString>("voltmeterValue");
    QTest::addRow("closed, rated voltage") << "1"
                                           << "6" << int(SymbolLook::LampBright) << "0.6A"
                                           << "6V";
    QTest::addRow("closed, half the voltage") << "1"
                                              << "3" << int(SymbolLook::LampDim) << "0.3A"
                                              << "3V";
    QTest::addRow("closed, far beyond") << "1"
                                        << "20" << int(SymbolLook::LampBroken) << "超量程"
                                        << "超量程";
    QTest::addRow("closed, a long reading") << "1"
                                            << "3.3333333" << int(SymbolLook::LampDim) << "≈0.3333A"
                                            << "≈3.333V";
    QTest::addRow("open") << "0"
                          << "6" << int(SymbolLook::Normal) << ""
                          << "";
}

void DiagramSourceTest::showsWhatTheAnalysisShowed() {
    QFETCH(QString, switchState);
    QFETCH(QString, voltage);
    QFETCH(int, lampLook);
    QFETCH(QString, ammeterValue);
    QFETCH(QString, voltmeterValue);
    const model::Experiment e = lampCircuit(switchState, voltage);
    const analysis::AnalysisOutcome outcome = analysis::analyse(e);
    const DiagramSource source = diagramSource(e, outcome);
    QCOMPARE(source.parts.size(), 6);
    QCOMPARE(source.wires.size(), 6);
    QCOMPARE(int(partNamed(source, QStringLiteral("电灯1")).look), lampLook);
    QCOMPARE(partNamed(source, QStringLiteral("电源1")).value, voltage + QStringLiteral("V"));
    QCOMPARE(partNamed(source, QStringLiteral("电灯1")).value, QStringLiteral("10Ω"));
    QCOMPARE(partNamed(source, QStringLiteral("电阻1")).value, QStringLiteral("100Ω"));
    QCOMPARE(partNamed(source, QStringLiteral("开关1")).value, QString());
    const QString ammeter = model::componentName(model::Ammeter, 1);
    const QString voltmeter = model::componentName(model::Voltmeter, 1);
    QCOMPARE(partNamed(source, ammeter).value, ammeterValue);
    QCOMPARE(partNamed(source, voltmeter).value, voltmeterValue);
    // What the status line says of the meters, the diagram says too.
    if (ammeterValue.endsWith(u'A') && !ammeterValue.startsWith(u'≈'))
        QVERIFY(outcome.status.contains(ammeter + QStringLiteral("测量值为：") +
                                        ammeterValue.chopped(1) + QStringLiteral("安培")));
}

void DiagramSourceTest::onlyAJoinOrAStateChangesIt_data() {
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("changes");
    QTest::addRow("lamp moved") << 0 << false;
    QTest::addRow("source moved") << 1 << false;
    QTest::addRow("switch opened") << 2 << true;
    QTest::addRow("lamp's resistance") << 3 << true;
    QTest::addRow("wire added") << 4 << true;
    QTest::addRow("wires turned round") << 5 << false;
}

void DiagramSourceTest::onlyAJoinOrAStateChangesIt() {
    QFETCH(int, change);
    QFETCH(bool, changes);
    model::Experiment e = lampCircuit(QStringLiteral("1"), QStringLiteral("6"));
    const DiagramSource before = diagramSource(e, analysis::analyse(e));
    switch (change) {
    case 0:
        e.setFields(4, Field::X, QStringLiteral("377"), Field::Y, QStringLiteral("211"));
        break;
    case 1:
        e.setFields(1, Field::X, QStringLiteral("300"));
        break;
    case 2:
        e.setFields(2, Field::State, QStringLiteral("0"));
        break;
    case 3:
        e.setFields(4, Field::Resistance, QStringLiteral("20"));
        break;
    case 4:
        model::appendWire(e, QStringLiteral("电阻1∧"), QStringLiteral("电灯1∨"),
                          QStringLiteral("3|3┇4|4"));
        break;
    case 5:
        // As a drag leaves the wires at the dragged lamp: started there.
        model::collectAttachedWires(e, QStringLiteral("电灯1"));
        break;
    }
    QCOMPARE(diagramSource(e, analysis::analyse(e)) != before, changes);
}

QTEST_GUILESS_MAIN(DiagramSourceTest)
#include "tst_diagram_source.moc"
