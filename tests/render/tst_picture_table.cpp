#include "render_test_support.h"

#include "model/picture_choice.h"

#include <QTest>

#include <array>

using namespace ampery::render;
namespace picture = ampery::model::picture;

namespace {

struct AttachPoints {
    int first;
    int last;
    QPoint positive;
    QPoint negative;
};

// Where the wires of each type meet its binding posts, in box coordinates.
constexpr std::array<AttachPoints, 6> attachPoints{{
    {picture::source, picture::source, {26, 6}, {48, 6}},
    {picture::switchOpen, picture::lampBroken, {16, 54}, {62, 52}},
    {picture::resistor, picture::resistor, {4, 34}, {72, 34}},
    {picture::rheostatFirst, picture::rheostatFirst + 4, {22, 32}, {72, 20}},
    {picture::motorFirst, picture::motorFirst + 3, {40, 0}, {18, 8}},
    {picture::ammeterFirst, picture::count - 1, {44, 48}, {18, 48}},
}};

bool isOpaque(const QImage& image, QPoint p) {
    return qAlpha(image.pixel(p)) == 255;
}

QImage alphaOf(const QImage& image) {
    return image.convertToFormat(QImage::Format_Alpha8);
}

} // namespace

class TestPictureTable : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_pictures.isComplete()); }

    void attachPointsAreOnOpaquePosts_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("point");
        for (const AttachPoints& type : attachPoints) {
            for (int index = type.first; index <= type.last; ++index) {
                QTest::addRow("%d +", index) << index << type.positive;
                QTest::addRow("%d -", index) << index << type.negative;
            }
        }
    }
    void attachPointsAreOnOpaquePosts() {
        QFETCH(int, index);
        QFETCH(QPoint, point);
        QVERIFY(isOpaque(m_pictures.picture(index), point));
    }

    void cornersAreTransparentAndEveryPixelBinary_data() {
        QTest::addColumn<int>("index");
        for (int index = 0; index < picture::count; ++index)
            QTest::addRow("%d", index) << index;
    }
    void cornersAreTransparentAndEveryPixelBinary() {
        QFETCH(int, index);
        const QImage& image = m_pictures.picture(index);
        QCOMPARE(image.size(), pictureSize);
        const int right = pictureSize.width() - 1;
        const int bottom = pictureSize.height() - 1;
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        int opaque = 0;
        for (int y = 0; y <= bottom; ++y) {
            for (int x = 0; x <= right; ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                QVERIFY2(alpha == 0 || alpha == 255,
                         qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
                opaque += alpha == 255;
            }
        }
        QVERIFY(opaque > pictureSize.width() * pictureSize.height() / 10);
    }

    // The slider seen in each rheostat picture, found as the pixels of the
    // slider's track that no other position shares, sits in that position's
    // click zone.
    void rheostatSliderIsInItsZone_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("left"); // the zone excludes its left end
        QTest::addColumn<int>("right");
        QTest::addRow("0") << 0 << 0 << 30;
        QTest::addRow("1") << 1 << 30 << 37;
        QTest::addRow("2") << 2 << 37 << 44;
        QTest::addRow("3") << 3 << 44 << 51;
        QTest::addRow("4") << 4 << 51 << 77;
    }
    void rheostatSliderIsInItsZone() {
        QFETCH(int, position);
        QFETCH(int, left);
        QFETCH(int, right);
        const QImage& own = m_pictures.picture(picture::rheostatFirst + position);
        int count = 0;
        int sumX = 0;
        for (int y = 12; y <= 33; ++y) {
            for (int x = 0; x < pictureSize.width(); ++x) {
                bool unique = true;
                for (int other = 0; other < 5 && unique; ++other)
                    unique = other == position ||
                             m_pictures.picture(picture::rheostatFirst + other).pixel(x, y) !=
                                 own.pixel(x, y);
                if (unique) {
                    ++count;
                    sumX += x;
                }
            }
        }
        QVERIFY(count > 0);
        const double centre = double(sumX) / count;
        QVERIFY2(centre > left && centre <= right, qPrintable(QString::number(centre)));
    }

    void motorFramesShareOneSilhouette() {
        const QImage first = alphaOf(m_pictures.picture(picture::motorFirst));
        for (int frame = 1; frame < 4; ++frame)
            QCOMPARE(alphaOf(m_pictures.picture(picture::motorFirst + frame)), first);
    }

    // Ticks draw without clearing, so every frame must cover its predecessor
    // in either direction completely.
    void motorFrameDrawnOverAnotherLooksAsOnWhite_data() {
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("next");
        for (int frame = 0; frame < 4; ++frame) {
            const int a = picture::motorFirst + frame;
            const int b = picture::motorFirst + (frame + 1) % 4;
            QTest::addRow("%d then %d", a, b) << a << b;
            QTest::addRow("%d then %d", b, a) << b << a;
        }
    }
    void motorFrameDrawnOverAnotherLooksAsOnWhite() {
        QFETCH(int, previous);
        QFETCH(int, next);
        CanvasPair canvases(pictureSize);
        canvases.drawPicture(m_pictures.picture(previous), QPoint(0, 0));
        canvases.drawPicture(m_pictures.picture(next), QPoint(0, 0));
        QCOMPARE(canvases.area(), test::onWhite(m_pictures.picture(next)));
    }

    void rendersAtTheDeviceResolution() {
        const PictureTable sharp(2.0);
        QVERIFY(sharp.isComplete());
        const QImage& source = sharp.picture(picture::source);
        QCOMPARE(source.size(), pictureSize * 2);
        QCOMPARE(source.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.eraser().size(), PictureTable::eraserSize * 2);
        // The same drawing, not a scaled copy: the logical attach point is opaque at
        // the matching device pixels.
        QVERIFY(isOpaque(source, QPoint(26, 6) * 2));
    }

    void eraserHasItsTipAtTheHotSpot() {
        const QImage& eraser = m_pictures.eraser();
        QCOMPARE(eraser.size(), PictureTable::eraserSize);
        QVERIFY(isOpaque(eraser, PictureTable::eraserHotSpot));
        QCOMPARE(qAlpha(eraser.pixel(0, 0)), 0);
    }

    void indexOutsideTheTableGivesNoPicture() {
        QVERIFY(m_pictures.picture(-1).isNull());
        QVERIFY(m_pictures.picture(picture::count).isNull());
    }

private:
    const PictureTable m_pictures;
};

QTEST_GUILESS_MAIN(TestPictureTable)
#include "tst_picture_table.moc"
