#include "model/component_type.h"
#include "model/experiment.h"
#include "model/experiment_file.h"
#include "model/gbk.h"
#include "model/wire_edits.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace ampery::model;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestExperimentFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void savedBytesAreTheTextInGbk() {
        Experiment e;
        e.addComponent(5, 7, e.nameNewComponent(Source), Source);
        e.addComponent(100, 90, e.nameNewComponent(Lamp), Lamp);
        appendWire(e, "电源1∧", "电灯1∨", "31|13┇162|142");
        QVERIFY(saveExperiment(e, path("small.aie")).ok);
        const QByteArray source = QByteArray::fromHex(
            "A1ED31A1F535A1F637A1F3B5E7D4B431A1F431A1F7A1F836A1F230A1F0A1F1A1EEA1EFA1AC");
        const QByteArray lamp = QByteArray::fromHex("A1ED32A1F5313030A1F63930A1F3B5E7B5C631A1F433A1"
                                                    "F7A1F8A1F23130A1F0A1F1A1EE36A1EF302E36A1AC");
        const QByteArray wire = QByteArray::fromHex(
            "A1D1B5E7D4B431A1C47CB5E7B5C631A1C5A1E833317C3133A9AB3136327C313432A1AC");
        QCOMPARE(readBytes(path("small.aie")).toHex(), (source + lamp + wire).toHex());
    }

    void emptyExperimentIsAnEmptyFile() {
        Experiment e;
        QVERIFY(saveExperiment(e, path("empty.aie")).ok);
        QCOMPARE(QFileInfo(path("empty.aie")).size(), 0);
        Experiment opened;
        opened.addComponent(1, 1, "电阻1", Resistor);
        QVERIFY(openExperiment(opened, path("empty.aie")).ok);
        QVERIFY(opened.text().isEmpty());
        QVERIFY(!opened.recount());
    }

    void randomEditsSurviveSaveAndOpen() {
        for (quint32 seed = 1; seed <= 40; ++seed) {
            QRandomGenerator random(seed);
            Experiment e;
            for (int step = 0; step < 60; ++step) {
                const std::vector<Component> all = e.components();
                const std::size_t pick =
                    all.empty() ? 0 : static_cast<std::size_t>(random.bounded(int(all.size())));
                switch (random.bounded(4)) {
                case 0: {
                    const int type = 1 + random.bounded(typeCount);
                    e.addComponent(random.bounded(-20, 500), random.bounded(-20, 400),
                                   e.nameNewComponent(type), type);
                    break;
                }
                case 1:
                    if (!all.empty())
                        e.setFields(all[pick].number, Field::Resistance,
                                    QString::number(random.bounded(1000) / 8.0));
                    break;
                case 2:
                    if (all.size() > 1)
                        appendWire(
                            e, terminalName(all[pick].name, random.bounded(2)),
                            terminalName(all[(pick + 1) % all.size()].name, random.bounded(2)),
                            QStringLiteral("%1|%2┇%3|%4")
                                .arg(random.bounded(500))
                                .arg(random.bounded(400))
                                .arg(random.bounded(500))
                                .arg(random.bounded(400)));
                    break;
                default:
                    if (!all.empty() && random.bounded(3) == 0)
                        e.deleteComponent(all[pick].number);
                }
            }
            QVERIFY(saveExperiment(e, path("random.aie")).ok);
            QVERIFY(!e.isModified());
            Experiment opened;
            QVERIFY(openExperiment(opened, path("random.aie")).ok);
            QVERIFY2(opened.text() == e.text(), qPrintable(QString("seed %1").arg(seed)));
            QCOMPARE(readBytes(path("random.aie")), *encodeGbk(e.text()));
        }
    }

    void failedSaveKeepsTheEarlierFileAndTheFlag() {
        Experiment e;
        e.addComponent(1, 1, e.nameNewComponent(Lamp), Lamp);
        QVERIFY(saveExperiment(e, path("kept.aie")).ok);
        const QByteArray before = readBytes(path("kept.aie"));
        e.addComponent(2, 2, e.nameNewComponent(Lamp), Lamp);
        // A path below a regular file cannot be created, not even by root.
        const FileResult below = saveExperiment(e, path("kept.aie/new.aie"));
        QVERIFY(!below.ok);
        QVERIFY(!below.error.isEmpty());
        QVERIFY(e.isModified());
        QCOMPARE(readBytes(path("kept.aie")), before);
    }

    void textThatGbkCannotHoldIsNotSaved() {
        Experiment e;
        e.setText("№1□0■0◇电灯😀◆3△▲◎10○●☆6★0.6‖");
        e.setModified(true);
        const FileResult result = saveExperiment(e, path("emoji.aie"));
        QVERIFY(!result.ok);
        QVERIFY(e.isModified());
        QVERIFY(!QFile::exists(path("emoji.aie")));
    }

    void unreadableFilesAreErrors_data() {
        QTest::addColumn<QString>("name");
        QTest::addRow("missing") << "missing.aie";
        QTest::addRow("directory") << ".";
    }
    void unreadableFilesAreErrors() {
        QFETCH(QString, name);
        Experiment e;
        e.addComponent(1, 1, "电阻1", Resistor);
        const QString before = e.text();
        const FileResult result = openExperiment(e, path(name));
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(e.text(), before);
    }

    void invalidGbkIsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("lead byte cut off") << QByteArray::fromHex("A1EDA1");
        QTest::addRow("bad trail byte") << QByteArray::fromHex("A17F");
        QTest::addRow("private use area") << QByteArray::fromHex("AAA1");
        QTest::addRow("lone 0xFF") << QByteArray::fromHex("FF");
    }
    void invalidGbkIsRefused() {
        QFETCH(QByteArray, bytes);
        writeBytes(path("bad.aie"), bytes);
        Experiment e;
        QVERIFY(!openExperiment(e, path("bad.aie")).ok);
        QVERIFY(!decodeGbk(bytes));
    }

    void textOutsideTheGrammarIsKept() {
        const QByteArray bytes = QByteArray("hello ") + *encodeGbk("№1□abc‖⊙x");
        writeBytes(path("odd.aie"), bytes);
        Experiment e;
        QVERIFY(openExperiment(e, path("odd.aie")).ok);
        QVERIFY(saveExperiment(e, path("odd2.aie")).ok);
        QCOMPARE(readBytes(path("odd2.aie")), bytes);
    }

    void openRebuildsMotorSlotsAndResets() {
        Experiment e;
        for (int k = 0; k < 3; ++k)
            e.addComponent(k, k, e.nameNewComponent(Motor), Motor);
        e.deleteComponent(2);
        QVERIFY(saveExperiment(e, path("motors.aie")).ok);
        Experiment opened;
        opened.addComponent(0, 0, opened.nameNewComponent(Lamp), Lamp);
        opened.deleteComponent(1);
        QVERIFY(openExperiment(opened, path("motors.aie")).ok);
        QCOMPARE(opened.motorSlots()[0], "电动机1");
        QCOMPARE(opened.motorSlots()[1], "电动机3");
        QVERIFY(opened.motorSlots()[2].isEmpty());
        QVERIFY(opened.freeNumbers().isEmpty());
        QVERIFY(!opened.isModified());
    }
};

QTEST_GUILESS_MAIN(TestExperimentFile)
#include "tst_experiment_file.moc"
