#include "render_test_support.h"

#include "model/picture_choice.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ampery::render;
namespace picture = ampery::model::picture;

class TestCanvasPair : public QObject {
    Q_OBJECT
private slots:
    void startsWhiteAtItsSize() {
        const CanvasPair canvases;
        QCOMPARE(canvases.area().size(), QSize(490, 400));
        QCOMPARE(canvases.wireLayer().size(), QSize(490, 400));
        QVERIFY(test::isWhite(canvases.area()));
        QVERIFY(test::isWhite(canvases.wireLayer()));
    }

    void wireIsTwoPixelsOfItsColourOnTheLayerOnly() {
        CanvasPair canvases(QSize(100, 50));
        canvases.drawLine(QPoint(10, 20), QPoint(90, 20));
        QVERIFY(test::isWhite(canvases.area()));
        int coloured = 0;
        for (int y = 0; y < 50; ++y) {
            const QRgb pixel = canvases.wireLayer().pixel(50, y);
            if (pixel != qRgb(255, 255, 255)) {
                QCOMPARE(pixel, CanvasPair::wireColour);
                ++coloured;
            }
        }
        QCOMPARE(coloured, CanvasPair::wireWidth);
    }

    // A wire across a picture shows over it, each pixel the AND of both.
    void combineLaysWiresOverPictures() {
        CanvasPair canvases(QSize(200, 100));
        const QPoint box(40, 10);
        canvases.drawPicture(m_pictures.picture(picture::source), box);
        const QImage pictureOnly = canvases.area();
        canvases.drawLine(QPoint(0, 40), QPoint(199, 40));
        canvases.combine();
        int darkened = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                const QRgb expected = pictureOnly.pixel(x, y) & canvases.wireLayer().pixel(x, y);
                QCOMPARE(canvases.area().pixel(x, y), expected);
                darkened += expected != pictureOnly.pixel(x, y);
            }
        }
        QVERIFY(darkened >= 2 * 200 - 4); // the wire shows across the whole width
    }

    void replacingAPictureInItsBoxLeavesNothingOfTheOld_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addRow("bright lamp goes dark") << picture::lampBright << picture::lampDark;
        QTest::addRow("broken lamp goes dark") << picture::lampBroken << picture::lampDark;
        QTest::addRow("switch closes") << picture::switchOpen << picture::switchClosed;
    }
    void replacingAPictureInItsBoxLeavesNothingOfTheOld() {
        QFETCH(int, before);
        QFETCH(int, after);
        CanvasPair canvases(QSize(200, 100));
        const QPoint box(30, 20);
        canvases.drawPicture(m_pictures.picture(before), box);
        canvases.clearBox(box);
        canvases.drawPicture(m_pictures.picture(after), box);
        QCOMPARE(test::boxOf(canvases.area(), box), test::onWhite(m_pictures.picture(after)));
        // Drawing in place without clearing would have kept parts of the old picture.
        CanvasPair merged(QSize(200, 100));
        merged.drawPicture(m_pictures.picture(before), box);
        merged.drawPicture(m_pictures.picture(after), box);
        QVERIFY(merged.area() != canvases.area());
    }

    void resizeReallocatesOnlyForANewSize() {
        CanvasPair canvases(QSize(100, 80));
        canvases.drawLine(QPoint(0, 5), QPoint(99, 5));
        const uchar* bits = canvases.wireLayer().constBits();
        canvases.resize(QSize(100, 80), 1.0);
        QCOMPARE(canvases.wireLayer().constBits(), bits);
        QVERIFY(!test::isWhite(canvases.wireLayer()));
        canvases.resize(QSize(120, 80), 1.0);
        QCOMPARE(canvases.area().size(), QSize(120, 80));
        QVERIFY(test::isWhite(canvases.wireLayer()));
    }

    // Geometry stays logical: at ratio 2 the box, the picture and the pen cover
    // twice the device pixels, and a picture built for that ratio lands 1:1.
    void drawsInLogicalPixelsAtDeviceResolution() {
        const PictureTable sharp(2.0);
        CanvasPair canvases(QSize(200, 100), 2.0);
        QCOMPARE(canvases.area().size(), QSize(400, 200));
        QCOMPARE(canvases.area().devicePixelRatio(), 2.0);
        const QPoint box(50, 10);
        canvases.drawPicture(sharp.picture(picture::resistor), box);
        QCOMPARE(test::boxOf(canvases.area(), box),
                 test::onWhite(sharp.picture(picture::resistor)));
        canvases.drawLine(QPoint(0, 90), QPoint(199, 90));
        int coloured = 0;
        for (int y = 0; y < 200; ++y)
            coloured += canvases.wireLayer().pixel(20, y) == CanvasPair::wireColour;
        QCOMPARE(coloured, 2 * CanvasPair::wireWidth);
    }

    // combine() works only where an image changed since the last combine; a
    // change it missed would leave the area short of the AND of both images.
    void everyCombineEqualsTheAndOfTheWholeImages_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<quint32>("seed");
        QTest::addRow("ratio 1") << 1.0 << 1u;
        QTest::addRow("ratio 1.25") << 1.25 << 2u;
        QTest::addRow("ratio 2") << 2.0 << 3u;
    }
    void everyCombineEqualsTheAndOfTheWholeImages() {
        QFETCH(qreal, ratio);
        QFETCH(quint32, seed);
        const PictureTable pictures(ratio);
        const QSize size(230, 170);
        CanvasPair canvases(size, ratio);
        // The same steps on plain images, combined whole by QPainter.
        QImage area = canvases.blankImage();
        QImage wires = canvases.blankImage();
        const auto andWhole = [&] {
            QPainter painter(&area);
            painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            painter.drawImage(QPoint(0, 0), wires);
        };
        const auto drawLine = [](QImage& image, QPoint from, QPoint to) {
            QPainter painter(&image);
            painter.setPen(QPen(QColor(CanvasPair::wireColour), CanvasPair::wireWidth));
            painter.drawLine(from, to);
        };

        QRandomGenerator random(seed);
        const auto point = [&] {
            return QPoint(random.bounded(-60, size.width() + 10),
                          random.bounded(-50, size.height() + 10));
        };
        for (int step = 0; step < 150; ++step) {
            const QPoint at = point();
            switch (random.bounded(7)) {
            case 0:
            case 1: {
                const QImage& picture = pictures.picture(random.bounded(picture::count));
                canvases.drawPicture(picture, at);
                QPainter(&area).drawImage(at, picture);
                break;
            }
            case 2:
                canvases.clearBox(at);
                QPainter(&area).fillRect(QRect(at, pictureSize), Qt::white);
                break;
            case 3: {
                const QPoint to = point();
                canvases.drawLine(at, to);
                drawLine(wires, at, to);
                break;
            }
            case 4:
                canvases.combine();
                andWhole();
                break;
            case 5: {
                QImage layer = canvases.blankImage();
                drawLine(layer, at, point());
                QVERIFY(canvases.setWireLayer(layer));
                wires = layer;
                break;
            }
            case 6:
                canvases.clearAreaAndCombine();
                area.fill(Qt::white);
                andWhole();
                break;
            }
            QCOMPARE(canvases.wireLayer(), wires);
            QCOMPARE(canvases.area(), area);
        }
        QVERIFY(!canvases.setWireLayer(CanvasPair(size + QSize(1, 0), ratio).wireLayer()));
        QCOMPARE(canvases.wireLayer(), wires);
    }

private:
    const PictureTable m_pictures;
};

QTEST_GUILESS_MAIN(TestCanvasPair)
#include "tst_canvas_pair.moc"
