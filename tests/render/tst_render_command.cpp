#include "render_test_support.h"

#include "model/component_type.h"
#include "model/experiment.h"
#include "model/experiment_file.h"
#include "model/picture_choice.h"
#include "model/wire_edits.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace ampery;
using namespace ampery::render;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray err;
};

Run runCli(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(AMPERY_CLI), QStringList{"render"} + arguments);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.err = process.readAllStandardError();
    return run;
}

const QPoint lampBox(200, 150);

// A 6 V source and a lamp rated 6 V: the analysis shows the lamp bright.
QString lampCircuit() {
    model::Experiment e;
    e.addComponent(40, 150, e.nameNewComponent(model::Source), model::Source);
    e.addComponent(lampBox.x(), lampBox.y(), e.nameNewComponent(model::Lamp), model::Lamp);
    model::appendWire(e, "电源1∧", "电灯1∧", "66|156┇66|300┇216|300┇216|204");
    model::appendWire(e, "电灯1∨", "电源1∨", "262|202┇262|320┇88|320┇88|156");
    return e.text();
}

} // namespace

class TestRenderCommand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(model::writeExperimentFile(path("lamp.aie"), lampCircuit()).ok);
        QVERIFY(model::writeExperimentFile(path("empty.aie"), QString()).ok);
        QFile invalid(path("invalid.aie"));
        QVERIFY(invalid.open(QIODevice::WriteOnly));
        invalid.write("\xff\xfe");
    }

    void refuses_data() {
        QTest::addColumn<QStringList>("arguments");
        const QString lamp = path("lamp.aie");
        const QString out = path("out.png");
        QTest::addRow("nothing") << QStringList{};
        QTest::addRow("no picture file") << QStringList{lamp};
        QTest::addRow("extra argument") << QStringList{lamp, out, path("more.png")};
        QTest::addRow("missing experiment") << QStringList{path("missing.aie"), out};
        QTest::addRow("invalid GBK") << QStringList{path("invalid.aie"), out};
        QTest::addRow("size without value") << QStringList{lamp, out, "--size"};
        for (const char* size : {"abc", "0x10", "10x", "-5x5", "10x10x10", "9000x10", "100 x 100"})
            QTest::addRow("size %s", size) << QStringList{lamp, out, "--size", size};
        QTest::addRow("unknown option") << QStringList{lamp, out, "--scale"};
        QTest::addRow("unknown picture type") << QStringList{lamp, path("out.gif")};
    }
    void refuses() {
        QFETCH(QStringList, arguments);
        const Run run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.startsWith("ampery-cli: "));
        QVERIFY(!QFile::exists(path("out.png")));
        QVERIFY(!QFile::exists(path("out.gif")));
    }

    void drawsWiresOverThePictures() {
        const QString out = path("lamp.png");
        QCOMPARE(runCli({path("lamp.aie"), out}).exitCode, 0);
        QImageReader reader(out);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage area = reader.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(area.size(), CanvasPair::defaultSize);
        QCOMPARE(area.pixel(66, 250), CanvasPair::wireColour);
        // On the lamp's base, which every lamp picture shares.
        const QPoint overLamp(216, 210);
        const QImage dark = test::onWhite(m_pictures.picture(model::picture::lampDark));
        QCOMPARE(area.pixel(overLamp), dark.pixel(overLamp - lampBox) & CanvasPair::wireColour);
    }

    // The analysis lights the lamp: its rays, above the wires, show as drawn on white.
    void showsTheAnalysis() {
        const QString out = path("analysed.png");
        QCOMPARE(runCli({path("lamp.aie"), out}).exitCode, 0);
        const QImage shown =
            test::boxOf(QImage(out).convertToFormat(QImage::Format_RGB32), lampBox);
        const QImage dark = test::onWhite(m_pictures.picture(model::picture::lampDark));
        const QImage bright = test::onWhite(m_pictures.picture(model::picture::lampBright));
        int rays = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < bright.width(); ++x) {
                if (bright.pixel(x, y) != dark.pixel(x, y)) {
                    QCOMPARE(shown.pixel(x, y), bright.pixel(x, y));
                    ++rays;
                }
            }
        }
        QVERIFY(rays > 20);
    }

    void sizeAndFormat_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        QTest::addRow("bmp") << QStringList{"--size", "300x200"} << "a.bmp" << QByteArray("bmp")
                             << QSize(300, 200);
        QTest::addRow("jpeg") << QStringList{"--size", "64X48"} << "b.JPG" << QByteArray("jpeg")
                              << QSize(64, 48);
        QTest::addRow("jpeg long")
            << QStringList{} << "c.jpeg" << QByteArray("jpeg") << CanvasPair::defaultSize;
    }
    void sizeAndFormat() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QCOMPARE(runCli(arguments + QStringList{path("lamp.aie"), path(out)}).exitCode, 0);
        QImageReader reader(path(out));
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), format);
        QCOMPARE(reader.size(), size);
    }

    // The names are written under the boxes only when asked for.
    void namesUnderTheBoxes_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("named");
        QTest::addRow("without") << QStringList{} << false;
        QTest::addRow("--names") << QStringList{"--names"} << true;
        QTest::addRow("--names first") << QStringList{"--names", "--size", "490x400"} << true;
    }
    void namesUnderTheBoxes() {
        QFETCH(QStringList, options);
        QFETCH(bool, named);
        const QString out = path("named.png");
        QFile::remove(out);
        QCOMPARE(runCli(options + QStringList{path("lamp.aie"), out}).exitCode, 0);
        const QImage area = QImage(out).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(area.size(), CanvasPair::defaultSize);
        // The lamp's line, clear of the wires.
        int dark = 0;
        for (int y = lampBox.y() + pictureSize.height() + 1; y < lampBox.y() + 84; ++y)
            for (int x = lampBox.x() + 5; x < lampBox.x() + 60; ++x)
                dark += qGray(area.pixel(x, y)) < 128 && area.pixel(x, y) != CanvasPair::wireColour;
        QCOMPARE(dark > 30, named);
    }

    void emptyExperimentIsWhite() {
        QCOMPARE(runCli({path("empty.aie"), path("empty.png")}).exitCode, 0);
        QVERIFY(test::isWhite(QImage(path("empty.png"))));
    }

    void unwritablePictureFails() {
        const Run run = runCli({path("lamp.aie"), path("no/such/folder/out.png")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.startsWith("ampery-cli: "));
    }

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    const PictureTable m_pictures;
};

QTEST_GUILESS_MAIN(TestRenderCommand)
#include "tst_render_command.moc"
