#include "diagram_circuits.h"
#include "diagram_test_support.h"

#include "analysis/analyse.h"
#include "diagram/diagram_drawing.h"
#include "diagram/diagram_layout.h"
#include "diagram/diagram_source.h"

#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>

using namespace ampery;
using namespace ampery::diagram;
using namespace ampery::diagram::test;

// Diagrams as the layout makes them from random experiments, drawn: every
// symbol and wire stays in its place and the SVG holds one group for each.
class TestLaidOutDrawing : public QObject {
    Q_OBJECT
private slots:
    void randomExperiments_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("count");
        QTest::addRow("series-parallel") << int(diagram_circuits::Shape::SeriesParallel) << 150;
        QTest::addRow("bridge") << int(diagram_circuits::Shape::Bridge) << 60;
        QTest::addRow("anything") << int(diagram_circuits::Shape::Any) << 150;
    }
    void randomExperiments() {
        QFETCH(int, shape);
        QFETCH(int, count);
        qsizetype drawn = 0;
        for (int seed = 1; seed <= count; ++seed) {
            diagram_circuits::Generator generator(quint32(seed * 104729 + shape));
            const model::Experiment experiment = generator.generate(diagram_circuits::Shape(shape));
            const CircuitDiagram diagram =
                layOut(diagramSource(experiment, analysis::analyse(experiment)));
            const QString where = QStringLiteral("seed %1").arg(seed);
            drawn += diagram.symbols.size();

            const QImage image = diagramImage(diagram, DrawOptions{true});
            QVERIFY2(!image.isNull(), qPrintable(where));
            const int stray = strayPixels(image, diagram);
            QVERIFY2(stray == 0, qPrintable(where + QStringLiteral(": %1 stray").arg(stray)));

            const QByteArray svg = diagramSvg(diagram, DrawOptions{true});
            QXmlStreamReader reader(svg);
            QSet<QString> ids;
            int symbols = 0;
            int nets = 0;
            while (!reader.atEnd()) {
                if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"g")
                    continue;
                const QXmlStreamAttributes attributes = reader.attributes();
                if (attributes.value(QLatin1StringView("class")) == u"net") {
                    ++nets;
                } else {
                    ++symbols;
                    ids.insert(attributes.value(QLatin1StringView("id")).toString());
                }
            }
            QVERIFY2(!reader.hasError(), qPrintable(where + u' ' + reader.errorString()));
            QCOMPARE(symbols, diagram.symbols.size());
            QCOMPARE(ids.size(), diagram.symbols.size());
            QCOMPARE(nets, diagram.nets.size());
            QVERIFY2(QSvgRenderer(svg).isValid(), qPrintable(where));
        }
        QVERIFY(drawn > 3 * count); // the experiments are not empty
    }
};

QTEST_MAIN(TestLaidOutDrawing)
#include "tst_laid_out_drawing.moc"
