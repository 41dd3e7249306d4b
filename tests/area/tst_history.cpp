#include "area/experiment_controller.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/wire_edits.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace ampery;
using area::ExperimentController;
using model::Experiment;
using model::Field;

Q_DECLARE_METATYPE(std::function<void(ampery::area::ExperimentController&)>)

namespace {

using Operation = std::function<void(ExperimentController&)>;

// A closed circuit: source, closed switch, lamp and rheostat in series, a
// resistor and a motor beside it unwired.
QString circuitText() {
    Experiment e;
    const auto add = [&e](int type, int x, int y) {
        return e.addComponent(x, y, e.nameNewComponent(type), type);
    };
    add(model::Source, 20, 20);                           // 1 电源1
    const int closedSwitch = add(model::Switch, 200, 20); // 2 开关1
    add(model::Lamp, 200, 200);                           // 3 电灯1
    add(model::Rheostat, 20, 200);                        // 4 变阻器1
    add(model::Resistor, 350, 300);                       // 5 电阻1
    e.setFields(closedSwitch, Field::State, "1");
    model::appendWire(e, "电源1∧", "开关1∧", "46|26┇120|30┇216|74");
    model::appendWire(e, "开关1∨", "电灯1∧", "262|72┇300|150┇216|254");
    model::appendWire(e, "电灯1∨", "变阻器1∧", "262|252┇150|300┇42|232");
    model::appendWire(e, "变阻器1∨", "电源1∨", "92|220┇100|100┇68|26");
    return e.text();
}

// Attach points of the posts, from the top-left corner of the picture box.
QPoint lampPlus(QPoint tl) {
    return tl + QPoint(16, 54);
}
QPoint resistorMinus(QPoint tl) {
    return tl + QPoint(72, 34);
}

struct Shown {
    Experiment experiment;
    QString status;
    QImage area;
    int current = 0;

    explicit Shown(const ExperimentController& c)
        : experiment(c.experiment()), status(c.lastOutcome().status), area(c.canvases().area()),
          current(c.currentComponent()) {}
};

void compareShown(const ExperimentController& c, const Shown& expected) {
    QVERIFY2(c.experiment().hasSameStateAs(expected.experiment),
             qPrintable(c.experiment().text() + "\n" + expected.experiment.text()));
    QCOMPARE(c.experiment().text().toUtf8(), expected.experiment.text().toUtf8());
    QCOMPARE(c.lastOutcome().status, expected.status);
    QVERIFY(c.canvases().area() == expected.area);
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    // Every user change is one step: undo gives back the experiment and its
    // numbering byte for byte and shows it as before; redo the state after.
    void undoAndRedoEachOperation_data() {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<bool>("isStep");
        // Not a step: the experiment as it was, to the byte.
        QTest::addRow("place a lamp") << Operation([](ExperimentController& c) {
            c.placeComponent(model::Lamp, {400, 100});
        }) << true;
        QTest::addRow("place a motor") << Operation([](ExperimentController& c) {
            c.placeComponent(model::Motor, {400, 100});
        }) << true;
        QTest::addRow("a second source is refused") << Operation([](ExperimentController& c) {
            c.placeComponent(model::Source, {400, 100});
        }) << false;
        QTest::addRow("finish a wire") << Operation([](ExperimentController& c) {
            c.startWire("电灯1∧", lampPlus({200, 200}), lampPlus({200, 200}) + QPoint(2, 2));
            c.extendWire({300, 280});
            c.extendWire({330, 330});
            // The pointer reaches the post before the click, as a mouse does.
            c.extendWire(resistorMinus({350, 300}));
            c.finishWire("电阻1∨", resistorMinus({350, 300}), resistorMinus({350, 300}));
        }) << true;
        QTest::addRow("a refused wire") << Operation([](ExperimentController& c) {
            c.startWire("电源1∧", {46, 26}, {46, 26});
            c.extendWire({150, 40});
            c.finishWire("开关1∧", {216, 74}, {216, 74});
        }) << false;
        QTest::addRow("an abandoned wire") << Operation([](ExperimentController& c) {
            c.startWire("电灯1∧", lampPlus({200, 200}), lampPlus({200, 200}));
            c.extendWire({300, 280});
            c.abandonWire();
        }) << false;
        QTest::addRow("delete the lamp")
            << Operation([](ExperimentController& c) { c.deleteComponent(3); }) << true;
        QTest::addRow("delete the source")
            << Operation([](ExperimentController& c) { c.deleteComponent(1); }) << true;
        QTest::addRow("delete wires at a point") << Operation([](ExperimentController& c) {
            c.deleteWiresAt({302, 148});
        }) << true;
        QTest::addRow("a delete click on nothing") << Operation([](ExperimentController& c) {
            c.deleteWiresAt({480, 20});
        }) << false;
        QTest::addRow("a whole drag") << Operation([](ExperimentController& c) {
            c.beginDrag(3, {230, 230});
            c.moveDrag({250, 240});
            c.moveDrag({300, 260});
            c.moveDrag({290, 250});
            c.endDrag();
        }) << true;
        QTest::addRow("a press with the move tool") << Operation([](ExperimentController& c) {
            c.beginDrag(3, {230, 230});
            c.endDrag();
        }) << false;
        QTest::addRow("open the switch")
            << Operation([](ExperimentController& c) { c.toggleSwitch(2); }) << true;
        QTest::addRow("move the slider")
            << Operation([](ExperimentController& c) { c.moveSlider(4, 4); }) << true;
        QTest::addRow("edit the source voltage")
            << Operation([](ExperimentController& c) { c.setFields(1, Field::Voltage, "1.5"); })
            << true;
        QTest::addRow("edit a lamp's rating") << Operation([](ExperimentController& c) {
            c.setFields(3, Field::RatedVoltage, "3", Field::RatedCurrent, "0.2");
        }) << true;
    }
    void undoAndRedoEachOperation() {
        QFETCH(Operation, operation);
        QFETCH(bool, isStep);
        ExperimentController c;
        c.open(circuitText());
        QCOMPARE(c.lastOutcome().status, "提示：电路畅通。");
        c.setCurrentComponent(3);
        const Shown before(c);

        operation(c);
        const Shown after(c);
        QCOMPARE(c.history().count(), isStep ? 1 : 0);
        QCOMPARE(c.experiment().isModified(), isStep);
        if (!isStep) {
            QVERIFY(c.experiment().hasSameStateAs(before.experiment));
            QVERIFY(c.canvases().area() == before.area);
            return;
        }
        QVERIFY(!c.experiment().hasSameStateAs(before.experiment));

        c.undo();
        compareShown(c, before);
        QVERIFY(!c.experiment().isModified());
        c.redo();
        compareShown(c, after);
        QVERIFY(c.experiment().isModified());
        // The panel's component stays only while it exists.
        QVERIFY(c.currentComponent() == 0 || c.experiment().readComponent(c.currentComponent()));
    }

    // The modified flag is the history's distance from the saved state.
    void theModifiedFlagFollowsTheSavedState() {
        ExperimentController c;
        c.open(circuitText());
        QVERIFY(!c.experiment().isModified());
        c.placeComponent(model::Lamp, {400, 100});
        c.placeComponent(model::Lamp, {400, 300});
        QVERIFY(c.experiment().isModified());
        c.undo();
        c.undo();
        QVERIFY(!c.experiment().isModified());
        c.redo();
        c.markSaved();
        QVERIFY(!c.experiment().isModified());
        c.undo();
        QVERIFY(c.experiment().isModified());
        c.redo();
        QVERIFY(!c.experiment().isModified());
        c.redo();
        QVERIFY(c.experiment().isModified());

        // A recovered experiment is unsaved from the start, with no history.
        c.open(circuitText(), ExperimentController::Opened::Unsaved);
        QVERIFY(c.experiment().isModified());
        QVERIFY(!c.history().canUndo());
        c.placeComponent(model::Lamp, {400, 100});
        c.undo();
        QVERIFY(c.experiment().isModified());
    }

    // Undoing the only component leaves a new experiment, shown as one; the
    // numbering it had comes back with redo.
    void undoDownToAnEmptyArea() {
        ExperimentController c;
        c.startNew();
        QSignalSpy emptied(&c, &ExperimentController::emptied);
        c.placeComponent(model::Lamp, {100, 100});
        c.placeComponent(model::Resistor, {300, 100});
        c.deleteComponent(1);
        c.deleteComponent(2);
        QCOMPARE(emptied.count(), 1);
        const Experiment empty = c.experiment();
        QVERIFY(empty.text().isEmpty());
        c.undo();
        QCOMPARE(c.experiment().readComponent(2)->name, "电阻1");
        QCOMPARE(c.experiment().freeNumbers(), QList<int>{1});
        c.undo();
        c.undo();
        c.undo();
        QVERIFY(c.experiment().text().isEmpty());
        QVERIFY(c.canvases().area() == c.canvases().blankImage());
        QVERIFY(!c.experiment().isModified());
        for (int k = 0; k < 4; ++k)
            c.redo();
        QVERIFY(c.experiment().hasSameStateAs(empty));
        // A new placement after undo takes the numbering the undone state had,
        // and the steps undone are gone.
        c.undo();
        c.undo();
        c.placeComponent(model::Lamp, {200, 200});
        QCOMPARE(c.experiment().readComponent(3)->name, "电灯2");
        QVERIFY(!c.history().canRedo());
    }

    void theHistoryIsBounded() {
        ExperimentController c;
        c.startNew();
        for (int k = 0; k < ExperimentController::historyLimit + 15; ++k)
            c.placeComponent(model::Resistor, {20 + k % 400, 40 + k / 400});
        QCOMPARE(c.history().count(), ExperimentController::historyLimit);
        int undone = 0;
        while (c.history().canUndo()) {
            c.undo();
            ++undone;
        }
        QCOMPARE(undone, ExperimentController::historyLimit);
        QCOMPARE(int(c.experiment().components().size()), 15);
        // Beyond the oldest step kept, the saved state cannot be reached.
        QVERIFY(c.experiment().isModified());
    }

    // Opening and a new experiment start the history again.
    void openingAndNewClearTheHistory() {
        ExperimentController c;
        c.open(circuitText());
        c.placeComponent(model::Lamp, {400, 100});
        c.open(circuitText());
        QVERIFY(!c.history().canUndo());
        c.placeComponent(model::Lamp, {400, 100});
        c.startNew();
        QVERIFY(!c.history().canUndo());
        QVERIFY(!c.experiment().isModified());
    }
};

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
