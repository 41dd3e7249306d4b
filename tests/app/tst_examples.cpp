#include "area/area_geometry.h"
#include "model/experiment.h"
#include "model/experiment_file.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace ampery;

namespace {

QString examplePath(const QString& name) {
    return QStringLiteral(AMPERY_EXAMPLE_DIR "/") + name;
}

QJsonObject analyse(const QString& path) {
    QProcess cli;
    cli.start(QStringLiteral(AMPERY_CLI), {QStringLiteral("analyse"), path});
    if (!cli.waitForFinished(30000) || cli.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

// name → what the analysis left in its box, or interval/direction for motors.
QVariantMap displayed(const QJsonObject& report) {
    QVariantMap shown;
    for (const QJsonValue& component : report["components"].toArray())
        shown[component["name"].toString()] = component["picture"].toInt(-1);
    for (const QJsonValue& motor : report["motors"].toArray())
        shown[motor["name"].toString()] =
            QStringLiteral("%1/%2").arg(motor["interval"].toInt()).arg(motor["direction"].toInt());
    return shown;
}

} // namespace

class TestExamples : public QObject {
    Q_OBJECT
private slots:
    void eachShowsWhatItTeaches_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QVariantMap>("expected"); // pictures; motors as interval/direction

        QTest::addRow("series lamps share the voltage")
            << "串联电灯.aie"
            << "提示：电路畅通。" << QVariantMap{{"电灯1", 4}, {"电灯2", 4}};
        QTest::addRow("parallel branch currents add up")
            << "并联电灯.aie"
            << "提示：电路畅通。   电流器1测量值为：1.2安培   电流器2测量值为：0.6安培"
               "   电流器3测量值为：0.6安培"
            << QVariantMap{{"电灯1", 5}, {"电灯2", 5}, {"电流器1", 18}, {"电流器2", 19}};
        QTest::addRow("rheostat dims the lamp")
            << "变阻器调光.aie"
            << "提示：电路畅通。   电流器1测量值为：0.2666666666667安培"
            << QVariantMap{{"变阻器1", 9}, {"电灯1", 4}};
        QTest::addRow("swapped wires reverse the motor")
            << "电动机正反转.aie"
            << "提示：电路畅通。" << QVariantMap{{"电动机1", "250/1"}, {"电动机2", "250/0"}};
        QTest::addRow("open switch holds the source voltage")
            << "开关两端的电压.aie"
            << "提示：电源没有形成回路。   电压器1测量值为：6伏特"
            << QVariantMap{{"电压器1", 23}, {"电灯1", 3}, {"开关1", 1}};
        QTest::addRow("closed switch shorts the source")
            << "电源短路.aie"
            << "错误：电源正负极短接！" << QVariantMap{{"电灯1", 3}};
        QTest::addRow("unbalanced bridge drives the middle")
            << "电桥平衡.aie"
            << "提示：电路畅通。   电流器1测量值为：0.06安培"
            << QVariantMap{{"电流器1", 19}, {"变阻器1", 9}};
    }
    void eachShowsWhatItTeaches() {
        QFETCH(QString, file);
        QFETCH(QString, status);
        QFETCH(QVariantMap, expected);
        const QJsonObject report = analyse(examplePath(file));
        QCOMPARE(report["status"].toString(), status);
        const QVariantMap shown = displayed(report);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(shown.value(it.key()).toString(), it.value().toString());
    }

    void wiresRunFromPostToPost_data() {
        QTest::addColumn<QString>("file");
        const QStringList files =
            QDir(QStringLiteral(AMPERY_EXAMPLE_DIR)).entryList({QStringLiteral("*.aie")});
        QCOMPARE(files.size(), 7);
        for (const QString& file : files)
            QTest::addRow("%s", qPrintable(file)) << file;
    }
    // Every wire starts and ends on the attach point of the post it names, as
    // one drawn in the program does.
    void wiresRunFromPostToPost() {
        QFETCH(QString, file);
        model::Experiment experiment;
        const model::FileResult opened = model::openExperiment(experiment, examplePath(file));
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QHash<QString, model::Component> byName;
        for (const model::Component& c : experiment.components())
            byName.insert(c.name, c);

        const auto postAt = [&](const QString& terminal, const QString& pointText) {
            const model::Component c = byName.value(terminal.chopped(1));
            const QStringList xy = pointText.split(u'|');
            const QPoint point(xy.value(0).toInt(), xy.value(1).toInt());
            const auto hit = area::hitTerminal(c.type, {c.x, c.y}, point);
            return hit && hit->attach == point && hit->positive == terminal.endsWith(u"∧");
        };
        int wires = 0;
        for (const QString& record : experiment.text().split(u'‖')) {
            if (!record.startsWith(u"⊙"))
                continue;
            ++wires;
            const QStringList ends = record.mid(1).section(u'¤', 0, 0).split(u'|');
            const QStringList track = record.section(u'¤', 1).split(u'┇');
            QVERIFY2(track.size() > 4, qPrintable(record));
            QVERIFY2(postAt(ends[0], track.first()), qPrintable(record));
            QVERIFY2(postAt(ends[1], track.last()), qPrintable(record));
        }
        QVERIFY(wires >= 4);
    }
};

QTEST_GUILESS_MAIN(TestExamples)
#include "tst_examples.moc"
