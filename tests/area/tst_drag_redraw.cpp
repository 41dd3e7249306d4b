#include "window_fixture.h"

#include "analysis/analyse.h"
#include "app/palette.h"
#include "area/area_interaction.h"
#include "model/component_type.h"
#include "model/wire_edits.h"
#include "render/full_redraw.h"
#include "render/motor_animator.h"
#include "render/outcome_painter.h"

#include <QRadioButton>
#include <QRandomGenerator>

using namespace ampery;

namespace {

// Components spread over the area, the dragged lamp among them, and wires
// of many points: some start at the lamp, some end at it, one joins its own
// posts, the rest never touch it.
struct DragScene {
    QStringList names;
    QString lamp;
    QPoint lampTopLeft{200, 160};

    DragScene(model::Experiment& experiment, quint32 seed) {
        QRandomGenerator random(seed);
        const auto add = [&](int type, QPoint topLeft) {
            const QString name = experiment.nameNewComponent(type);
            const int number = experiment.addComponent(topLeft.x(), topLeft.y(), name, type);
            if (type == model::Switch)
                experiment.setFields(number, model::Field::State, "1");
            names.append(name);
            return name;
        };
        add(model::Source, {20, 20});
        lamp = add(model::Lamp, lampTopLeft);
        const int types[] = {model::Switch,   model::Lamp,    model::Resistor,
                             model::Rheostat, model::Ammeter, model::Voltmeter};
        for (int k = 0; k < 8; ++k)
            add(types[k % 6], {random.bounded(0, 400), random.bounded(0, 320)});

        const auto wire = [&](const QString& from, const QString& to) {
            QStringList points;
            for (int n = random.bounded(8, 30); n > 0; --n)
                points.append(QString("%1|%2").arg(random.bounded(490)).arg(random.bounded(400)));
            return model::appendWire(experiment, from, to, points.join("┇"));
        };
        const auto terminal = [&](const QString& name) {
            return model::terminalName(name, random.bounded(2) == 0);
        };
        wire(model::terminalName(lamp, true), model::terminalName(lamp, false));
        for (int k = 0; k < 2; ++k) {
            wire(model::terminalName(lamp, k == 0), terminal(names[k + 2]));
            wire(terminal(names[k + 4]), model::terminalName(lamp, k == 0));
        }
        for (int added = 0; added < 12;) {
            const QString from = names[random.bounded(names.size())];
            const QString to = names[random.bounded(names.size())];
            if (from != lamp && to != lamp && wire(terminal(from), terminal(to)))
                ++added;
        }
    }
};

struct DragFixture : WindowFixture {
    QWidget* area = find<QWidget>("画板1");
    area::ExperimentController& controller = window->controller();

    // What a full redraw and the analysis make of the current text on canvases
    // of their own must be what the window shows.
    void compareWithAFreshRedraw() {
        const render::CanvasPair& shown = controller.canvases();
        const render::PictureTable pictures(shown.devicePixelRatio());
        render::CanvasPair canvases(shown.size(), shown.devicePixelRatio());
        render::MotorAnimator motors(canvases, pictures);
        model::Experiment copy = experiment();
        QVERIFY(render::fullRedraw(copy, canvases, pictures, nullptr,
                                   render::RedrawOptions{controller.namesShown()}));
        render::OutcomePainter(canvases, pictures, motors).apply(analysis::analyse(copy).steps);
        QCOMPARE(shown.wireLayer(), canvases.wireLayer());
        QCOMPARE(shown.area(), canvases.area());
    }

    // Deletes the first wire that does not touch the named component, as
    // nothing in a drag of it does.
    void deleteAWireAwayFrom(const QString& name) {
        QString& text = experiment().editableText();
        for (qsizetype at = text.indexOf("⊙"); at >= 0; at = text.indexOf("⊙", at + 1)) {
            const qsizetype end = text.indexOf("‖", at);
            if (!text.mid(at, text.indexOf("¤", at) - at).contains(name)) {
                text.remove(at, end + 1 - at);
                return;
            }
        }
        QFAIL("every wire touches the component");
    }
};

} // namespace

class TestDragRedraw : public QObject {
    Q_OBJECT
private slots:
    // Each step of a drag redraws only the wires that move; the picture must
    // be the one a full redraw gives.
    // With the names shown they move with their components too.
    void everyDragStepShowsWhatAFullRedrawShows_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("names");
        for (const bool names : {false, true})
            for (quint32 seed = 1; seed <= 3; ++seed)
                QTest::addRow("seed %u%s", seed, names ? ", names" : "") << seed << names;
    }
    void everyDragStepShowsWhatAFullRedrawShows() {
        QFETCH(quint32, seed);
        QFETCH(bool, names);
        DragFixture f;
        const DragScene scene(f.experiment(), seed);
        f.controller.setNamesShown(names);
        f.controller.redrawAndAnalyse();
        QTest::mouseClick(f.window->palette().button(area::PaletteButton::Move), Qt::LeftButton);

        const QPoint grab = scene.lampTopLeft + QPoint(30, 30);
        QTest::mousePress(f.area, Qt::LeftButton, {}, grab);
        QVERIFY(f.window->controller().dragInProgress());
        const QList<QPoint> steps{{240, 200}, {260, 230}, {255, 228}, {5, 5}, {480, 390}};
        for (const QPoint step : steps) {
            QTest::mouseMove(f.area, step);
            f.compareWithAFreshRedraw();
        }
        // Something other than the drag changes a wire that is not dragged.
        f.deleteAWireAwayFrom(scene.lamp);
        QTest::mouseMove(f.area, {250, 200});
        f.compareWithAFreshRedraw();
        QTest::mouseRelease(f.area, Qt::LeftButton, {}, {250, 200});

        // After the drag every wire is drawn again.
        f.deleteAWireAwayFrom(scene.lamp);
        f.controller.redrawAndAnalyse();
        f.compareWithAFreshRedraw();

        // The next drag, of another component, starts from the new wires.
        f.deleteAWireAwayFrom(scene.names[0]);
        QTest::mouseClick(f.window->palette().button(area::PaletteButton::Move), Qt::LeftButton);
        QTest::mousePress(f.area, Qt::LeftButton, {}, {40, 40});
        QTest::mouseMove(f.area, {70, 60});
        f.compareWithAFreshRedraw();
        QTest::mouseRelease(f.area, Qt::LeftButton, {}, {70, 60});
    }

    // Finishing a wire draws its last segments on the layers as they stand;
    // with the names shown, a name the new wire crosses stays on top of it.
    void finishedWireShowsWhatAFullRedrawShows_data() {
        QTest::addColumn<bool>("names");
        QTest::addRow("names hidden") << false;
        QTest::addRow("names shown") << true;
    }
    void finishedWireShowsWhatAFullRedrawShows() {
        QFETCH(bool, names);
        DragFixture f;
        const DragScene scene(f.experiment(), 5);
        model::Experiment& e = f.experiment();
        const QString from = e.nameNewComponent(model::Resistor);
        e.addComponent(20, 300, from, model::Resistor);
        const QString to = e.nameNewComponent(model::Resistor);
        e.addComponent(400, 300, to, model::Resistor);
        f.controller.setNamesShown(names);
        f.controller.redrawAndAnalyse();

        // Along the line of the dragged lamp's name, just under its box.
        const int nameLine = scene.lampTopLeft.y() + 68 + 6;
        f.controller.startWire(model::terminalName(from, true), {36, 354}, {40, 350});
        f.controller.extendWire({60, nameLine});
        f.controller.extendWire({320, nameLine});
        f.controller.extendWire({458, 350}); // the pointer reaches the post
        QVERIFY(f.controller.finishWire(model::terminalName(to, false), {462, 352}, {458, 350}));
        f.compareWithAFreshRedraw();
    }
};

QTEST_MAIN(TestDragRedraw)
#include "tst_drag_redraw.moc"
