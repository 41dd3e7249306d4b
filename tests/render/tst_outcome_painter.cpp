#include "render_test_support.h"

#include "render/motor_animator.h"
#include "render/outcome_painter.h"

#include "model/picture_choice.h"

#include <QTest>

using namespace ampery;
using namespace ampery::render;
using Kind = analysis::DisplayStep::Kind;
namespace picture = model::picture;

namespace {

analysis::DisplayStep showPicture(int index, QPoint topLeft) {
    analysis::DisplayStep step;
    step.kind = Kind::ShowPicture;
    step.picture = index;
    step.x = topLeft.x();
    step.y = topLeft.y();
    return step;
}

analysis::DisplayStep combine() {
    return {};
}

analysis::DisplayStep setMotorSlot(int slot, QPoint topLeft, int direction, int interval) {
    analysis::DisplayStep step;
    step.kind = Kind::SetMotorSlot;
    step.slot = slot;
    step.x = topLeft.x();
    step.y = topLeft.y();
    step.direction = direction;
    step.interval = interval;
    return step;
}

} // namespace

class TestOutcomePainter : public QObject {
    Q_OBJECT
private slots:
    // A bright lamp with a wire across it goes dark: the new picture replaces
    // the old one entirely, and the wire shows only if a combine follows.
    void appliesPicturesAndCombinesInOrder_data() {
        QTest::addColumn<bool>("combineLast");
        QTest::addRow("picture then combine") << true;
        QTest::addRow("combine then picture") << false;
    }
    void appliesPicturesAndCombinesInOrder() {
        QFETCH(bool, combineLast);
        const QPoint box(60, 40);
        const QPoint onWire(100, 70);
        CanvasPair canvases;
        canvases.drawPicture(m_pictures.picture(picture::lampBright), box);
        canvases.drawLine(QPoint(0, onWire.y()), QPoint(300, onWire.y()));
        MotorAnimator motors(canvases, m_pictures);
        QList<analysis::DisplayStep> steps{showPicture(picture::lampDark, box)};
        if (combineLast)
            steps.append(combine());
        else
            steps.prepend(combine());
        OutcomePainter(canvases, m_pictures, motors).apply(steps);

        const QImage dark = test::onWhite(m_pictures.picture(picture::lampDark));
        const QImage shown = test::boxOf(canvases.area(), box);
        const QPoint inBox = onWire - box;
        const QRgb expectedOnWire =
            combineLast ? dark.pixel(inBox) & CanvasPair::wireColour : dark.pixel(inBox);
        QCOMPARE(shown.pixel(inBox), expectedOnWire);
        // Away from the wire the box shows the dark lamp alone: no rays remain.
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (canvases.wireLayer().pixel(box + QPoint(x, y)) == qRgb(255, 255, 255))
                    QCOMPARE(shown.pixel(x, y), dark.pixel(x, y));
        // Outside the box the wire shows either way.
        QCOMPARE(canvases.area().pixel(20, onWire.y()), CanvasPair::wireColour);
    }

    void handsMotorStepsToTheAnimator() {
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        OutcomePainter painter(canvases, m_pictures, motors);
        painter.apply({setMotorSlot(2, QPoint(30, 40), 0, 250), setMotorSlot(4, QPoint(), 1, 90)});
        QCOMPARE(motors.interval(2), 250);
        QCOMPARE(motors.interval(4), 90);
        motors.tick(2);
        QCOMPARE(test::boxOf(canvases.area(), QPoint(30, 40)),
                 test::onWhite(m_pictures.picture(MotorAnimator::framePicture(1, 0))));

        analysis::DisplayStep stopAll;
        stopAll.kind = Kind::StopAllMotors;
        painter.apply({stopAll, setMotorSlot(4, QPoint(), 1, 800)});
        QVERIFY(!motors.isRunning(2));
        QCOMPARE(motors.interval(4), 800);
    }

private:
    const PictureTable m_pictures;
};

QTEST_GUILESS_MAIN(TestOutcomePainter)
#include "tst_outcome_painter.moc"
