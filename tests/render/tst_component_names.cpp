#include "render_test_support.h"

#include "render/full_redraw.h"
#include "render/motor_animator.h"
#include "render/outcome_painter.h"
#include "render/wire_layer_cache.h"

#include "analysis/analyse.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/wire_edits.h"

#include <QRandomGenerator>
#include <QTest>

#include <limits>

using namespace ampery;
using namespace ampery::render;

namespace {

bool isDark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// The dark pixels of a logical rectangle of an image.
int darkPixels(const QImage& image, const QRect& logical) {
    const qreal ratio = image.devicePixelRatio();
    const QRect device = QRect((QPointF(logical.topLeft()) * ratio).toPoint(),
                               (QSizeF(logical.size()) * ratio).toSize())
                             .intersected(image.rect());
    int count = 0;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            count += isDark(image.pixel(x, y));
    return count;
}

// Whether every pixel of the wire layer is in the area: the area is its own
// AND with the layer.
bool layerIsOnTheArea(const CanvasPair& canvases) {
    const QImage& area = canvases.area();
    const QImage& layer = canvases.wireLayer();
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if ((area.pixel(x, y) & layer.pixel(x, y)) != area.pixel(x, y))
                return false;
    return true;
}

const RedrawOptions withNames{true};

} // namespace

class TestComponentNames : public QObject {
    Q_OBJECT
private slots:
    // The name stands in its line under the box and nowhere else; the box
    // itself is what it is without names.
    void nameStandsUnderItsBoxOnly_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addRow("source") << int(model::Source) << "电源1";
        QTest::addRow("switch") << int(model::Switch) << "开关1";
        QTest::addRow("lamp") << int(model::Lamp) << "电灯12";
        QTest::addRow("resistor") << int(model::Resistor) << "电阻3";
        QTest::addRow("rheostat") << int(model::Rheostat) << "变阻器1";
        QTest::addRow("motor") << int(model::Motor) << "电动机2";
        QTest::addRow("ammeter") << int(model::Ammeter) << "电流器1";
        QTest::addRow("voltmeter") << int(model::Voltmeter) << "电压器1";
        QTest::addRow("name longer than its line")
            << int(model::Lamp) << QString("电灯").repeated(40);
    }
    void nameStandsUnderItsBoxOnly() {
        QFETCH(int, type);
        QFETCH(QString, name);
        const QPoint box(150, 100);
        model::Experiment experiment;
        experiment.addComponent(box.x(), box.y(), name, type);
        model::Experiment copy = experiment;
        CanvasPair named;
        CanvasPair plain;
        QVERIFY(fullRedraw(experiment, named, m_pictures, nullptr, withNames));
        QVERIFY(fullRedraw(copy, plain, m_pictures));

        const QRect line = CanvasPair::NamePainter::nameRect(box);
        QVERIFY(line.top() >= box.y() + pictureSize.height());
        QVERIFY(darkPixels(named.area(), line) > 30);
        QCOMPARE(darkPixels(plain.area(), line), 0);
        QCOMPARE(test::boxOf(named.area(), box), test::boxOf(plain.area(), box));
        // Everywhere outside the line the two pictures agree.
        for (int y = 0; y < named.area().height(); ++y)
            for (int x = 0; x < named.area().width(); ++x)
                if (!line.contains(x, y))
                    QCOMPARE(named.area().pixel(x, y), plain.area().pixel(x, y));
    }

    // The text is centred under the box: as much of it stands left of the
    // box's middle as right of it.
    void nameIsCentredUnderTheBox() {
        const QPoint box(150, 100);
        model::Experiment experiment;
        experiment.addComponent(box.x(), box.y(), "电灯1", model::Lamp);
        CanvasPair canvases;
        fullRedraw(experiment, canvases, m_pictures, nullptr, withNames);
        const QRect line = CanvasPair::NamePainter::nameRect(box);
        int left = line.right();
        int right = line.left();
        for (int y = line.top(); y <= line.bottom(); ++y)
            for (int x = line.left(); x <= line.right(); ++x)
                if (isDark(canvases.area().pixel(x, y))) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY(left < right);
        const int middle = box.x() + pictureSize.width() / 2;
        QVERIFY2(std::abs((middle - left) - (right - middle)) <= 3,
                 qPrintable(QString("text from %1 to %2").arg(left).arg(right)));
    }

    // A lit lamp's picture replaces the dark one in its box; its name, and
    // the name of a component whose line lies in that box, stay as they were,
    // once each.
    void analysisStepsKeepTheNames() {
        model::Experiment e;
        e.addComponent(20, 100, e.nameNewComponent(model::Source), model::Source);
        const QPoint lamp(200, 100);
        e.addComponent(lamp.x(), lamp.y(), e.nameNewComponent(model::Lamp), model::Lamp);
        // A resistor above the lamp: its name lies inside the lamp's box.
        const QPoint above(200, 20);
        e.addComponent(above.x(), above.y(), e.nameNewComponent(model::Resistor), model::Resistor);
        QVERIFY(model::appendWire(e, "电源1∧", "电灯1∧", "46|106┇46|60┇150|60┇150|154┇216|154"));
        // Neither wire crosses the lamp's line.
        QVERIFY(model::appendWire(e, "电源1∨", "电灯1∨", "68|106┇68|250┇300|250┇300|152┇262|152"));
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        QVERIFY(fullRedraw(e, canvases, m_pictures, nullptr, withNames));
        const QRect lampLine = CanvasPair::NamePainter::nameRect(lamp);
        const QRect aboveLine = CanvasPair::NamePainter::nameRect(above);
        const QImage lampNameBefore = canvases.area().copy(lampLine);
        const int aboveDarkBefore = darkPixels(canvases.wireLayer(), aboveLine);

        const analysis::AnalysisOutcome outcome = analysis::analyse(e);
        QVERIFY(!outcome.steps.isEmpty());
        OutcomePainter(canvases, m_pictures, motors).apply(outcome.steps);

        QCOMPARE(canvases.area().copy(lampLine), lampNameBefore);
        QCOMPARE(darkPixels(canvases.wireLayer(), aboveLine), aboveDarkBefore);
        QVERIFY(layerIsOnTheArea(canvases));
        // The name drawn alone once is what stands there.
        CanvasPair alone;
        CanvasPair::NamePainter(alone).drawName("电灯1", lamp);
        QCOMPARE(canvases.wireLayer().copy(lampLine), alone.wireLayer().copy(lampLine));
    }

    // A turning motor's frames replace its picture in its box; its name
    // stays as it was.
    void turningMotorKeepsItsName() {
        const QPoint box(100, 60);
        model::Experiment e;
        e.addComponent(box.x(), box.y(), "电动机1", model::Motor);
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        fullRedraw(e, canvases, m_pictures, nullptr, withNames);
        const QRect line = CanvasPair::NamePainter::nameRect(box);
        const QImage name = canvases.area().copy(line);
        const QImage still = test::boxOf(canvases.area(), box);
        analysis::DisplayStep turn;
        turn.kind = analysis::DisplayStep::Kind::SetMotorSlot;
        turn.slot = 0;
        turn.x = box.x();
        turn.y = box.y();
        turn.interval = 100;
        OutcomePainter(canvases, m_pictures, motors).apply({turn});
        for (int k = 0; k < 3; ++k)
            motors.tick(0);
        QVERIFY(test::boxOf(canvases.area(), box) != still);
        QCOMPARE(canvases.area().copy(line), name);
    }

    // Names are written over the wires at each redraw, the cached still wires
    // of a drag included: the picture is the one of a redraw without cache.
    void cachedWiresGiveTheSameNamedPicture_data() {
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.0, 1.25, 2.0})
            QTest::addRow("ratio %g", ratio) << ratio;
    }
    void cachedWiresGiveTheSameNamedPicture() {
        QFETCH(qreal, ratio);
        const PictureTable pictures(ratio);
        CanvasPair cached(CanvasPair::defaultSize, ratio);
        QRandomGenerator random(5);
        model::Experiment e;
        QStringList names;
        for (int k = 0; k < 8; ++k) {
            const int type = 1 + k % 8;
            names.append(e.nameNewComponent(type));
            e.addComponent(random.bounded(400), random.bounded(320), names.last(), type);
        }
        QStringList moving;
        // Each pair of posts once: a second wire between them is refused.
        for (int k = 0; k < 8; ++k) {
            QStringList points;
            for (int n = 0; n < 6; ++n)
                points.append(QString("%1|%2").arg(random.bounded(490)).arg(random.bounded(400)));
            QVERIFY(model::appendWire(e, model::terminalName(names[k % 8], true),
                                      model::terminalName(names[(k + 3) % 8], false),
                                      points.join("┇")));
            if (k < 3)
                moving.append(points.join("┇"));
        }
        const WireLayerCache stillWires(e.text(), moving, cached);
        // The first component moves, and its wires with it.
        e.setFields(1, model::Field::X, "333");
        QString& text = e.editableText();
        for (const QString& track : moving)
            text.replace(track, QString(track).replace("|", "|1"));

        model::Experiment copy = e;
        CanvasPair full(cached.size(), ratio);
        fullRedraw(e, cached, pictures, &stillWires, withNames);
        fullRedraw(copy, full, pictures, nullptr, withNames);
        QCOMPARE(cached.wireLayer(), full.wireLayer());
        QCOMPARE(cached.area(), full.area());
        QVERIFY(darkPixels(full.area(),
                           CanvasPair::NamePainter::nameRect({333, e.readComponent(1)->y})) > 20);
    }

    // Stored positions may be anything; a line outside the area writes
    // nothing, one partly inside writes what falls inside.
    void namesAtAnyPosition_data() {
        constexpr int most = std::numeric_limits<int>::max();
        constexpr int least = std::numeric_limits<int>::min();
        QTest::addColumn<QPoint>("box");
        QTest::addColumn<bool>("visible");
        QTest::addRow("largest") << QPoint(most, most) << false;
        QTest::addRow("smallest") << QPoint(least, least) << false;
        QTest::addRow("largest x") << QPoint(most, 10) << false;
        QTest::addRow("smallest x") << QPoint(least, 10) << false;
        QTest::addRow("largest y") << QPoint(10, most) << false;
        QTest::addRow("below the area") << QPoint(100, 400) << false;
        QTest::addRow("box above, name inside") << QPoint(100, -70) << true;
        QTest::addRow("half off the left") << QPoint(-40, 100) << true;
        QTest::addRow("half off the right") << QPoint(450, 100) << true;
    }
    void namesAtAnyPosition() {
        QFETCH(QPoint, box);
        QFETCH(bool, visible);
        CanvasPair canvases;
        CanvasPair::NamePainter(canvases).drawName("电阻1", box);
        QCOMPARE(!test::isWhite(canvases.wireLayer()), visible);
    }

private:
    const PictureTable m_pictures;
};

QTEST_MAIN(TestComponentNames)
#include "tst_component_names.moc"
