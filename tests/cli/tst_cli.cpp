#include "model/component_type.h"
#include "model/experiment.h"
#include "model/gbk.h"
#include "model/wire_edits.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace ampery::model;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run runCli(const QStringList& arguments) {
    QProcess process;
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
        QCOMPARE(run.err, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
