#include "render_test_support.h"

#include "render/full_redraw.h"

#include "model/component_record.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/picture_choice.h"
#include "model/wire_edits.h"

#include <QTest>

using namespace ampery;
using namespace ampery::render;
namespace picture = model::picture;

namespace {

// A text of component records: number, name and type, each in its own box.
QString records(const QList<std::tuple<int, QString, int>>& components) {
    QString text;
    int x = 0;
    for (const auto& [number, name, type] : components) {
        text += model::buildComponentRecord(number, x, 0, name, type);
        x += 80;
    }
    return text;
}

} // namespace

class TestFullRedraw : public QObject {
    Q_OBJECT
private slots:
    void bringsTheNumberingUpToDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("highestNumber");
        QTest::addColumn<int>("highestLamp");
        QTest::addRow("empty") << QString() << false << 0 << 0;
        QTest::addRow("running number 12")
            << records({{1, "电灯12", model::Lamp}}) << true << 1 << 12;
        QTest::addRow("highest running number wins over text order")
            << records({{1, "电灯3", model::Lamp}, {2, "电灯1", model::Lamp}}) << true << 2 << 3;
        QTest::addRow("3 and 4 deleted")
            << records({{2, "电阻1", model::Resistor}, {5, "电阻2", model::Resistor}}) << true << 5
            << 0;
    }
    void bringsTheNumberingUpToDate() {
        QFETCH(QString, text);
        QFETCH(bool, found);
        QFETCH(int, highestNumber);
        QFETCH(int, highestLamp);
        model::Experiment experiment;
        experiment.setText(text);
        CanvasPair canvases;
        QCOMPARE(fullRedraw(experiment, canvases, m_pictures), found);
        QCOMPARE(experiment.highestNumber(), highestNumber);
        QCOMPARE(experiment.highestRunningNumber(model::Lamp), highestLamp);
    }

    void emptyTextLeavesBothCanvasesWhite() {
        model::Experiment experiment;
        experiment.addComponent(10, 10, experiment.nameNewComponent(model::Lamp), model::Lamp);
        model::appendWire(experiment, "a∧", "b∨", "0|0┇100|100");
        CanvasPair canvases;
        QVERIFY(fullRedraw(experiment, canvases, m_pictures));
        experiment.reset();
        QVERIFY(!fullRedraw(experiment, canvases, m_pictures));
        QVERIFY(test::isWhite(canvases.area()));
        QVERIFY(test::isWhite(canvases.wireLayer()));
    }

    // Each row is redrawn over a closed switch in the same box, so a picture
    // that failed to replace it would show.
    void showsEachComponentInItsStoredState_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("expected"); // -1: the box stays white
        QTest::addRow("source") << int(model::Source) << "" << picture::source;
        QTest::addRow("open switch") << int(model::Switch) << "0" << picture::switchOpen;
        QTest::addRow("closed switch") << int(model::Switch) << "1" << picture::switchClosed;
        QTest::addRow("switch in state 7") << int(model::Switch) << "7" << -1;
        QTest::addRow("lamp, stored state ignored") << int(model::Lamp) << "2" << picture::lampDark;
        QTest::addRow("resistor") << int(model::Resistor) << "0" << picture::resistor;
        for (int position = 0; position <= 4; ++position)
            QTest::addRow("rheostat at %d", position)
                << int(model::Rheostat) << QString::number(position)
                << picture::rheostatFirst + position;
        QTest::addRow("rheostat at 5") << int(model::Rheostat) << "5" << -1;
        QTest::addRow("rheostat at -1") << int(model::Rheostat) << "-1" << -1;
        QTest::addRow("motor") << int(model::Motor) << "3" << picture::motorFirst;
        QTest::addRow("ammeter") << int(model::Ammeter) << "0" << picture::ammeterFirst;
        QTest::addRow("voltmeter") << int(model::Voltmeter) << "" << picture::voltmeterFirst;
        QTest::addRow("unknown type") << 9 << "0" << -1;
    }
    void showsEachComponentInItsStoredState() {
        QFETCH(int, type);
        QFETCH(QString, state);
        QFETCH(int, expected);
        const QPoint box(120, 90);
        model::Experiment experiment;
        const int number = experiment.addComponent(box.x(), box.y(), "开关1", model::Switch);
        experiment.setFields(number, model::Field::State, "1");
        CanvasPair canvases;
        fullRedraw(experiment, canvases, m_pictures);

        experiment.setText(model::buildComponentRecord(1, box.x(), box.y(), "元件1", type));
        experiment.setFields(1, model::Field::State, state);
        fullRedraw(experiment, canvases, m_pictures);

        CanvasPair reference;
        if (expected >= 0)
            reference.drawPicture(m_pictures.picture(expected), box);
        QCOMPARE(canvases.area(), reference.area());
    }

    // A switch or rheostat wipes its box even when it has no picture to show,
    // taking with it what earlier records drew there.
    void unknownStateClearsItsBoxOverEarlierComponents() {
        model::Experiment experiment;
        experiment.addComponent(0, 0, "电灯1", model::Lamp);
        const int number = experiment.addComponent(30, 0, "变阻器1", model::Rheostat);
        experiment.setFields(number, model::Field::State, "9");
        CanvasPair canvases;
        fullRedraw(experiment, canvases, m_pictures);

        CanvasPair reference;
        reference.drawPicture(m_pictures.picture(picture::lampDark), QPoint(0, 0));
        reference.clearBox(QPoint(30, 0));
        QCOMPARE(canvases.area(), reference.area());
        QVERIFY(!test::isWhite(canvases.area()));
    }

    void drawsWiresAsPolylinesOverThePictures_data() {
        QTest::addColumn<QString>("track");
        QTest::addColumn<QList<QPoint>>("onWire");
        QTest::addRow("single point") << "150|100" << QList<QPoint>{};
        QTest::addRow("straight") << "100|100┇300|100" << QList<QPoint>{QPoint(200, 100)};
        QTest::addRow("bent") << "100|100┇300|100┇300|300"
                              << QList<QPoint>{QPoint(200, 100), QPoint(300, 200)};
    }
    void drawsWiresAsPolylinesOverThePictures() {
        QFETCH(QString, track);
        QFETCH(QList<QPoint>, onWire);
        model::Experiment experiment;
        experiment.addComponent(140, 60, "电阻1", model::Resistor);
        QVERIFY(model::appendWire(experiment, "电阻1∧", "电阻1∨", track));
        CanvasPair canvases;
        fullRedraw(experiment, canvases, m_pictures);

        CanvasPair withoutWires;
        withoutWires.drawPicture(m_pictures.picture(picture::resistor), QPoint(140, 60));
        if (onWire.isEmpty())
            QVERIFY(test::isWhite(canvases.wireLayer()));
        for (const QPoint point : onWire) {
            QCOMPARE(canvases.wireLayer().pixel(point), CanvasPair::wireColour);
            QCOMPARE(canvases.area().pixel(point),
                     withoutWires.area().pixel(point) & CanvasPair::wireColour);
        }
        // Nothing of the wire layer is missing from the area.
        for (int y = 0; y < canvases.area().height(); ++y)
            for (int x = 0; x < canvases.area().width(); ++x)
                QCOMPARE(canvases.area().pixel(x, y),
                         withoutWires.area().pixel(x, y) & canvases.wireLayer().pixel(x, y));
    }

private:
    const PictureTable m_pictures;
};

QTEST_GUILESS_MAIN(TestFullRedraw)
#include "tst_full_redraw.moc"
