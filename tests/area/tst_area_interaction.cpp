#include "window_fixture.h"

#include "app/palette.h"
#include "area/area_interaction.h"
#include "model/component_type.h"
#include "model/wire_edits.h"

#include <QMouseEvent>
#include <QRadioButton>

using namespace ampery;
using area::PaletteButton;

namespace {

struct Mouse {
    QWidget* area;

    void click(QPoint p) const { QTest::mouseClick(area, Qt::LeftButton, {}, p); }
    void rightClick(QPoint p) const { QTest::mouseClick(area, Qt::RightButton, {}, p); }
    void doubleClick(QPoint p) const {
        click(p);
        QTest::mouseDClick(area, Qt::LeftButton, {}, p);
    }
    // A move with no button held, as while drawing a wire.
    void hover(QPoint p) const {
        QMouseEvent move(QEvent::MouseMove, p, area->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(area, &move);
    }
    void drag(QPoint from, QPoint to) const {
        QTest::mousePress(area, Qt::LeftButton, {}, from);
        QTest::mouseMove(area, (from + to) / 2);
        QTest::mouseMove(area, to);
        QTest::mouseRelease(area, Qt::LeftButton, {}, to);
    }
    // A wire from one post to another through a few points.
    void wire(QPoint from, QPoint to) const {
        click(from);
        hover(from + QPoint(5, 20));
        hover(to + QPoint(-5, 20));
        hover(to);
        click(to);
    }
};

struct AreaFixture : WindowFixture {
    Mouse mouse{find<QWidget>("画板1")};

    void choose(PaletteButton button) {
        QTest::mouseClick(window->palette().button(button), Qt::LeftButton);
    }
    // Places a component of the palette button's type centred on the point.
    void place(PaletteButton button, QPoint centre) {
        choose(button);
        mouse.click(centre);
    }
    QPoint topLeft(int number) {
        const auto c = experiment().readComponent(number);
        return c ? QPoint(c->x, c->y) : QPoint(-999, -999);
    }
};

// Attach points of the posts, from the box's top-left corner.
QPoint sourcePlus(QPoint tl) {
    return tl + QPoint(26, 6);
}
QPoint sourceMinus(QPoint tl) {
    return tl + QPoint(48, 6);
}
QPoint lampPlus(QPoint tl) {
    return tl + QPoint(16, 54);
} // switches too
QPoint lampMinus(QPoint tl) {
    return tl + QPoint(62, 52);
}
QPoint meterMinus(QPoint tl) {
    return tl + QPoint(18, 48);
}
QPoint meterPlus(QPoint tl) {
    return tl + QPoint(44, 48);
}

} // namespace

class TestAreaInteraction : public QObject {
    Q_OBJECT
private slots:
    void aStudentBuildsASwitchedLamp() {
        AreaFixture f;
        f.place(PaletteButton::Source, {80, 100});
        QCOMPARE(f.topLeft(1), QPoint(42, 66));
        f.place(PaletteButton::Switch, {200, 200});
        f.place(PaletteButton::Lamp, {360, 100});
        QCOMPARE(f.experiment().readComponent(3)->name, "电灯1");
        QVERIFY(f.status().isEmpty()); // placing never analyses

        f.choose(PaletteButton::Wire);
        f.mouse.wire(sourcePlus(f.topLeft(1)), lampPlus(f.topLeft(2)));
        QVERIFY(f.experiment().text().contains("⊙电源1∧|开关1∧¤"));
        f.mouse.wire(lampMinus(f.topLeft(2)), lampPlus(f.topLeft(3)));
        f.mouse.wire(lampMinus(f.topLeft(3)), sourceMinus(f.topLeft(1)));
        QCOMPARE(f.status(), "提示：电源没有形成回路。");

        f.choose(PaletteButton::Select);
        f.mouse.doubleClick({200, 200});
        QCOMPARE(f.experiment().readComponent(2)->state, 1);
        QCOMPARE(f.status(), "提示：电路畅通。");
        QCOMPARE(f.analysedPicture(3), 5);
        f.mouse.doubleClick({200, 200});
        QCOMPARE(f.status(), "提示：电源没有形成回路。");
    }

    void aMouseWireStoresEveryPoint() {
        AreaFixture f;
        f.place(PaletteButton::Lamp, {100, 100});
        f.place(PaletteButton::Lamp, {300, 100});
        f.choose(PaletteButton::Wire);
        const QPoint start = lampPlus(f.topLeft(1)) + QPoint(3, 2); // a click off the centre
        const QPoint end = lampMinus(f.topLeft(2));
        f.mouse.click(start);
        f.mouse.hover({100, 200});
        f.mouse.hover({200, 210});
        f.mouse.hover({300, 200});
        f.mouse.click(end);
        QVERIFY2(f.experiment().text().endsWith(
                     "⊙电灯1∧|电灯2∨¤78|120┇81|122┇100|200┇200|210┇300|200┇324|118┇324|118‖"),
                 qPrintable(f.experiment().text()));
    }

    // The second of two quick clicks at one place arrives as a double click.
    void quickSecondClickWithTheWireTool() {
        AreaFixture f;
        f.place(PaletteButton::Lamp, {100, 100});
        f.place(PaletteButton::Lamp, {300, 100});
        f.choose(PaletteButton::Wire);
        const QPoint end = lampMinus(f.topLeft(2));
        f.mouse.wire(lampPlus(f.topLeft(1)), end);
        QVERIFY(!f.window->controller().wireInProgress());
        QTest::mouseDClick(f.mouse.area, Qt::LeftButton, {}, end);
        QVERIFY(f.window->controller().wireInProgress());
        QCOMPARE(f.window->controller().pendingWireStart(), "电灯2∨");
        f.mouse.hover(end + QPoint(0, 40));
        f.mouse.click(lampPlus(f.topLeft(2)));
        QVERIFY(f.experiment().text().contains("⊙电灯2∨|电灯2∧¤"));
    }
    void quickSecondClickWithAPlaceTool() {
        AreaFixture f;
        f.choose(PaletteButton::Lamp);
        f.mouse.click({100, 100});
        QTest::mouseDClick(f.mouse.area, Qt::LeftButton, {}, {100, 100});
        QCOMPARE(f.experiment().components().size(), 2u);
        QCOMPARE(f.experiment().readComponent(2)->name, "电灯2");
    }

    void refusedAndAbandonedWires() {
        AreaFixture f;
        f.place(PaletteButton::Lamp, {100, 100});
        f.place(PaletteButton::Lamp, {300, 100});
        f.choose(PaletteButton::Wire);
        f.mouse.wire(lampPlus(f.topLeft(1)), lampPlus(f.topLeft(1)));
        QVERIFY(!f.experiment().text().contains("⊙"));
        f.mouse.wire(lampPlus(f.topLeft(1)), lampMinus(f.topLeft(2)));
        const QString one = f.experiment().text();
        f.mouse.wire(lampMinus(f.topLeft(2)), lampPlus(f.topLeft(1)));
        QCOMPARE(f.experiment().text(), one);
        f.mouse.click(lampMinus(f.topLeft(1)));
        f.mouse.hover({200, 300});
        f.mouse.rightClick({200, 300});
        QVERIFY(!f.window->controller().wireInProgress());
        QCOMPARE(f.experiment().text(), one);
        QVERIFY(f.find<QRadioButton>("单选框_导线")->isChecked()); // the tool stays
    }

    void metersAddedByMouse() {
        AreaFixture f;
        f.place(PaletteButton::Source, {80, 100});
        f.place(PaletteButton::Lamp, {360, 100});
        f.place(PaletteButton::Ammeter, {200, 250});
        f.place(PaletteButton::Voltmeter, {360, 300});
        f.choose(PaletteButton::Wire);
        f.mouse.wire(sourcePlus(f.topLeft(1)), meterPlus(f.topLeft(3)));
        f.mouse.wire(meterMinus(f.topLeft(3)), lampPlus(f.topLeft(2)));
        f.mouse.wire(lampMinus(f.topLeft(2)), sourceMinus(f.topLeft(1)));
        QCOMPARE(f.status(), "提示：电路畅通。   电流器1测量值为：0.6安培");
        QCOMPARE(f.analysedPicture(3), 19);
        f.mouse.wire(meterPlus(f.topLeft(4)), lampPlus(f.topLeft(2)));
        QCOMPARE(
            f.status(),
            "提示：电路畅通。   电流器1测量值为：0.6安培   电压器1某端空接或者与无效电路连接。");
        f.mouse.wire(meterMinus(f.topLeft(4)), lampMinus(f.topLeft(2)));
        QCOMPARE(f.status(),
                 "提示：电路畅通。   电流器1测量值为：0.6安培   电压器1测量值为：6伏特");
        QCOMPARE(f.analysedPicture(4), 23);
    }

    void limitsRefusePlacement() {
        AreaFixture f;
        f.place(PaletteButton::Source, {80, 100});
        f.place(PaletteButton::Source, {300, 100});
        QCOMPARE(f.experiment().components().size(), std::size_t(1));
        QCOMPARE(f.prompts.shown.last().text, "一个实验只能放置一个电源。");
        QCOMPARE(f.prompts.shown.last().title, "提示：");
        for (int k = 0; k < 10; ++k)
            f.place(PaletteButton::Motor, {40 + 40 * k, 300});
        QCOMPARE(f.experiment().components().size(), std::size_t(11));
        QCOMPARE(f.experiment().motorSlots()[9], "电动机1"); // the last free slot first
        f.mouse.click({200, 200});
        QCOMPARE(f.experiment().components().size(), std::size_t(11));
        QCOMPARE(f.prompts.shown.last().text, "一个实验最多只能放置10个电动机。");
        QCOMPARE(f.window->interaction().toolCode(), 6);
        // After deleting the source the next one is 电源1 again.
        f.place(PaletteButton::Delete, {80, 100});
        f.place(PaletteButton::Source, {80, 100});
        QCOMPARE(f.experiment().readComponent(1)->name, "电源1");
    }

    void selectionAndDeletion() {
        AreaFixture f;
        f.place(PaletteButton::Lamp, {100, 100});
        f.place(PaletteButton::Resistor, {120, 110}); // overlaps the lamp
        f.place(PaletteButton::Lamp, {350, 100});
        f.choose(PaletteButton::Select);
        f.mouse.click({110, 105});
        QCOMPARE(f.window->controller().currentComponent(), 1);
        QCOMPARE(f.panelText("名称编辑框"), "电灯1");
        // A click on the right edge of a box still hits it.
        f.mouse.click(f.topLeft(3) + QPoint(77, 68));
        QCOMPARE(f.window->controller().currentComponent(), 3);

        f.place(PaletteButton::Resistor, {250, 300});
        const QPoint resistorPlus = f.topLeft(4) + QPoint(4, 34);
        f.choose(PaletteButton::Wire);
        f.mouse.wire(resistorPlus, lampMinus(f.topLeft(3)));
        f.mouse.wire(resistorPlus, lampPlus(f.topLeft(1)));
        f.mouse.wire(lampMinus(f.topLeft(1)), lampPlus(f.topLeft(3)));
        f.choose(PaletteButton::Delete);
        // Left of the resistor's box, near its plus post: every wire there goes.
        f.mouse.click(resistorPlus + QPoint(-7, 3));
        QVERIFY(f.experiment().readComponent(4));
        QVERIFY(f.experiment().text().contains("⊙电灯1∨|电灯2∧"));
        QVERIFY(!f.experiment().text().contains("电阻2∧"));
        f.mouse.click(f.topLeft(1) + QPoint(5, 5));
        QVERIFY(!f.experiment().readComponent(1));
        QVERIFY(!f.experiment().text().contains("⊙")); // its wires went with it
        QVERIFY(f.panelText("名称编辑框").isEmpty());
        QCOMPARE(f.window->controller().currentComponent(), 0);
    }

    void draggingClampsAndStretchesWires() {
        AreaFixture f;
        f.place(PaletteButton::Lamp, {100, 100});
        f.place(PaletteButton::Lamp, {300, 100});
        model::appendWire(f.experiment(), "电灯1∨", "电灯2∧", "124|118┇200|150┇278|120");
        // The wire's ends stay on both posts, also when the edge stops the lamp.
        const auto wireOnBothPosts = [&f] {
            const QString head = "⊙电灯1∨|电灯2∧¤";
            const QString& text = f.experiment().text();
            const QString track = text.mid(text.indexOf(head) + head.size()).chopped(1);
            const auto point = [](QPoint p) { return QString("%1|%2").arg(p.x()).arg(p.y()); };
            return track.startsWith(point(lampMinus(f.topLeft(1))) + "┇") &&
                   track.endsWith("┇" + point(lampPlus(f.topLeft(2))));
        };
        f.choose(PaletteButton::Move);
        f.mouse.drag({100, 100}, {130, 100});
        QCOMPARE(f.topLeft(1), QPoint(92, 66));
        QVERIFY2(f.experiment().text().endsWith("¤154|118┇215|150┇278|120‖"),
                 qPrintable(f.experiment().text()));
        f.mouse.drag({130, 100}, {-200, 100});
        QCOMPARE(f.topLeft(1).x(), -2);
        QVERIFY2(wireOnBothPosts(), qPrintable(f.experiment().text()));
        const QSize area = f.window->controller().canvases().size();
        f.mouse.drag({36, 100}, {2000, 2000});
        QCOMPARE(f.topLeft(1), QPoint(area.width() - 78, area.height() - 70));
        QVERIFY2(wireOnBothPosts(), qPrintable(f.experiment().text()));
        QVERIFY(!f.window->controller().dragInProgress());
    }

    void rheostatSliderZones_data() {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("resistance");
        QTest::addRow("x+30") << 30 << 20 << 0 << "0";
        QTest::addRow("x+31") << 31 << 20 << 1 << "12.5";
        QTest::addRow("x+51") << 51 << 20 << 3 << "37.5";
        QTest::addRow("x+52") << 52 << 33 << 4 << "50";
        QTest::addRow("above the track") << 52 << 11 << 2 << "25";
        QTest::addRow("below the track") << 52 << 34 << 2 << "25";
    }
    void rheostatSliderZones() {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(int, position);
        QFETCH(QString, resistance);
        AreaFixture f;
        f.place(PaletteButton::Rheostat, {200, 150});
        f.choose(PaletteButton::Select);
        f.mouse.click(f.topLeft(1) + QPoint(dx, dy));
        QCOMPARE(f.experiment().readComponent(1)->state, position);
        QCOMPARE(f.experiment().readFieldText(1, model::Field::Resistance), resistance);
        QCOMPARE(f.panelText("电阻值编辑框"), resistance);
    }

    void moveToolDragsARheostat() {
        AreaFixture f;
        f.place(PaletteButton::Rheostat, {200, 150});
        const QPoint tl = f.topLeft(1);
        f.choose(PaletteButton::Move);
        f.mouse.drag(tl + QPoint(60, 20), tl + QPoint(80, 40));
        QCOMPARE(f.experiment().readComponent(1)->state, 2);
        QCOMPARE(f.topLeft(1), tl + QPoint(20, 20));
    }

    void aSwitchStoredAsSevenOpens() {
        AreaFixture f;
        f.place(PaletteButton::Switch, {200, 150});
        f.experiment().setFields(1, model::Field::State, "7");
        f.choose(PaletteButton::Select);
        f.mouse.doubleClick({200, 150});
        QCOMPARE(f.experiment().readFieldText(1, model::Field::State), "0");
    }

    void doubleClickDuringAWireOnlyShowsTheSwitch() {
        AreaFixture f;
        f.place(PaletteButton::Switch, {200, 150});
        f.place(PaletteButton::Lamp, {350, 150});
        f.choose(PaletteButton::Wire);
        f.mouse.click(lampPlus(f.topLeft(2)));
        f.window->palette().check(PaletteButton::Select); // as a script would, no hover
        f.mouse.doubleClick({200, 150});
        QCOMPARE(f.experiment().readFieldText(1, model::Field::State), "0");
    }
};

QTEST_MAIN(TestAreaInteraction)
#include "tst_area_interaction.moc"
