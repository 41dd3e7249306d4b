#include "diagram_test_support.h"

#include "diagram/diagram_drawing.h"

#include <QTest>

#include <cmath>

using namespace ampery::diagram;
using namespace ampery::diagram::test;

Q_DECLARE_METATYPE(ampery::diagram::Symbol)
Q_DECLARE_METATYPE(ampery::diagram::SymbolLook)

namespace {

const QList<std::pair<SymbolLook, const char*>> looks = {
    {SymbolLook::Normal, "normal"},     {SymbolLook::Unwired, "unwired"},
    {SymbolLook::LampDim, "dim"},       {SymbolLook::LampBright, "bright"},
    {SymbolLook::LampBroken, "broken"}, {SymbolLook::MotorRunning, "running"},
};

// A symbol of a type in one of four ways: horizontal or vertical, its
// positive post first (left or top) or second, with a margin all round.
Symbol placed(int type, bool isVertical, bool positiveFirst) {
    const QString name = QStringLiteral("元件%1").arg(type);
    return isVertical ? vertical(type, name, {100, 40}, positiveFirst)
                      : horizontal(type, name, {40, 100}, positiveFirst);
}

QImage drawAlone(const Symbol& symbol, bool showValues = true, qreal scale = 1.0) {
    CircuitDiagram diagram;
    diagram.symbols = {symbol};
    diagram.size = QSize(220, 180);
    return diagramImage(diagram, DrawOptions{showValues}, scale);
}

// A pixel along a symbol: from its positive post towards the negative by
// some length, and across the spine towards the label's side.
QRgb along(const QImage& image, const Symbol& symbol, qreal fromPositive, qreal across) {
    const qreal direction = symbol.vertical ? (symbol.negative.y() > symbol.positive.y() ? 1 : -1)
                                            : (symbol.negative.x() > symbol.positive.x() ? 1 : -1);
    const QPointF point =
        symbol.vertical
            ? QPointF(symbol.positive.x() + across, symbol.positive.y() + direction * fromPositive)
            : QPointF(symbol.positive.x() + direction * fromPositive, symbol.positive.y() - across);
    return image.pixel(static_cast<int>(std::floor(point.x())),
                       static_cast<int>(std::floor(point.y())));
}

bool isDark(QRgb pixel) {
    return qGray(pixel) < 128;
}
bool isYellow(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) > 170 && qBlue(pixel) < qGreen(pixel) - 60;
}
bool isRed(QRgb pixel) {
    return qRed(pixel) > 170 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}
bool isBlue(QRgb pixel) {
    return qBlue(pixel) > 150 && qRed(pixel) < 90;
}
bool isBlack(QRgb pixel) {
    return (pixel & 0xffffff) == 0;
}

void addOrientationRows(const char* what, int type) {
    for (const bool isVertical : {false, true})
        for (const bool positiveFirst : {true, false})
            QTest::addRow("%s %s, positive %s", what, isVertical ? "vertical" : "horizontal",
                          positiveFirst ? "first" : "second")
                << placed(type, isVertical, positiveFirst);
}

} // namespace

class TestSymbolDrawing : public QObject {
    Q_OBJECT
private slots:
    void staysInsideItsCell_data() {
        QTest::addColumn<Symbol>("symbol");
        for (int type = Source; type <= lastType + 2; ++type)
            for (const auto& [look, lookName] : looks)
                for (const bool isVertical : {false, true})
                    for (const bool positiveFirst : {true, false}) {
                        Symbol symbol = placed(type, isVertical, positiveFirst);
                        symbol.look = look;
                        symbol.value = QStringLiteral("0.35A");
                        symbol.closed = !positiveFirst;
                        symbol.sliderPosition = positiveFirst ? 0 : 4;
                        QTest::addRow("type %d %s %s %s", type, lookName,
                                      isVertical ? "vertical" : "horizontal",
                                      positiveFirst ? "+first" : "+second")
                            << symbol;
                    }
        for (const bool isVertical : {false, true}) {
            const char* orientation = isVertical ? "vertical" : "horizontal";
            Symbol longLabel = placed(Motor, isVertical, true);
            longLabel.name = QStringLiteral("电动机1234567890电动机1234567890");
            longLabel.value = QStringLiteral("123456789.123456789Ω");
            QTest::addRow("%s long name and value", orientation) << longLabel;
            for (const int position : {-3, 9, 1000}) {
                Symbol slider = placed(Rheostat, isVertical, false);
                slider.sliderPosition = position;
                QTest::addRow("%s slider at %d", orientation, position) << slider;
            }
        }
    }
    void staysInsideItsCell() {
        QFETCH(Symbol, symbol);
        for (const qreal scale : {1.0, 2.0}) {
            const QImage image = drawAlone(symbol, true, scale);
            const QRect cell = pixelsOf(symbol.box, scale);
            QCOMPARE(countPixels(image, image.rect(), isWhite) +
                         countPixels(image, cell, [](QRgb p) { return !isWhite(p); }),
                     image.width() * image.height());
            // The leads reach both posts: the pixels just inside the cell at
            // each post are drawn.
            for (const QPoint post : {symbol.positive, symbol.negative}) {
                QPoint pixel = (QPointF(post) * scale).toPoint();
                if (symbol.vertical && post.y() > symbol.box.top())
                    pixel.ry() -= 1;
                if (!symbol.vertical && post.x() > symbol.box.left())
                    pixel.rx() -= 1;
                QVERIFY2(!isWhite(image.pixel(pixel)),
                         qPrintable(QStringLiteral("post at %1, %2").arg(post.x()).arg(post.y())));
            }
        }
        // The name stands on the label's side: above a horizontal symbol's
        // spine, right of a vertical one's.
        Symbol unnamed = symbol;
        unnamed.name.clear();
        const QImage named = drawAlone(symbol);
        const QImage plain = drawAlone(unnamed);
        int onLabelSide = 0;
        int elsewhere = 0;
        for (int y = 0; y < named.height(); ++y)
            for (int x = 0; x < named.width(); ++x)
                if (named.pixel(x, y) != plain.pixel(x, y)) {
                    const bool side =
                        symbol.vertical ? x > symbol.positive.x() + 2 : y < symbol.positive.y() - 2;
                    (side ? onLabelSide : elsewhere) += 1;
                }
        QVERIFY(onLabelSide > 20);
        QCOMPARE(elsewhere, 0);
    }

    void looksShown_data() {
        QTest::addColumn<Symbol>("symbol");
        QTest::addColumn<bool>("yellow");
        QTest::addColumn<bool>("red");
        QTest::addColumn<bool>("blue");
        QTest::addColumn<bool>("black");
        const struct {
            int type;
            SymbolLook look;
            const char* name;
            bool yellow, red, blue, black;
        } rows[] = {
            {Lamp, SymbolLook::Normal, "dark lamp", false, false, false, true},
            {Lamp, SymbolLook::LampDim, "dim lamp", true, false, false, true},
            {Lamp, SymbolLook::LampBright, "bright lamp", true, false, false, true},
            {Lamp, SymbolLook::LampBroken, "burnt-out lamp", false, true, false, true},
            {Lamp, SymbolLook::Unwired, "unwired lamp", false, false, false, false},
            {Motor, SymbolLook::Normal, "still motor", false, false, false, true},
            {Motor, SymbolLook::MotorRunning, "running motor", false, false, true, true},
            {Motor, SymbolLook::Unwired, "unwired motor", false, false, false, false},
            {Source, SymbolLook::Unwired, "unwired source", false, false, false, false},
            {Switch, SymbolLook::Unwired, "unwired switch", false, false, false, false},
            {Rheostat, SymbolLook::Unwired, "unwired rheostat", false, false, false, false},
            {Ammeter, SymbolLook::Unwired, "unwired ammeter", false, false, false, false},
            {Voltmeter, SymbolLook::Normal, "voltmeter", false, false, false, true},
        };
        for (const auto& row : rows)
            for (const bool isVertical : {false, true}) {
                Symbol symbol = placed(row.type, isVertical, true);
                symbol.look = row.look;
                symbol.value = QStringLiteral("6V");
                QTest::addRow("%s, %s", row.name, isVertical ? "vertical" : "horizontal")
                    << symbol << row.yellow << row.red << row.blue << row.black;
            }
    }
    void looksShown() {
        QFETCH(Symbol, symbol);
        QFETCH(bool, yellow);
        QFETCH(bool, red);
        QFETCH(bool, blue);
        QFETCH(bool, black);
        // Without the value, whose text has a colour of its own.
        const QImage image = drawAlone(symbol, false);
        const QRect cell = pixelsOf(symbol.box, 1.0);
        QCOMPARE(countPixels(image, cell, isYellow) > 30, yellow);
        QCOMPARE(countPixels(image, cell, isYellow) > 0, yellow);
        QCOMPARE(countPixels(image, cell, isRed) > 20, red);
        QCOMPARE(countPixels(image, cell, isBlue) > 20, blue);
        QCOMPARE(countPixels(image, cell, isBlack) > 0, black);
        QVERIFY(countPixels(image, cell, [](QRgb p) { return !isWhite(p); }) > 100);
    }

    void sourceLongPlateIsPositive_data() {
        QTest::addColumn<Symbol>("symbol");
        addOrientationRows("source", Source);
    }
    void sourceLongPlateIsPositive() {
        QFETCH(Symbol, symbol);
        const QImage image = drawAlone(symbol, false);
        // Ten pixels off the spine only the long plate is drawn; it lies on
        // the positive post's half.
        QList<int> plate;
        for (int u = 1; u < cell::length; ++u)
            for (const int across : {10, -10})
                if (isDark(along(image, symbol, u, across)))
                    plate.append(u);
        QVERIFY(!plate.isEmpty());
        for (const int u : plate)
            QVERIFY2(u < cell::length / 2, qPrintable(QString::number(u)));
    }

    void meterPolarityMarks_data() {
        QTest::addColumn<Symbol>("symbol");
        addOrientationRows("ammeter", Ammeter);
        addOrientationRows("voltmeter", Voltmeter);
    }
    void meterPolarityMarks() {
        QFETCH(Symbol, symbol);
        const QImage image = drawAlone(symbol, false);
        // Beside each lead, on the label's side, between the post and the
        // circle: a "+" at the positive post takes more ink than the "−".
        const auto markInk = [&](qreal fromPositive) {
            int count = 0;
            for (qreal u = fromPositive - 6; u <= fromPositive + 6; u += 1)
                for (qreal across = 3; across <= 13; across += 1)
                    count += isDark(along(image, symbol, u, across)) ? 1 : 0;
            return count;
        };
        const int plus = markInk(cell::length / 2.0 - 19);
        const int minus = markInk(cell::length / 2.0 + 19);
        QVERIFY2(minus > 0 && plus > minus * 3 / 2,
                 qPrintable(QStringLiteral("+ %1, − %2").arg(plus).arg(minus)));
    }

    void switchBlade_data() {
        QTest::addColumn<Symbol>("symbol");
        QTest::addColumn<bool>("closed");
        for (const bool closed : {false, true})
            for (const bool isVertical : {false, true})
                for (const bool positiveFirst : {true, false}) {
                    Symbol symbol = placed(Switch, isVertical, positiveFirst);
                    symbol.closed = closed;
                    QTest::addRow("%s %s, positive %s", closed ? "closed" : "open",
                                  isVertical ? "vertical" : "horizontal",
                                  positiveFirst ? "first" : "second")
                        << symbol << closed;
                }
    }
    void switchBlade() {
        QFETCH(Symbol, symbol);
        QFETCH(bool, closed);
        symbol.name.clear(); // the blade alone
        const QImage image = drawAlone(symbol, false);
        // Closed, the spine is drawn from post to post; open, it has a gap
        // and the blade stands off it towards the label.
        bool gap = false;
        for (int u = 1; u < cell::length; ++u)
            gap = gap || !isDark(along(image, symbol, u, 0));
        QCOMPARE(gap, !closed);
        int raised = 0;
        for (int u = 20; u < 60; ++u)
            for (int across = 5; across < 16; ++across)
                raised += isDark(along(image, symbol, u, across)) ? 1 : 0;
        QCOMPARE(raised > 10, !closed);
    }

    void rheostatSlider_data() {
        QTest::addColumn<Symbol>("symbol");
        addOrientationRows("rheostat", Rheostat);
    }
    void rheostatSlider() {
        QFETCH(Symbol, symbol);
        // The arrowhead's middle, ten pixels off the spine on the side away
        // from the label, found along the strip for each slider position.
        QList<qreal> found;
        for (int position = 0; position <= 4; ++position) {
            symbol.sliderPosition = position;
            const QImage image = drawAlone(symbol, false);
            qreal sum = 0;
            int count = 0;
            for (int u = 20; u <= 60; ++u)
                if (isDark(along(image, symbol, u, -10))) {
                    sum += u;
                    ++count;
                }
            QVERIFY(count > 0);
            found.append(sum / count);
        }
        // The slider is joined to the negative post: at 0 (least resistance)
        // it stands at the strip's positive end and moves towards the
        // negative one in even steps.
        QVERIFY2(found.first() < 30 && found.last() > 50,
                 qPrintable(QStringLiteral("%1 to %2").arg(found.first()).arg(found.last())));
        for (qsizetype k = 1; k < found.size(); ++k)
            QVERIFY(std::abs(found[k] - found[k - 1] - (found.last() - found.first()) / 4) < 1.5);
    }

    void valuesOnlyWhenAsked_data() {
        QTest::addColumn<Symbol>("symbol");
        QTest::addColumn<bool>("differs");
        for (const bool isVertical : {false, true}) {
            const char* orientation = isVertical ? "vertical" : "horizontal";
            Symbol symbol = placed(Ammeter, isVertical, true);
            QTest::addRow("%s, no value", orientation) << symbol << false;
            symbol.value = QStringLiteral("0.3A");
            QTest::addRow("%s, a reading", orientation) << symbol << true;
        }
    }
    void valuesOnlyWhenAsked() {
        QFETCH(Symbol, symbol);
        QFETCH(bool, differs);
        const QImage without = drawAlone(symbol, false);
        const QImage with = drawAlone(symbol, true);
        QCOMPARE(with != without, differs);
        // Without the option the value never shows, whatever it is.
        symbol.value = QStringLiteral("999V");
        QCOMPARE(drawAlone(symbol, false), without);
    }
};

QTEST_MAIN(TestSymbolDrawing)
#include "tst_symbol_drawing.moc"
