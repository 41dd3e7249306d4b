#include "render_test_support.h"

#include "render/full_redraw.h"
#include "render/wire_layer_cache.h"

#include "model/component_record.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/picture_choice.h"
#include "model/wire_edits.h"

#include <QRandomGenerator>
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

// A random experiment together with what it holds, to redraw it without the
// record grammar: components in text order (boxes may overlap, switches and
// rheostats may be in states without a picture) and wires of 1 to 40 points.
struct Scene {
    struct Placed {
        QPoint topLeft;
        int type = 0;
        int state = 0;
    };
    model::Experiment experiment;
    QList<Placed> components;
    QList<QString> tracks;

    Scene(quint32 seed, QSize area) {
        QRandomGenerator random(seed);
        const auto point = [&] {
            return QPoint(random.bounded(-20, area.width()), random.bounded(-20, area.height()));
        };
        for (int k = 0; k < 12; ++k) {
            const Placed placed{point(), random.bounded(1, 9), random.bounded(-1, 6)};
            const int number =
                experiment.addComponent(placed.topLeft.x(), placed.topLeft.y(),
                                        experiment.nameNewComponent(placed.type), placed.type);
            experiment.setFields(number, model::Field::State, QString::number(placed.state));
            components.append(placed);
        }
        for (int k = 0; k < 25; ++k) {
            QStringList points;
            for (int n = random.bounded(1, 41); n > 0; --n)
                points.append(QString::number(point().x()) + "|" + QString::number(point().y()));
            tracks.append(points.join("┇"));
            QVERIFY(model::appendWire(experiment, QString("甲%1∧").arg(k), QString("乙%1∨").arg(k),
                                      tracks.last()));
        }
    }

    // The redraw taken literally: both canvases white, every picture in text
    // order, every wire, then the AND of the whole wire layer onto the area.
    void redrawLiterally(QImage& area, QImage& wires, const PictureTable& pictures) const {
        area.fill(Qt::white);
        wires.fill(Qt::white);
        QPainter onArea(&area);
        for (const Placed& c : components) {
            if (c.type == model::Switch || c.type == model::Rheostat)
                onArea.fillRect(QRect(c.topLeft, pictureSize), Qt::white);
            if (const std::optional<int> index = model::pictureForRecord(c.type, c.state))
                onArea.drawImage(c.topLeft, pictures.picture(*index));
        }
        QPainter onWires(&wires);
        onWires.setPen(QPen(QColor(CanvasPair::wireColour), CanvasPair::wireWidth));
        for (const QString& track : tracks) {
            if (track.isEmpty())
                continue;
            const QStringList points = track.split("┇");
            const auto at = [&](qsizetype k) {
                const QStringList xy = points[k].split("|");
                return QPoint(xy[0].toInt(), xy[1].toInt());
            };
            for (qsizetype k = 1; k < points.size(); ++k)
                onWires.drawLine(at(k - 1), at(k));
        }
        onWires.end();
        onArea.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        onArea.drawImage(QPoint(0, 0), wires);
    }

    static QString head(int k) { return QString("⊙甲%1∧|乙%1∨¤").arg(k); }
    // Replaces the track of wire k in the text.
    void setTrack(int k, const QString& track) {
        QString& text = experiment.editableText();
        text.replace(text.indexOf(head(k)) + head(k).size(), tracks[k].size(), track);
        tracks[k] = track;
    }
    void deleteWire(int k) {
        experiment.editableText().remove(head(k) + tracks[k] + "‖");
        tracks[k].clear();
    }
};

// What changes in the text after the still wires were cached.
enum class Edit {
    Nothing,
    MovingWiresMoved,
    MovingWireDeleted,
    WireAdded,
    ComponentMoved,
    StillWireMoved,
    StillWireDeleted,
    AreaResized,
};

QString shifted(const QString& track, int dx) {
    QStringList points = track.split("┇");
    for (QString& point : points) {
        const QStringList xy = point.split("|");
        point = QString::number(xy[0].toInt() + dx) + "|" + xy[1];
    }
    return points.join("┇");
}

} // namespace

Q_DECLARE_METATYPE(Edit)

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

    void paintsWhatTheLiteralRedrawPaints_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<quint32>("seed");
        for (const qreal ratio : {1.0, 1.25, 2.0})
            for (quint32 seed = 1; seed <= 3; ++seed)
                QTest::addRow("ratio %g, seed %u", ratio, seed) << ratio << seed;
    }
    void paintsWhatTheLiteralRedrawPaints() {
        QFETCH(qreal, ratio);
        QFETCH(quint32, seed);
        const PictureTable pictures(ratio);
        CanvasPair canvases(CanvasPair::defaultSize, ratio);
        Scene scene(seed, canvases.size());
        // Over a previous picture, which must leave nothing behind.
        Scene previous(seed + 100, canvases.size());
        fullRedraw(previous.experiment, canvases, pictures);
        fullRedraw(scene.experiment, canvases, pictures);

        QImage area = canvases.blankImage();
        QImage wires = canvases.blankImage();
        scene.redrawLiterally(area, wires, pictures);
        QCOMPARE(canvases.wireLayer(), wires);
        QCOMPARE(canvases.area(), area);
    }

    // The cached wires give the picture of a redraw without them, whatever
    // changed since; the cache is used only while every wire it holds is
    // still in the text unchanged and the area keeps its size.
    void stillWiresGiveTheSamePicture_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<bool>("cacheUsed");
        QTest::addRow("nothing") << Edit::Nothing << true;
        QTest::addRow("moving wires moved") << Edit::MovingWiresMoved << true;
        QTest::addRow("moving wire deleted") << Edit::MovingWireDeleted << true;
        QTest::addRow("wire added") << Edit::WireAdded << true;
        QTest::addRow("component moved") << Edit::ComponentMoved << true;
        QTest::addRow("still wire moved") << Edit::StillWireMoved << false;
        QTest::addRow("still wire deleted") << Edit::StillWireDeleted << false;
        QTest::addRow("area resized") << Edit::AreaResized << false;
    }
    void stillWiresGiveTheSamePicture() {
        QFETCH(Edit, edit);
        QFETCH(bool, cacheUsed);
        CanvasPair cached;
        Scene scene(7, cached.size());
        // Wires 3, 9 and 20 move; wire 21 has the same track as 3, so only one
        // of the two may be left out of the cache.
        scene.setTrack(21, scene.tracks[3]);
        const QStringList moving{scene.tracks[3], scene.tracks[9], scene.tracks[20]};
        const WireLayerCache stillWires(scene.experiment.text(), moving, cached);

        switch (edit) {
        case Edit::Nothing:
            break;
        case Edit::MovingWiresMoved:
            for (const int k : {3, 9, 20})
                scene.setTrack(k, shifted(scene.tracks[k], 17));
            break;
        case Edit::MovingWireDeleted:
            scene.deleteWire(9);
            break;
        case Edit::WireAdded:
            QVERIFY(model::appendWire(scene.experiment, "丙∧", "丁∨", "10|10┇400|300"));
            break;
        case Edit::ComponentMoved:
            scene.experiment.setFields(2, model::Field::X, "333");
            break;
        case Edit::StillWireMoved:
            scene.setTrack(21, shifted(scene.tracks[21], 1));
            break;
        case Edit::StillWireDeleted:
            scene.deleteWire(5);
            break;
        case Edit::AreaResized:
            cached.resize(cached.size() + QSize(0, 10), 1.0);
            break;
        }
        CanvasPair probe(cached.size());
        QCOMPARE(stillWires.drawWires(scene.experiment.text(), probe), cacheUsed);

        CanvasPair full(cached.size());
        model::Experiment copy = scene.experiment;
        fullRedraw(scene.experiment, cached, m_pictures, &stillWires);
        fullRedraw(copy, full, m_pictures);
        QCOMPARE(cached.wireLayer(), full.wireLayer());
        QCOMPARE(cached.area(), full.area());
        QCOMPARE(scene.experiment.highestNumber(), copy.highestNumber());
    }

    void textWithNestedTracksGetsNoCache_data() {
        QTest::addColumn<QString>("stray");
        QTest::addRow("inside a track") << "¤5|5┇";
        QTest::addRow("two without an end") << "¤¤";
    }
    void textWithNestedTracksGetsNoCache() {
        QFETCH(QString, stray);
        CanvasPair cached;
        Scene scene(8, cached.size());
        QString& text = scene.experiment.editableText();
        if (stray.startsWith("¤5"))
            text.insert(text.indexOf(scene.tracks[12]) + 3, stray);
        else
            text += stray;
        const WireLayerCache stillWires(text, {}, cached);
        QVERIFY(!stillWires.drawWires(text, cached));

        CanvasPair full;
        model::Experiment copy = scene.experiment;
        fullRedraw(scene.experiment, cached, m_pictures, &stillWires);
        fullRedraw(copy, full, m_pictures);
        QCOMPARE(cached.wireLayer(), full.wireLayer());
        QCOMPARE(cached.area(), full.area());
    }

private:
    const PictureTable m_pictures;
};

QTEST_GUILESS_MAIN(TestFullRedraw)
#include "tst_full_redraw.moc"
