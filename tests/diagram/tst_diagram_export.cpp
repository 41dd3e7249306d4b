#include "diagram_test_support.h"

#include "diagram/diagram_drawing.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace ampery::diagram;
using namespace ampery::diagram::test;

Q_DECLARE_METATYPE(std::optional<ampery::diagram::DiagramFormat>)

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestDiagramExport : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void formatByExtension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<std::optional<DiagramFormat>>("format");
        QTest::addRow("svg") << "电路图.svg" << std::optional(DiagramFormat::Svg);
        QTest::addRow("SVG") << "out/A.SVG" << std::optional(DiagramFormat::Svg);
        QTest::addRow("png") << "a.b.png" << std::optional(DiagramFormat::Png);
        QTest::addRow("Png") << "a.Png" << std::optional(DiagramFormat::Png);
        QTest::addRow("gif") << "a.gif" << std::optional<DiagramFormat>();
        QTest::addRow("no extension") << "svg" << std::optional<DiagramFormat>();
        QTest::addRow("a later extension") << "a.svg.txt" << std::optional<DiagramFormat>();
        QTest::addRow("the folder's extension") << "d.png/file" << std::optional<DiagramFormat>();
        QTest::addRow("empty") << "" << std::optional<DiagramFormat>();
    }
    void formatByExtension() {
        QFETCH(QString, path);
        QFETCH(std::optional<DiagramFormat>, format);
        QCOMPARE(diagramFormatFor(path), format);
    }

    void imageSize_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QSize>("expected");
        QTest::addRow("own size") << QSize(480, 250) << 1.0 << QSize(480, 250);
        QTest::addRow("twice") << QSize(480, 250) << 2.0 << QSize(960, 500);
        QTest::addRow("a part pixel rounds up") << QSize(5, 3) << 1.5 << QSize(8, 5);
        QTest::addRow("nothing to draw: one white pixel") << QSize(0, 0) << 1.0 << QSize(1, 1);
        QTest::addRow("no size at all") << QSize() << 2.0 << QSize(2, 2);
        // No picture at all: a null image.
        const QSize none(0, 0);
        QTest::addRow("no scale") << QSize(480, 250) << 0.0 << none;
        QTest::addRow("negative scale") << QSize(480, 250) << -1.0 << none;
        QTest::addRow("scale not a number")
            << QSize(480, 250) << std::numeric_limits<qreal>::quiet_NaN() << none;
        QTest::addRow("too large to allocate") << QSize(100000, 100000) << 1.0 << none;
        QTest::addRow("too large once scaled") << QSize(6000, 6000) << 2.0 << none;
    }
    void imageSize() {
        QFETCH(QSize, size);
        QFETCH(qreal, scale);
        QFETCH(QSize, expected);
        CircuitDiagram diagram = loopDiagram();
        diagram.size = size;
        const QImage image = diagramImage(diagram, DrawOptions{}, scale);
        QCOMPARE(image.size(), expected);
        QCOMPARE(image.isNull(), expected.isEmpty());
        if (!image.isNull())
            QVERIFY(isWhite(image.pixel(image.width() - 1, image.height() - 1)));
    }

    // Nothing but the symbols' cells, the wires and the junction dots is
    // drawn: every other pixel of the loop stays white.
    void onlyCellsAndWires() {
        const CircuitDiagram diagram = loopDiagram();
        const QImage image = diagramImage(diagram, DrawOptions{true});
        QCOMPARE(strayPixels(image, diagram), 0);
        // And the wires are drawn: the middle of every segment, and at each
        // junction a dot wider than the wires.
        CircuitDiagram withoutDots = diagram;
        for (Net& net : withoutDots.nets) {
            for (const Segment& segment : net.segments)
                QCOMPARE(qGray(image.pixel((segment.from + segment.to) / 2)), 0);
            net.junctions.clear();
        }
        const QImage plain = diagramImage(withoutDots, DrawOptions{true});
        for (const Net& net : diagram.nets)
            for (const QPoint& junction : net.junctions) {
                const QRect near(junction - QPoint(3, 3), QSize(6, 6));
                int darker = 0;
                for (int y = near.top(); y <= near.bottom(); ++y)
                    for (int x = near.left(); x <= near.right(); ++x)
                        darker += qGray(image.pixel(x, y)) + 60 < qGray(plain.pixel(x, y)) ? 1 : 0;
                QVERIFY2(darker >= 4, qPrintable(QString::number(darker)));
            }
    }

    // The caller's painter is left as it was given.
    void painterStateKept() {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QPen pen(Qt::green, 7);
        painter.setPen(pen);
        painter.setBrush(Qt::blue);
        painter.translate(3, 4);
        painter.setRenderHint(QPainter::Antialiasing, false);
        paintDiagram(painter, loopDiagram(), DrawOptions{true});
        QCOMPARE(painter.pen(), pen);
        QCOMPARE(painter.brush(), QBrush(Qt::blue));
        QCOMPARE(painter.transform(), QTransform::fromTranslate(3, 4));
        QVERIFY(!painter.testRenderHint(QPainter::Antialiasing));
    }

    void writes_data() {
        QTest::addColumn<QString>("name");
        QTest::addRow("png") << "loop.png";
        QTest::addRow("png, upper case") << "LOOP.PNG";
        QTest::addRow("svg") << "loop.svg";
        QTest::addRow("svg, Chinese name") << "电路图.Svg";
    }
    void writes() {
        QFETCH(QString, name);
        const QString path = m_dir.filePath(name);
        QVERIFY(writeBytes(path, "an older picture"));
        const CircuitDiagram diagram = loopDiagram();
        QCOMPARE(writeDiagramFile(diagram, DrawOptions{true}, path), DiagramWrite::Written);
        const QByteArray bytes = contentsOf(path);
        if (diagramFormatFor(path) == DiagramFormat::Svg) {
            QCOMPARE(bytes, diagramSvg(diagram, DrawOptions{true}));
        } else {
            QImage image;
            QVERIFY(image.loadFromData(bytes, "png"));
            QCOMPARE(image.size(), diagram.size * 2);
            QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
                     diagramImage(diagram, DrawOptions{true}, 2.0));
        }
    }

    void refusesOtherFormats_data() {
        QTest::addColumn<QString>("name");
        QTest::addRow("gif") << "loop.gif";
        QTest::addRow("jpeg") << "loop.jpg";
        QTest::addRow("no extension") << "loop";
    }
    void refusesOtherFormats() {
        QFETCH(QString, name);
        const QString path = m_dir.filePath(name);
        QCOMPARE(writeDiagramFile(loopDiagram(), DrawOptions{}, path), DiagramWrite::UnknownFormat);
        QVERIFY(!QFile::exists(path));
        // An existing file of that name is left alone.
        QVERIFY(writeBytes(path, "kept"));
        QCOMPARE(writeDiagramFile(loopDiagram(), DrawOptions{}, path), DiagramWrite::UnknownFormat);
        QCOMPARE(contentsOf(path), QByteArray("kept"));
    }

    void failures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("existing");
        QTest::addRow("svg in a missing folder") << "missing/loop.svg" << QSize(480, 250) << false;
        QTest::addRow("png in a missing folder") << "missing/loop.png" << QSize(480, 250) << false;
        QTest::addRow("a folder in the way") << "folder.svg" << QSize(480, 250) << false;
        QTest::addRow("png too large to draw") << "large.png" << QSize(9000, 9000) << true;
    }
    void failures() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(bool, existing);
        const QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("folder.svg")));
        const QString path = folder.filePath(name);
        if (existing)
            QVERIFY(writeBytes(path, "an older picture"));
        CircuitDiagram diagram = loopDiagram();
        diagram.size = size;
        QCOMPARE(writeDiagramFile(diagram, DrawOptions{}, path), DiagramWrite::Failed);
        if (existing)
            QCOMPARE(contentsOf(path), QByteArray("an older picture"));
        else
            QVERIFY(!QFileInfo(path).isFile());
        // No temporary file is left behind either.
        const QStringList left = QDir(folder.path()).entryList(QDir::Files);
        QVERIFY2(left.isEmpty() || (existing && left == QStringList{name}),
                 qPrintable(left.join(u' ')));
    }
};

QTEST_MAIN(TestDiagramExport)
#include "tst_diagram_export.moc"
