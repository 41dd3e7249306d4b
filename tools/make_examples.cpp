// Builds the example experiments a teacher can open at once, placing and
// wiring every component as a user would, and writes them as .aie files.
// Usage: make_examples FOLDER

#include "example_builder.h"

#include "model/component_type.h"
#include "model/experiment_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <functional>
#include <stdexcept>

using namespace ampery;
using model::Field;
using tools::ExampleBuilder;
using tools::Placed;

namespace {

const QString closed = QStringLiteral("1");

// Two lamps share the source's voltage: each gets half and glows dim.
void seriesLamps(ExampleBuilder& b) {
    const Placed source = b.place(model::Source, {200, 300});
    const Placed key = b.place(model::Switch, {40, 60});
    const Placed lamp1 = b.place(model::Lamp, {180, 60});
    const Placed lamp2 = b.place(model::Lamp, {320, 60});
    b.set(key, Field::State, closed);
    b.wire(source.positive, {{226, 262}, {56, 262}}, key.positive);
    b.wire(key.negative, {{102, 150}, {196, 150}}, lamp1.positive);
    b.wire(lamp1.negative, {{242, 150}, {336, 150}}, lamp2.positive);
    b.wire(lamp2.negative, {{382, 272}, {248, 272}}, source.negative);
}

// Each branch has the full voltage; the main ammeter reads the sum of the
// branch currents.
void parallelLamps(ExampleBuilder& b) {
    const Placed source = b.place(model::Source, {20, 300});
    const Placed key = b.place(model::Switch, {20, 40});
    const Placed mainMeter = b.place(model::Ammeter, {120, 310});
    const Placed meter1 = b.place(model::Ammeter, {150, 40});
    const Placed lamp1 = b.place(model::Lamp, {150, 170});
    const Placed meter2 = b.place(model::Ammeter, {300, 40});
    const Placed lamp2 = b.place(model::Lamp, {300, 170});
    b.set(key, Field::State, closed);
    b.set(mainMeter, Field::RatedCurrent, QStringLiteral("3"));
    b.wire(source.positive, {{46, 260}, {28, 230}, {28, 130}}, key.positive);
    b.wire(key.negative, {{125, 92}, {125, 20}, {235, 20}, {235, 102}, {194, 102}},
           meter1.positive);
    b.wire(key.negative, {{118, 80}, {118, 10}, {388, 10}, {388, 102}, {344, 102}},
           meter2.positive);
    b.wire(meter1.negative, {{168, 120}, {140, 120}, {140, 245}, {166, 245}}, lamp1.positive);
    b.wire(meter2.negative, {{318, 120}, {290, 120}, {290, 245}, {316, 245}}, lamp2.positive);
    b.wire(lamp2.negative, {{362, 262}, {225, 262}}, lamp1.negative);
    b.wire(lamp1.negative, {{212, 392}, {164, 392}}, mainMeter.positive);
    b.wire(mainMeter.negative, {{138, 386}, {108, 386}, {108, 282}, {68, 282}}, source.negative);
}

// The slider stands at the second step; clicking further left brightens the lamp.
void rheostatDimmer(ExampleBuilder& b) {
    const Placed source = b.place(model::Source, {40, 300});
    const Placed key = b.place(model::Switch, {30, 50});
    const Placed rheostat = b.place(model::Rheostat, {170, 50});
    const Placed lamp = b.place(model::Lamp, {330, 50});
    const Placed meter = b.place(model::Ammeter, {250, 300});
    b.set(key, Field::State, closed);
    b.set(rheostat, Field::State, QStringLiteral("1"));
    b.set(rheostat, Field::Resistance, QStringLiteral("12.5"));
    b.wire(source.positive, {{66, 250}, {46, 200}}, key.positive);
    b.wire(key.negative, {{92, 140}, {150, 140}, {150, 95}}, rheostat.positive);
    b.wire(rheostat.negative, {{270, 70}, {270, 140}, {346, 140}}, lamp.positive);
    b.wire(lamp.negative, {{430, 102}, {430, 370}, {294, 370}}, meter.positive);
    b.wire(meter.negative, {{268, 380}, {120, 380}, {120, 280}, {88, 280}}, source.negative);
}

// Two equal motors on one source; the second is wired the other way round.
void reversedMotor(ExampleBuilder& b) {
    const Placed source = b.place(model::Source, {40, 300});
    const Placed key = b.place(model::Switch, {30, 60});
    const Placed motor1 = b.place(model::Motor, {180, 120});
    const Placed motor2 = b.place(model::Motor, {330, 120});
    b.set(key, Field::State, closed);
    b.wire(source.positive, {{66, 250}, {46, 200}}, key.positive);
    b.wire(key.negative, {{120, 112}, {120, 60}, {220, 60}}, motor1.positive);
    b.wire(key.negative, {{110, 100}, {110, 40}, {348, 40}}, motor2.negative);
    b.wire(motor1.negative, {{165, 128}, {165, 275}, {88, 275}}, source.negative);
    b.wire(motor2.positive, {{420, 100}, {420, 285}, {95, 285}}, source.negative);
}

// No current flows through an open switch, yet the voltmeter across it reads
// the whole source voltage.
void voltmeterAcrossSwitch(ExampleBuilder& b) {
    const Placed source = b.place(model::Source, {20, 300});
    const Placed lamp = b.place(model::Lamp, {40, 60});
    const Placed key = b.place(model::Switch, {300, 60});
    const Placed meter = b.place(model::Voltmeter, {200, 170});
    b.wire(source.positive, {{46, 260}}, lamp.positive);
    b.wire(lamp.negative, {{102, 150}, {316, 150}}, key.positive);
    b.wire(key.negative, {{400, 140}, {400, 280}, {68, 280}}, source.negative);
    b.wire(meter.positive, {{260, 240}, {300, 240}, {300, 160}}, key.positive);
    b.wire(meter.negative, {{218, 250}, {380, 250}, {380, 130}}, key.negative);
}

// A closed switch straight across the source shorts it; opening the switch
// lets the lamp light.
void shortCircuit(ExampleBuilder& b) {
    const Placed source = b.place(model::Source, {200, 300});
    const Placed lamp = b.place(model::Lamp, {200, 60});
    const Placed key = b.place(model::Switch, {200, 170});
    b.set(key, Field::State, closed);
    b.wire(source.positive, {{226, 296}, {150, 296}, {150, 140}, {216, 140}}, lamp.positive);
    b.wire(lamp.negative, {{262, 140}, {330, 140}, {330, 296}, {248, 296}}, source.negative);
    b.wire(key.positive, {{216, 250}, {226, 270}}, source.positive);
    b.wire(key.negative, {{262, 260}, {248, 280}}, source.negative);
}

// A bridge: two resistors on top, a resistor and a rheostat below, and an
// ammeter with a resistor across the middle. With the slider at 10 Ω the
// middle carries 0.06 A from top to bottom; at 20 Ω the bridge balances and
// the ammeter reads 0; beyond, the current turns round.
void bridgeBalance(ExampleBuilder& b) {
    const Placed source = b.place(model::Source, {20, 310});
    const Placed key = b.place(model::Switch, {20, 165});
    const Placed topLeft = b.place(model::Resistor, {110, 30});
    const Placed topRight = b.place(model::Resistor, {330, 30});
    const Placed bottomLeft = b.place(model::Resistor, {110, 260});
    const Placed rheostat = b.place(model::Rheostat, {330, 250});
    const Placed meter = b.place(model::Ammeter, {120, 135});
    const Placed guard = b.place(model::Resistor, {230, 135});
    b.set(key, Field::State, closed);
    b.set(topLeft, Field::Resistance, QStringLiteral("10"));
    b.set(topRight, Field::Resistance, QStringLiteral("20"));
    b.set(bottomLeft, Field::Resistance, QStringLiteral("10"));
    b.set(guard, Field::Resistance, QStringLiteral("5"));
    b.set(rheostat, Field::Minimum, QStringLiteral("0"));
    b.set(rheostat, Field::Maximum, QStringLiteral("40"));
    b.set(rheostat, Field::State, QStringLiteral("1"));
    b.set(rheostat, Field::Resistance, QStringLiteral("10"));
    b.set(meter, Field::RatedCurrent, QStringLiteral("0.1"));
    b.wire(source.positive, {{42, 290}, {36, 240}}, key.positive);
    b.wire(key.negative, {{95, 195}, {95, 100}, {120, 92}}, topLeft.positive);
    b.wire(key.negative, {{95, 240}, {95, 320}, {120, 320}}, bottomLeft.positive);
    b.wire(topLeft.negative, {{185, 100}, {335, 100}}, topRight.positive);
    b.wire(topLeft.negative, {{180, 120}, {170, 170}}, meter.positive);
    b.wire(meter.negative, {{134, 215}, {240, 215}}, guard.positive);
    b.wire(guard.negative, {{300, 230}, {345, 240}}, rheostat.positive);
    b.wire(bottomLeft.negative, {{185, 335}, {300, 335}, {345, 300}}, rheostat.positive);
    b.wire(topRight.negative, {{440, 90}, {440, 255}, {412, 262}}, rheostat.negative);
    b.wire(rheostat.negative, {{455, 280}, {455, 388}, {90, 388}, {72, 330}}, source.negative);
}

struct Example {
    const char16_t* fileName;
    std::function<void(ExampleBuilder&)> build;
};

const Example examples[] = {
    {u"串联电灯.aie", seriesLamps},
    {u"并联电灯.aie", parallelLamps},
    {u"变阻器调光.aie", rheostatDimmer},
    {u"电动机正反转.aie", reversedMotor},
    {u"开关两端的电压.aie", voltmeterAcrossSwitch},
    {u"电源短路.aie", shortCircuit},
    {u"电桥平衡.aie", bridgeBalance},
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        err << "usage: make_examples FOLDER\n";
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "cannot create " << folder.path() << '\n';
        return 1;
    }
    for (const Example& example : examples) {
        const QString path = folder.filePath(QString::fromUtf16(example.fileName));
        try {
            ExampleBuilder builder;
            example.build(builder);
            const model::FileResult written =
                model::writeExperimentFile(path, builder.experiment().text());
            if (!written.ok) {
                err << path << ": " << written.error << '\n';
                return 1;
            }
        } catch (const std::logic_error& fault) {
            err << path << ": " << fault.what() << '\n';
            return 1;
        }
    }
    return 0;
}
