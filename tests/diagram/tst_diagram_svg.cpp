#include "diagram_test_support.h"

#include "diagram/diagram_drawing.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>

using namespace ampery::diagram;
using namespace ampery::diagram::test;

Q_DECLARE_METATYPE(ampery::diagram::CircuitDiagram)

namespace {

// What the SVG document holds, read as XML.
struct SvgContents {
    QString error;
    QSize size;
    QString viewBox;
    bool whiteBackground = false;
    QStringList ids;       // of the symbol groups, in order
    QStringList labels;    // each symbol group's first text
    QList<int> netLines;   // lines in each net group
    QList<int> netCircles; // dots in each net group
};

SvgContents readSvg(const QByteArray& svg) {
    SvgContents contents;
    QXmlStreamReader reader(svg);
    enum class In { Nothing, Symbol, Net } in = In::Nothing;
    int depth = 0;
    int groupDepth = 0;
    bool firstShape = true;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (depth-- == groupDepth)
                in = In::Nothing;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QXmlStreamAttributes attributes = reader.attributes();
        const QStringView name = reader.name();
        if (depth == 1 && name == u"svg") {
            contents.size = QSize(attributes.value(QLatin1StringView("width")).toInt(),
                                  attributes.value(QLatin1StringView("height")).toInt());
            contents.viewBox = attributes.value(QLatin1StringView("viewBox")).toString();
        } else if (name == u"g" && in == In::Nothing) {
            groupDepth = depth;
            if (attributes.value(QLatin1StringView("class")) == u"net") {
                in = In::Net;
                contents.netLines.append(0);
                contents.netCircles.append(0);
            } else if (attributes.hasAttribute(QLatin1StringView("id"))) {
                in = In::Symbol;
                contents.ids.append(attributes.value(QLatin1StringView("id")).toString());
                contents.labels.append(QString());
            }
        } else if (in == In::Net && name == u"line") {
            ++contents.netLines.last();
        } else if (in == In::Net && name == u"circle") {
            ++contents.netCircles.last();
        } else if (in == In::Symbol && name == u"text" && contents.labels.last().isEmpty()) {
            contents.labels.last() = reader.readElementText();
            --depth; // readElementText consumed the end element
        }
        if (firstShape && depth == 2) {
            firstShape = false;
            contents.whiteBackground =
                name == u"rect" && attributes.value(QLatin1StringView("fill")) == u"#ffffff" &&
                attributes.value(QLatin1StringView("x")).toInt() == 0 &&
                attributes.value(QLatin1StringView("y")).toInt() == 0 &&
                attributes.value(QLatin1StringView("width")).toInt() == contents.size.width() &&
                attributes.value(QLatin1StringView("height")).toInt() == contents.size.height();
        }
    }
    if (reader.hasError())
        contents.error = reader.errorString();
    return contents;
}

QImage renderedSvg(const QByteArray& svg, QSize size, qreal scale) {
    QSvgRenderer renderer(svg);
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

bool isInked(QRgb pixel) {
    return qRed(pixel) < 230 || qGreen(pixel) < 230 || qBlue(pixel) < 230;
}

// The smallest rectangle holding a cell's drawn pixels.
QRect inkBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInked(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

class TestDiagramSvg : public QObject {
    Q_OBJECT
private slots:
    void groups_data() {
        QTest::addColumn<CircuitDiagram>("diagram");
        QTest::addColumn<QSize>("size");
        QTest::addRow("loop with a voltmeter") << loopDiagram() << QSize(480, 250);
        QTest::addRow("every symbol, horizontal") << symbolRow(false) << symbolRow(false).size;
        QTest::addRow("every symbol, vertical") << symbolRow(true) << symbolRow(true).size;
        CircuitDiagram empty;
        empty.size = QSize(120, 40);
        QTest::addRow("nothing drawn") << empty << QSize(120, 40);
        // What the layout gives an experiment without components.
        QTest::addRow("nothing drawn, no size") << CircuitDiagram() << QSize(1, 1);
        CircuitDiagram wiresOnly = loopDiagram();
        wiresOnly.symbols.clear();
        QTest::addRow("wires only") << wiresOnly << QSize(480, 250);
    }
    void groups() {
        QFETCH(CircuitDiagram, diagram);
        QFETCH(QSize, size);
        const QByteArray svg = diagramSvg(diagram, DrawOptions{true});
        const SvgContents contents = readSvg(svg);
        QCOMPARE(contents.error, QString());
        QCOMPARE(contents.size, size);
        QCOMPARE(contents.viewBox,
                 QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height()));
        QVERIFY(contents.whiteBackground);

        QStringList names;
        for (const Symbol& symbol : diagram.symbols)
            names.append(symbol.name);
        QCOMPARE(contents.ids, names);
        QCOMPARE(contents.labels, names);
        QCOMPARE(contents.netLines.size(), diagram.nets.size());
        for (qsizetype k = 0; k < diagram.nets.size(); ++k) {
            QCOMPARE(contents.netLines[k], diagram.nets[k].segments.size());
            QCOMPARE(contents.netCircles[k], diagram.nets[k].junctions.size());
        }

        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.defaultSize(), size);
    }

    void namesAndIds_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QStringList>("labels");
        QTest::addRow("plain") << QStringList{"电灯1", "电源1"} << QStringList{"电灯1", "电源1"}
                               << QStringList{"电灯1", "电源1"};
        QTest::addRow("same name twice")
            << QStringList{"电灯1", "电灯1"} << QStringList{"电灯1", "电灯1-2"}
            << QStringList{"电灯1", "电灯1"};
        QTest::addRow("the next id is another symbol's name")
            << QStringList{"电灯1", "电灯1", "电灯1-2", "电灯1"}
            << QStringList{"电灯1", "电灯1-3", "电灯1-2", "电灯1-4"}
            << QStringList{"电灯1", "电灯1", "电灯1-2", "电灯1"};
        QTest::addRow("markup characters")
            << QStringList{"a<b&c\"d'e>f", "&amp;"} << QStringList{"a<b&c\"d'e>f", "&amp;"}
            << QStringList{"a<b&c\"d'e>f", "&amp;"};
        QTest::addRow("tab, line feed")
            << QStringList{"开关\"1\\\t", "x\ny"} << QStringList{"开关\"1\\\t", "x\ny"}
            << QStringList{"开关\"1\\ ", "x y"};
        const QString replacement(QChar::ReplacementCharacter);
        QTest::addRow("characters XML cannot hold")
            << QStringList{QStringLiteral("a\x01z"), QString(QChar(0xD800)) + u'x',
                           QString(QChar(0xFFFF))}
            << QStringList{u'a' + replacement + u'z', replacement + u'x', replacement}
            << QStringList{"a z", replacement + u'x', replacement};
        QTest::addRow("names alike once XML can hold them")
            << QStringList{QStringLiteral("a\x01"), QStringLiteral("a\x02")}
            << QStringList{u'a' + replacement, u'a' + replacement + QStringLiteral("-2")}
            << QStringList{"a ", "a "};
        QTest::addRow("a character beyond the basic plane")
            << QStringList{QStringLiteral("电灯😀")} << QStringList{QStringLiteral("电灯😀")}
            << QStringList{QStringLiteral("电灯😀")};
    }
    void namesAndIds() {
        QFETCH(QStringList, names);
        QFETCH(QStringList, ids);
        QFETCH(QStringList, labels);
        CircuitDiagram diagram;
        for (qsizetype k = 0; k < names.size(); ++k)
            diagram.symbols.append(
                horizontal(Lamp, names[k], {10 + 100 * static_cast<int>(k), 60}));
        diagram.size = QSize(100 * static_cast<int>(names.size()) + 20, 100);
        const QByteArray svg = diagramSvg(diagram, DrawOptions{});
        const SvgContents contents = readSvg(svg);
        QCOMPARE(contents.error, QString());
        QCOMPARE(contents.ids, ids);
        QCOMPARE(contents.labels, labels);
        QVERIFY(QSvgRenderer(svg).isValid());
    }

    // The SVG, drawn by Qt's own renderer, shows the same picture as the
    // painter: each cell's ink spans the same rectangle and about as much of it.
    void looksLikeThePainted_data() {
        QTest::addColumn<CircuitDiagram>("diagram");
        QTest::addColumn<bool>("values");
        QTest::addColumn<qreal>("scale");
        QTest::addRow("loop") << loopDiagram() << false << 1.0;
        QTest::addRow("loop with values, twice the size") << loopDiagram() << true << 2.0;
        QTest::addRow("every symbol, horizontal") << symbolRow(false) << true << 1.0;
        QTest::addRow("every symbol, vertical") << symbolRow(true) << true << 2.0;
    }
    void looksLikeThePainted() {
        QFETCH(CircuitDiagram, diagram);
        QFETCH(bool, values);
        QFETCH(qreal, scale);
        const DrawOptions options{values};
        const QImage painted = diagramImage(diagram, options, scale);
        const QImage rendered = renderedSvg(diagramSvg(diagram, options), diagram.size, scale);
        QCOMPARE(rendered.size(), painted.size());
        const int slack = qRound(3 * scale);
        // Qt's SVG renderer reads only a single font family, so given the
        // family list it sets the labels in its default font, a little wider.
        const int labelSlack = qRound(10 * scale);
        for (const Symbol& symbol : diagram.symbols) {
            const QRect cell = pixelsOf(symbol.box, scale);
            const QRect a = inkBounds(painted, cell);
            const QRect b = inkBounds(rendered, cell);
            QVERIFY2(!a.isEmpty() && std::abs(a.left() - b.left()) <= slack &&
                         std::abs(a.top() - b.top()) <= slack &&
                         std::abs(a.right() - b.right()) <=
                             (symbol.vertical ? labelSlack : slack) &&
                         std::abs(a.bottom() - b.bottom()) <= slack,
                     qPrintable(QStringLiteral("%1: painted %2,%3 %4x%5, SVG %6,%7 %8x%9")
                                    .arg(symbol.name)
                                    .arg(a.x())
                                    .arg(a.y())
                                    .arg(a.width())
                                    .arg(a.height())
                                    .arg(b.x())
                                    .arg(b.y())
                                    .arg(b.width())
                                    .arg(b.height())));
            const int inkA = countPixels(painted, cell, isInked);
            const int inkB = countPixels(rendered, cell, isInked);
            QVERIFY2(inkB > inkA * 4 / 5 && inkB < inkA * 5 / 4,
                     qPrintable(QStringLiteral("%1: %2 and %3 pixels of ink")
                                    .arg(symbol.name)
                                    .arg(inkA)
                                    .arg(inkB)));
        }
        // The wires too: the whole picture's ink.
        QVERIFY(std::abs(countPixels(painted, painted.rect(), isInked) -
                         countPixels(rendered, rendered.rect(), isInked)) <
                countPixels(painted, painted.rect(), isInked) / 8);
    }
};

QTEST_MAIN(TestDiagramSvg)
#include "tst_diagram_svg.moc"
