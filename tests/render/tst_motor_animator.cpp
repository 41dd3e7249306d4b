#include "render_test_support.h"

#include "render/motor_animator.h"

#include "model/picture_choice.h"

#include <QSignalSpy>
#include <QTest>

using namespace ampery::render;
namespace picture = ampery::model::picture;

class TestMotorAnimator : public QObject {
    Q_OBJECT
private slots:
    void framePictureFollowsTheCounter_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QList<int>>("pictures"); // for counters 0, 1, 2, 3
        const int m = picture::motorFirst;
        QTest::addRow("forward") << 1 << QList<int>{m + 3, m, m + 1, m + 2};
        QTest::addRow("backward") << 0 << QList<int>{m, m + 3, m + 2, m + 1};
        QTest::addRow("other direction is backward") << 2 << QList<int>{m, m + 3, m + 2, m + 1};
    }
    void framePictureFollowsTheCounter() {
        QFETCH(int, direction);
        QFETCH(QList<int>, pictures);
        for (int counter = 0; counter < 4; ++counter)
            QCOMPARE(MotorAnimator::framePicture(counter, direction), pictures[counter]);
    }

    // What the area shows after each tick: forward 13, 14, 15, 16, 13, then
    // reversed from where the counter stands.
    void ticksShowTheFramesInTurnAndReverseInPlace() {
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        QSignalSpy changed(&motors, &MotorAnimator::areaChanged);
        const QPoint box(200, 100);
        const int m = picture::motorFirst;
        motors.setSlot(3, box, 1, 0);
        for (const int expected : {m, m + 1, m + 2, m + 3, m, m + 1}) {
            motors.tick(3);
            QCOMPARE(test::boxOf(canvases.area(), box),
                     test::onWhite(m_pictures.picture(expected)));
        }
        QCOMPARE(motors.frameCounter(3), 2);
        motors.setSlot(3, box, 0, 0);
        for (const int expected : {m + 1, m, m + 3, m + 2}) {
            motors.tick(3);
            QCOMPARE(test::boxOf(canvases.area(), box),
                     test::onWhite(m_pictures.picture(expected)));
        }
        QCOMPARE(changed.count(), 10);
        QCOMPARE(motors.frameCounter(0), 0);
    }

    // A stop without a direction keeps the one the motor last turned in.
    void stoppingWithoutADirectionKeepsIt() {
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        const QPoint box(200, 100);
        const int m = picture::motorFirst;
        motors.setSlot(2, box, 1, 250);
        motors.setSlot(2, box, -1, 0);
        QVERIFY(!motors.isRunning(2));
        motors.tick(2);
        QCOMPARE(test::boxOf(canvases.area(), box), test::onWhite(m_pictures.picture(m)));
    }

    void tickKeepsTheWiresOverTheMotor() {
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        const QPoint box(100, 100);
        canvases.drawLine(QPoint(90, 130), QPoint(200, 130));
        motors.setSlot(0, box, 1, 0);
        motors.tick(0);
        const QPoint onWire(140, 130);
        const QRgb motor =
            test::onWhite(m_pictures.picture(picture::motorFirst)).pixel(onWire - box);
        QCOMPARE(canvases.area().pixel(onWire), motor & CanvasPair::wireColour);
    }

    void timerRunsTheSlotAndStoppingKeepsTheCounter() {
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        motors.setSlot(5, QPoint(0, 0), 1, 10);
        QVERIFY(motors.isRunning(5));
        QCOMPARE(motors.interval(5), 10);
        QTRY_VERIFY(motors.frameCounter(5) >= 2);
        motors.setSlot(5, QPoint(0, 0), 1, 0);
        QVERIFY(!motors.isRunning(5));
        QCOMPARE(motors.interval(5), 0);
        const int counter = motors.frameCounter(5);
        QTest::qWait(50);
        QCOMPARE(motors.frameCounter(5), counter);
        QCOMPARE(motors.frameCounter(4), 0);
    }

    void slotsRunIndependently() {
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        motors.setSlot(0, QPoint(0, 0), 1, 10);
        motors.setSlot(1, QPoint(100, 0), 1, 800);
        motors.setSlot(2, QPoint(200, 0), 1, 10);
        motors.stop(2);
        QTRY_VERIFY(motors.frameCounter(0) >= 3);
        QCOMPARE(motors.frameCounter(1), 0);
        QCOMPARE(motors.frameCounter(2), 0);
        QCOMPARE(motors.interval(1), 800);
    }

    void stopAllAndResetStopEverySlot() {
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        for (int slot = 0; slot < 10; ++slot)
            motors.setSlot(slot, QPoint(slot * 10, 0), 1, 250);
        motors.tick(7);
        motors.stopAll();
        for (int slot = 0; slot < 10; ++slot)
            QVERIFY(!motors.isRunning(slot));
        QCOMPARE(motors.frameCounter(7), 1);
        motors.reset();
        QCOMPARE(motors.frameCounter(7), 0);
    }

    void slotsOutsideTheTenAreIgnored() {
        CanvasPair canvases;
        MotorAnimator motors(canvases, m_pictures);
        motors.setSlot(10, QPoint(0, 0), 1, 90);
        motors.setSlot(-1, QPoint(0, 0), 1, 90);
        motors.tick(10);
        QVERIFY(!motors.isRunning(10));
        QVERIFY(test::isWhite(canvases.area()));
    }

private:
    const PictureTable m_pictures;
};

QTEST_GUILESS_MAIN(TestMotorAnimator)
#include "tst_motor_animator.moc"
