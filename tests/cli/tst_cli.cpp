#include "model/component_type.h"
#include "model/experiment.h"
#include "model/gbk.h"
#include "model/wire_edits.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace ampery::model;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList& arguments) {
    QProcess process;
    // A drawing command starts a GUI application, which complains on
    // standard error when the session has no runtime folder.
    static const QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("XDG_RUNTIME_DIR")))
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(AMPERY_CLI), arguments);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray gbk(const QString& text) {
    return encodeGbk(text).value_or(QByteArray());
}

const QString track = QStringLiteral("1|1┇2|2");

// A source and a 10 Ω lamp rated 6 V, the lamp's "∧" at the source's "∧".
QByteArray lampCircuit(const QString& voltage = QStringLiteral("6")) {
    Experiment e;
    e.addComponent(10, 10, e.nameNewComponent(Source), Source);
    e.setFields(1, Field::Voltage, voltage);
    e.addComponent(120, 10, e.nameNewComponent(Lamp), Lamp);
    appendWire(e, "电源1∧", "电灯1∧", track);
    appendWire(e, "电灯1∨", "电源1∨", track);
    return gbk(e.text());
}

// A motor driven at its rated voltage, then ten idle motors: the eleventh
// motor in the file gets no slot.
QByteArray motorCircuit() {
    Experiment e;
    e.addComponent(0, 0, e.nameNewComponent(Motor), Motor);
    e.addComponent(100, 0, e.nameNewComponent(Source), Source);
    for (int k = 0; k < 10; ++k)
        e.addComponent(k * 10, 200, e.nameNewComponent(Motor), Motor);
    appendWire(e, "电源1∧", "电动机1∧", track);
    appendWire(e, "电动机1∨", "电源1∨", track);
    return gbk(e.text());
}

// No wire at all: the analysis stops at once, so only the redraw draws.
QByteArray unwiredParts() {
    Experiment e;
    e.addComponent(0, 0, e.nameNewComponent(Rheostat), Rheostat);
    e.addComponent(0, 0, e.nameNewComponent(Switch), Switch);
    e.addComponent(0, 0, e.nameNewComponent(Motor), Motor);
    e.setFields(1, Field::State, "7");
    e.setFields(2, Field::State, "1");
    return gbk(e.text());
}

// The groups of a diagram's SVG and the texts drawn in them.
struct DiagramSvg {
    bool valid = false;
    QSize size;
    QStringList ids;
    int nets = 0;
    QStringList texts;
};

DiagramSvg readDiagramSvg(const QByteArray& bytes) {
    DiagramSvg svg;
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == u"svg")
            svg.size = QSize(attributes.value(QLatin1StringView("width")).toInt(),
                             attributes.value(QLatin1StringView("height")).toInt());
        else if (reader.name() == u"g" && attributes.hasAttribute(QLatin1StringView("id")))
            svg.ids.append(attributes.value(QLatin1StringView("id")).toString());
        else if (reader.name() == u"g" && attributes.value(QLatin1StringView("class")) == u"net")
            ++svg.nets;
        else if (reader.name() == u"text")
            svg.texts.append(reader.readElementText());
    }
    svg.valid = !reader.hasError();
    return svg;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

private slots:
    void analyse_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");

        QTest::addRow("empty file")
            << QByteArray()
            << R"({"status": "", "solved": false, "gaveUp": false, "results": [], )"
               R"("components": [], "motors": []})";
        QTest::addRow("lamp circuit")
            << lampCircuit()
            << R"({"status": "提示：电路畅通。", "solved": true, "gaveUp": false, )"
               R"("results": [{"name": "电灯1", "va": 6, "vb": 0, "i": 0.6}], )"
               R"("components": [{"number": 1, "name": "电源1", "type": 1, "picture": 0}, )"
               R"({"number": 2, "name": "电灯1", "type": 3, "picture": 5}], "motors": []})";
        QTest::addRow("unwired parts in number order, unknown rheostat state")
            << unwiredParts()
            << R"({"status": "", "solved": false, "gaveUp": false, "results": [], )"
               R"("components": [{"number": 1, "name": "变阻器1", "type": 5, "picture": null}, )"
               R"({"number": 2, "name": "开关1", "type": 2, "picture": 2}, )"
               R"({"number": 3, "name": "电动机1", "type": 6, "picture": 13}], )"
               R"("motors": [{"number": 3, "name": "电动机1", "slot": 1, "interval": 0, )"
               R"("direction": 0}]})";
        QTest::addRow("potentials too large for a double")
            << lampCircuit(QString(400, u'9'))
            << R"({"status": "提示：电路畅通。", "solved": true, "gaveUp": false, )"
               R"("results": [{"name": "电灯1", "va": null, "vb": 0, "i": null}], )"
               R"("components": [{"number": 1, "name": "电源1", "type": 1, "picture": 0}, )"
               R"({"number": 2, "name": "电灯1", "type": 3, "picture": 3}], "motors": []})";
        // Records out of number order, a name that needs escaping, a number
        // that is not a number.
        QTest::addRow("records as the redraw reads them")
            << gbk(QStringLiteral("№3□0■0◇开关\"1\\\t◆2△9▲◎○●☆★‖"
                                  "№x□0■0◇电阻9◆4△0▲◎100○●☆★‖"
                                  "№1□0■0◇电灯1◆3△▲◎10○●☆6★0.6‖"))
            << R"({"status": "", "solved": false, "gaveUp": false, "results": [], )"
               R"("components": [{"number": 0, "name": "电阻9", "type": 4, "picture": 7}, )"
               R"({"number": 1, "name": "电灯1", "type": 3, "picture": 3}, )"
               "{\"number\": 3, \"name\": \"开关\\\"1\\\\\\t\", \"type\": 2, \"picture\": null}], "
               R"("motors": []})";
    }
    void analyse() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        const QString path = writeFile(QStringLiteral("analyse.aie"), file);
        QVERIFY(!path.isEmpty());
        const Run run = runCli({QStringLiteral("analyse"), path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(QString::fromUtf8(run.out), expected + u'\n');
        QJsonParseError error;
        QJsonDocument::fromJson(run.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
    }

    void motorSlots() {
        const QString path = writeFile(QStringLiteral("motors.aie"), motorCircuit());
        const Run run = runCli({QStringLiteral("analyse"), path});
        QCOMPARE(run.exitCode, 0);
        const QJsonDocument document = QJsonDocument::fromJson(run.out);
        const QJsonArray motors = document[QStringLiteral("motors")].toArray();
        QCOMPARE(motors.size(), 11);
        // The driven motor turns fast, current from its "∧" to its "∨".
        QCOMPARE(motors[0].toObject(),
                 QJsonDocument::fromJson(R"({"number": 1, "name": "电动机1", "slot": 1,
                                             "interval": 250, "direction": 1})")
                     .object());
        QCOMPARE(motors[1].toObject()[QStringLiteral("slot")].toInt(), 2);
        QCOMPARE(motors[1].toObject()[QStringLiteral("interval")].toInt(), 0);
        QCOMPARE(motors[10].toObject(),
                 QJsonDocument::fromJson(R"({"number": 12, "name": "电动机11", "slot": null,
                                             "interval": null, "direction": null})")
                     .object());
    }

    void diagram_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("values");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<int>("nets");
        QTest::addColumn<QStringList>("texts");
        QTest::addRow("lamp circuit") << lampCircuit() << false << QStringList{"电源1", "电灯1"}
                                      << 2 << QStringList{"电源1", "电灯1"};
        QTest::addRow("lamp circuit with values")
            << lampCircuit() << true << QStringList{"电源1", "电灯1"} << 2
            << QStringList{"电源1", "6V", "电灯1", "10Ω"};
        QTest::addRow("unwired parts")
            << unwiredParts() << false << QStringList{"变阻器1", "开关1", "电动机1"} << 0
            << QStringList{"变阻器1", "开关1", "电动机1"};
        QTest::addRow("empty file") << QByteArray() << true << QStringList() << 0 << QStringList();
    }
    void diagram() {
        QFETCH(QByteArray, file);
        QFETCH(bool, values);
        QFETCH(QStringList, ids);
        QFETCH(int, nets);
        QFETCH(QStringList, texts);
        const QString path = writeFile(QStringLiteral("diagram.aie"), file);
        QVERIFY(!path.isEmpty());
        const QString svgPath = m_dir.filePath(QStringLiteral("diagram.svg"));
        const QString pngPath = m_dir.filePath(QStringLiteral("diagram.PNG"));
        QStringList arguments{QStringLiteral("diagram"), path, svgPath};
        if (values)
            arguments.append(QStringLiteral("--values"));
        Run run = runCli(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err, QByteArray());
        QFile written(svgPath);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const DiagramSvg svg = readDiagramSvg(written.readAll());
        QVERIFY(svg.valid);
        QCOMPARE(svg.ids, ids);
        QCOMPARE(svg.nets, nets);
        QCOMPARE(svg.texts, texts);

        // The PNG is the same diagram at twice its size.
        arguments[2] = pngPath;
        run = runCli(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QImage image;
        QVERIFY(image.load(pngPath, "png"));
        QCOMPARE(image.size(), svg.size * 2);
    }

    // The diagram shows what the analysis found: the lamp at its rated
    // voltage is lit.
    void diagramShowsTheAnalysis() {
        const QString path = writeFile(QStringLiteral("lit.aie"), lampCircuit());
        const QString pngPath = m_dir.filePath(QStringLiteral("lit.png"));
        const QString darkPath = m_dir.filePath(QStringLiteral("dark.png"));
        QCOMPARE(runCli({QStringLiteral("diagram"), path, pngPath}).exitCode, 0);
        const QString dark = writeFile(QStringLiteral("dark.aie"), lampCircuit("0"));
        QCOMPARE(runCli({QStringLiteral("diagram"), dark, darkPath}).exitCode, 0);
        const auto yellowPixels = [](const QString& file) {
            const QImage image(file);
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    count += qRed(p) > 200 && qGreen(p) > 170 && qBlue(p) < qGreen(p) - 60;
                }
            return count;
        };
        QVERIFY(yellowPixels(pngPath) > 100);
        QCOMPARE(yellowPixels(darkPath), 0);
    }

    void diagramRefused_data() {
        QTest::addColumn<QStringList>("arguments");
        const QString lamp = writeFile(QStringLiteral("lamp.aie"), lampCircuit());
        const QString out = m_dir.filePath(QStringLiteral("refused.svg"));
        QTest::addRow("no files") << QStringList{"diagram"};
        QTest::addRow("no diagram file") << QStringList{"diagram", lamp};
        QTest::addRow("a third file") << QStringList{"diagram", lamp, out, out};
        QTest::addRow("gif") << QStringList{"diagram", lamp, m_dir.filePath("refused.gif")};
        QTest::addRow("no extension") << QStringList{"diagram", lamp, m_dir.filePath("refused")};
        QTest::addRow("unknown option") << QStringList{"diagram", lamp, out, "--size", "10x10"};
        QTest::addRow("missing experiment")
            << QStringList{"diagram", m_dir.filePath("none.aie"), out};
    }
    void diagramRefused() {
        QFETCH(QStringList, arguments);
        const Run run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY(run.err.startsWith("ampery-cli: "));
        const QStringList written =
            QDir(m_dir.path()).entryList({QStringLiteral("refused*")}, QDir::Files);
        QCOMPARE(written, QStringList());
    }

    void diagramNotWritten() {
        const QString lamp = writeFile(QStringLiteral("lamp.aie"), lampCircuit());
        const QString out = m_dir.filePath(QStringLiteral("missing/diagram.svg"));
        const Run run = runCli({QStringLiteral("diagram"), lamp, out});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, (QStringLiteral("ampery-cli: cannot write ") + out + u'\n').toUtf8());
        QVERIFY(!QFile::exists(out));
    }

    void refused_data() {
        QTest::addColumn<QStringList>("arguments");
        const QString lamp = writeFile(QStringLiteral("lamp.aie"), lampCircuit());
        const QString badGbk = writeFile(QStringLiteral("bad.aie"), QByteArray("\xB5\xE7\x81", 3));
        QTest::addRow("no arguments") << QStringList();
        QTest::addRow("unknown command") << QStringList{"analyze", lamp};
        QTest::addRow("missing file argument") << QStringList{"analyse"};
        QTest::addRow("extra argument") << QStringList{"analyse", lamp, lamp};
        QTest::addRow("missing file") << QStringList{"analyse", m_dir.filePath("none.aie")};
        QTest::addRow("folder") << QStringList{"analyse", m_dir.path()};
        QTest::addRow("invalid GBK") << QStringList{"analyse", badGbk};
    }
    void refused() {
        QFETCH(QStringList, arguments);
        const Run run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY(run.err.startsWith("ampery-cli: "));
    }

    void help() {
        const Run run = runCli({QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("ampery-cli analyse FILE.aie"));
        QVERIFY(run.out.contains("ampery-cli diagram FILE.aie OUT.svg|png [--values]"));
        QCOMPARE(run.err, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
