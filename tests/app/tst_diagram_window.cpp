#include "window_fixture.h"

#include "app/command_texts.h"
#include "app/diagram_view.h"
#include "app/diagram_window.h"
#include "app/palette.h"
#include "diagram/diagram_layout.h"
#include "diagram/diagram_source.h"
#include "model/experiment_file.h"
#include "render/canvas_pair.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QToolBar>

using namespace ampery;
using Answer = app::Prompts::Answer;
using area::PaletteButton;

namespace {

QAction* toolbarAction(QToolBar* toolbar, const QString& caption) {
    for (QAction* a : toolbar->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

const diagram::Symbol* symbolNamed(const diagram::CircuitDiagram& d, const QString& name) {
    for (const diagram::Symbol& s : d.symbols)
        if (s.name == name)
            return &s;
    return nullptr;
}

// The user's changes, each made through the controller as the tools make them.
enum class Edit { Place, Wire, CloseSwitch, Delete, Undo, Redo, Open, New };

// A source, a switch and a lamp; the switch and the lamp are not yet wired.
struct DiagramFixture : WindowFixture {
    area::ExperimentController& controller = window->controller();
    app::DiagramWindow& diagramWindow = window->diagramWindow();

    DiagramFixture() {
        window->showDiagram(true);
        QVERIFY(QTest::qWaitForWindowExposed(&diagramWindow));
    }

    const diagram::CircuitDiagram& shown() const { return diagramWindow.view().diagram(); }
    // What the experiment's diagram is now, laid out afresh.
    diagram::CircuitDiagram expected() const {
        return diagram::layOut(
            diagram::diagramSource(controller.experiment(), controller.lastOutcome()));
    }

    void wire(const QString& from, const QString& to) {
        controller.startWire(from, {10, 10}, {10, 10});
        controller.extendWire({30, 10});
        QVERIFY(controller.finishWire(to, {40, 40}, {40, 40}));
    }

    void buildLoop() {
        controller.placeComponent(model::Source, {60, 60});
        controller.placeComponent(model::Switch, {200, 60});
        controller.placeComponent(model::Lamp, {340, 200});
        wire("电源1∧", "开关1∧");
        wire("开关1∨", "电灯1∧");
        wire("电灯1∨", "电源1∨");
    }

    // The view as painted.
    QImage picture() {
        app::DiagramView& view = diagramWindow.view();
        return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

int darkPixels(const QImage& image, const QRect& rect) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128 &&
                     image.pixel(x, y) != render::CanvasPair::wireColour;
    return count;
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestDiagramWindow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    // One command in the 视图 menu and on the toolbar; the window's own close
    // button unchecks it.
    void diagramCommandShowsAndHides_data() {
        QTest::addColumn<bool>("fromToolbar");
        QTest::addColumn<bool>("closeTheWindow");
        QTest::addRow("menu, hidden again by the command") << false << false;
        QTest::addRow("menu, window closed") << false << true;
        QTest::addRow("toolbar, hidden again by the command") << true << false;
        QTest::addRow("toolbar, window closed") << true << true;
    }
    void diagramCommandShowsAndHides() {
        QFETCH(bool, fromToolbar);
        QFETCH(bool, closeTheWindow);
        WindowFixture f;
        QAction* command = f.menuAction("视图", "电路图");
        QVERIFY(command);
        QCOMPARE(toolbarAction(f.find<QToolBar>("工具条1"), "电路图"), command);
        QVERIFY(command->isCheckable());
        app::DiagramWindow& diagramWindow = f.window->diagramWindow();
        QVERIFY(!diagramWindow.isVisible());
        QVERIFY(!command->isChecked());

        command->trigger();
        QVERIFY(diagramWindow.isVisible());
        QVERIFY(command->isChecked());
        QCOMPARE(diagramWindow.windowTitle(), "电路图");
        QVERIFY(diagramWindow.isWindow());
        // Beside the main window, whose own layout stays as it was.
        QVERIFY(!f.window->geometry().intersects(diagramWindow.geometry()) ||
                diagramWindow.x() >= f.window->x());
        QCOMPARE(f.find<QWidget>("画板1")->geometry(), QRect(204, 64, 490, 400));
        if (closeTheWindow)
            QVERIFY(diagramWindow.close());
        else if (fromToolbar)
            toolbarAction(f.find<QToolBar>("工具条1"), "电路图")->trigger();
        else
            command->trigger();
        QVERIFY(!diagramWindow.isVisible());
        QVERIFY(!command->isChecked());
        // And back again.
        command->trigger();
        QVERIFY(diagramWindow.isVisible());
    }

    void viewMenuHoldsTheDiagramCommands() {
        WindowFixture f;
        app::DiagramWindow& diagramWindow = f.window->diagramWindow();
        QCOMPARE(f.menuAction("视图", "显示数值"), diagramWindow.showValuesAction());
        QCOMPARE(f.menuAction("视图", "保存电路图"), diagramWindow.saveAction());
        QCOMPARE(f.menuAction("视图", "打印电路图"), diagramWindow.printAction());
        QVERIFY(diagramWindow.showValuesAction()->isCheckable());
        QVERIFY(!diagramWindow.showValuesAction()->isChecked());
        QAction* names = f.menuAction("视图", "显示名称");
        QVERIFY(names && names->isCheckable() && !names->isChecked());
        auto* toolbar = diagramWindow.findChild<QToolBar*>("电路图工具条");
        QVERIFY(toolbar);
        for (const QString caption : {"显示数值", "保存电路图", "打印电路图"})
            QVERIFY2(toolbarAction(toolbar, caption), qPrintable(caption));
    }

    // Every kind of change reaches the diagram, and it is what the
    // experiment's diagram is then.
    void diagramFollowsEveryChange_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addRow("place") << Edit::Place;
        QTest::addRow("wire") << Edit::Wire;
        QTest::addRow("close the switch") << Edit::CloseSwitch;
        QTest::addRow("delete") << Edit::Delete;
        QTest::addRow("undo") << Edit::Undo;
        QTest::addRow("redo") << Edit::Redo;
        QTest::addRow("open") << Edit::Open;
        QTest::addRow("new") << Edit::New;
    }
    void diagramFollowsEveryChange() {
        QFETCH(Edit, edit);
        DiagramFixture f;
        f.buildLoop();
        QCOMPARE(f.shown(), f.expected());
        QCOMPARE(f.shown().symbols.size(), 3);
        const diagram::CircuitDiagram before = f.shown();
        const int layouts = f.diagramWindow.layoutCount();
        const QString path = m_dir.filePath("opened.aie");

        switch (edit) {
        case Edit::Place:
            f.controller.placeComponent(model::Resistor, {200, 300});
            QVERIFY(symbolNamed(f.shown(), "电阻1"));
            QCOMPARE(symbolNamed(f.shown(), "电阻1")->look, diagram::SymbolLook::Unwired);
            break;
        case Edit::Wire:
            f.controller.placeComponent(model::Voltmeter, {200, 300});
            f.wire("电压器1∧", "电灯1∧");
            QCOMPARE(symbolNamed(f.shown(), "电压器1")->look, diagram::SymbolLook::Normal);
            break;
        case Edit::CloseSwitch:
            QVERIFY(!symbolNamed(f.shown(), "开关1")->closed);
            f.controller.toggleSwitch(2);
            QVERIFY(symbolNamed(f.shown(), "开关1")->closed);
            QVERIFY(symbolNamed(f.shown(), "电灯1")->look == diagram::SymbolLook::LampBright ||
                    symbolNamed(f.shown(), "电灯1")->look == diagram::SymbolLook::LampDim);
            break;
        case Edit::Delete:
            f.controller.deleteComponent(2);
            QVERIFY(!symbolNamed(f.shown(), "开关1"));
            break;
        case Edit::Undo:
            f.controller.undo();
            QVERIFY(f.shown().nets.size() < before.nets.size());
            break;
        case Edit::Redo:
            f.controller.undo();
            f.controller.redo();
            QCOMPARE(f.shown(), before);
            QCOMPARE(f.diagramWindow.layoutCount(), layouts + 2);
            break;
        case Edit::Open: {
            model::Experiment other;
            other.addComponent(20, 20, other.nameNewComponent(model::Motor), model::Motor);
            QVERIFY(model::writeExperimentFile(path, other.text()).ok);
            f.window->openFile(path);
            QCOMPARE(f.shown().symbols.size(), 1);
            QVERIFY(symbolNamed(f.shown(), "电动机1"));
            break;
        }
        case Edit::New:
            f.window->startExperiment();
            QVERIFY(f.shown().symbols.isEmpty());
            break;
        }
        QCOMPARE(f.shown(), f.expected());
        if (edit != Edit::Redo)
            QVERIFY(f.shown() != before);
    }

    // A drag only moves a component: the diagram is neither laid out nor
    // painted again. A change to how things are joined is, once.
    void draggingLaysNothingOut() {
        DiagramFixture f;
        // Through the controller, so that undo has the lamp's steps to go back over.
        f.controller.placeComponent(model::Source, {60, 60});
        f.controller.placeComponent(model::Lamp, {240, 140});
        f.wire("电源1∧", "电灯1∧");
        f.wire("电灯1∨", "电源1∨");
        QCOMPARE(symbolNamed(f.shown(), "电灯1")->look, diagram::SymbolLook::LampBright);
        const int lampX = f.experiment().readComponent(2)->x;
        QCoreApplication::processEvents();
        const diagram::CircuitDiagram before = f.shown();
        QVERIFY(!before.symbols.isEmpty());
        const int layouts = f.diagramWindow.layoutCount();
        const int paints = f.diagramWindow.view().paintCount();

        QWidget* area = f.find<QWidget>("画板1");
        QTest::mouseClick(f.window->palette().button(PaletteButton::Move), Qt::LeftButton);
        QTest::mousePress(area, Qt::LeftButton, {}, {230, 130});
        QVERIFY(f.controller.dragInProgress());
        for (const QPoint step : {QPoint(250, 150), QPoint(300, 200), QPoint(320, 260)}) {
            QTest::mouseMove(area, step);
            QCoreApplication::processEvents();
        }
        QTest::mouseRelease(area, Qt::LeftButton, {}, {320, 260});
        QCoreApplication::processEvents();
        QCOMPARE(f.experiment().readComponent(2)->x, lampX + 90);
        QCOMPARE(f.diagramWindow.layoutCount(), layouts);
        QCOMPARE(f.diagramWindow.view().paintCount(), paints);
        QCOMPARE(f.shown(), before);

        // Undoing the drag moves it back: still nothing to lay out.
        f.window->undo();
        QCOMPARE(f.experiment().readComponent(2)->x, lampX);
        QCOMPARE(f.diagramWindow.layoutCount(), layouts);
        // Deleting wires changes the circuit.
        QVERIFY(f.controller.deleteWiresAt({30, 10}));
        QCOMPARE(f.diagramWindow.layoutCount(), layouts + 1);
        QCoreApplication::processEvents();
        QVERIFY(f.diagramWindow.view().paintCount() > paints);
    }

    // A tool window shares its main window's shortcuts.
    void undoKeysWorkInTheDiagramWindow() {
        DiagramFixture f;
        f.buildLoop();
        const qsizetype wires = f.shown().nets.size();
        f.diagramWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.diagramWindow));
        f.diagramWindow.view().setFocus();
        QTest::keyClick(&f.diagramWindow.view(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f.shown().nets.size() < wires);
        QTest::keyClick(&f.diagramWindow.view(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.shown().nets.size(), wires);
    }

    // Hidden, the window computes nothing; shown again, it catches up.
    void hiddenWindowCatchesUpWhenShown() {
        DiagramFixture f;
        f.window->showDiagram(false);
        const int layouts = f.diagramWindow.layoutCount();
        f.buildLoop();
        f.controller.toggleSwitch(2);
        QCOMPARE(f.diagramWindow.layoutCount(), layouts);
        f.window->showDiagram(true);
        QCOMPARE(f.diagramWindow.layoutCount(), layouts + 1);
        QCOMPARE(f.shown(), f.expected());
        QVERIFY(symbolNamed(f.shown(), "开关1")->closed);
    }

    // 显示数值 draws the values without laying anything out again.
    void showValuesChangesTheDrawing() {
        DiagramFixture f;
        f.showLitLamp();
        QCoreApplication::processEvents();
        const QImage without = f.picture();
        const int layouts = f.diagramWindow.layoutCount();
        f.menuAction("视图", "显示数值")->trigger();
        QVERIFY(f.diagramWindow.view().options().showValues);
        const QImage with = f.picture();
        QVERIFY(with != without);
        QCOMPARE(f.diagramWindow.layoutCount(), layouts);
        f.diagramWindow.showValuesAction()->trigger();
        QCOMPARE(f.picture(), without);
    }

    void emptyViewSaysWhy() {
        DiagramFixture f;
        QVERIFY(f.shown().symbols.isEmpty());
        // The hint's text stands in the middle of the white view.
        const QImage picture = f.picture();
        int grey = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                grey += picture.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY(grey > 50);
    }

    void savesSvgAndPng_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("svg");
        QTest::addColumn<bool>("values");
        QTest::addRow("svg") << "diagram.svg" << true << false;
        QTest::addRow("SVG upper case") << "diagram.SVG" << true << false;
        QTest::addRow("svg with values") << "values.svg" << true << true;
        QTest::addRow("png") << "diagram.png" << false << false;
        QTest::addRow("png with values") << "values.png" << false << true;
    }
    void savesSvgAndPng() {
        QFETCH(QString, fileName);
        QFETCH(bool, svg);
        QFETCH(bool, values);
        DiagramFixture f;
        f.showLitLamp();
        f.diagramWindow.showValuesAction()->setChecked(values);
        const QString path = m_dir.filePath(fileName);
        QFile::remove(path);
        f.prompts.fileNames = {path};
        f.menuAction("视图", "保存电路图")->trigger();

        QCOMPARE(f.prompts.shown.size(), 1);
        const app::FileDialogSetup& setup = f.prompts.shown.first().setup;
        QCOMPARE(setup.title, "保存电路图：");
        QCOMPARE(setup.filter, "SVG 图片 (*.svg);;PNG 图片 (*.png)");
        QVERIFY(QFile::exists(path));
        if (svg) {
            QSvgRenderer renderer(path);
            QVERIFY(renderer.isValid());
            QVERIFY(!renderer.defaultSize().isEmpty());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            QVERIFY(text.contains("电灯1"));
            QCOMPARE(text.contains("6V"), values);
        } else {
            const QImage image(path);
            QVERIFY(!image.isNull());
            QVERIFY(darkPixels(image.convertToFormat(QImage::Format_RGB32), image.rect()) > 100);
        }
    }

    void saveReportsWhatWentWrong_data() {
        QTest::addColumn<QString>("fileName"); // "" cancels
        QTest::addColumn<bool>("empty");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QString>("message");
        QTest::addRow("cancelled") << "" << false << QStringList{"save"} << QString();
        QTest::addRow("no such folder")
            << "no/such/folder/diagram.svg" << false << QStringList{"save", "inform"}
            << app::command_texts::diagramNotWritten;
        QTest::addRow("png into no such folder")
            << "no/such/folder/diagram.png" << false << QStringList{"save", "inform"}
            << app::command_texts::diagramNotWritten;
        QTest::addRow("bmp") << "diagram.bmp" << false << QStringList{"save", "inform"}
                             << app::command_texts::diagramUnknownFormat;
        QTest::addRow("no extension") << "diagram" << false << QStringList{"save", "inform"}
                                      << app::command_texts::diagramUnknownFormat;
        QTest::addRow("empty experiment")
            << "diagram.svg" << true << QStringList{"inform"} << app::command_texts::nothingToSave;
    }
    void saveReportsWhatWentWrong() {
        QFETCH(QString, fileName);
        QFETCH(bool, empty);
        QFETCH(QStringList, kinds);
        QFETCH(QString, message);
        DiagramFixture f;
        if (!empty)
            f.showLitLamp();
        const QString path = fileName.isEmpty() ? QString() : m_dir.filePath(fileName);
        QFile::remove(path);
        f.prompts.fileNames = {path};
        f.diagramWindow.save();
        QStringList shownKinds;
        for (const auto& s : f.prompts.shown)
            shownKinds << s.kind;
        QCOMPARE(shownKinds, kinds);
        if (!message.isEmpty()) {
            const QString expected = message.contains("%1") ? message.arg(path) : message;
            QCOMPARE(f.prompts.shown.last().text, expected);
        }
        if (!path.isEmpty())
            QVERIFY(!QFile::exists(path));
    }

    void printsThroughThePrintDialog_data() {
        QTest::addColumn<QString>("printTo"); // "" cancels
        QTest::addColumn<bool>("empty");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<bool>("printed");
        QTest::addRow("printed") << "printed.pdf" << false << QStringList{"print"} << true;
        QTest::addRow("cancelled") << "" << false << QStringList{"print"} << false;
        QTest::addRow("printer fails")
            << "no/such/folder/printed.pdf" << false << QStringList{"print", "inform"} << false;
        QTest::addRow("empty experiment")
            << "printed.pdf" << true << QStringList{"inform"} << false;
    }
    void printsThroughThePrintDialog() {
        QFETCH(QString, printTo);
        QFETCH(bool, empty);
        QFETCH(QStringList, kinds);
        QFETCH(bool, printed);
        DiagramFixture f;
        if (!empty)
            f.showLitLamp();
        const QString path = printTo.isEmpty() ? QString() : m_dir.filePath(printTo);
        QFile::remove(path);
        if (!path.isEmpty())
            f.prompts.printFiles = {path};
        f.menuAction("视图", "打印电路图")->trigger();
        QStringList shownKinds;
        for (const auto& s : f.prompts.shown)
            shownKinds << s.kind;
        QCOMPARE(shownKinds, kinds);
        QCOMPARE(QFile::exists(path), printed);
        if (printed) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray pdf = file.readAll();
            QVERIFY(pdf.startsWith("%PDF"));
            QVERIFY(pdf.size() > 1000);
            // The lamp's loop is wider than tall: so is the page.
            const QRegularExpressionMatch box =
                QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])").match(pdf);
            QVERIFY(box.hasMatch());
            QVERIFY(box.captured(1).toDouble() > box.captured(2).toDouble());
        }
        if (kinds.endsWith("inform"))
            QCOMPARE(f.prompts.shown.last().text, empty ? app::command_texts::nothingToPrint
                                                        : app::command_texts::diagramNotPrinted);
    }

    // 显示名称 writes each name under its box on the area, in exported
    // pictures too, whichever way the component came there.
    void namesUnderTheComponents_data() {
        QTest::addColumn<QString>("how");
        QTest::addRow("shown after placing") << "after";
        QTest::addRow("placed while shown") << "placed";
        QTest::addRow("opened while shown") << "opened";
        QTest::addRow("deleted and undone while shown") << "undone";
    }
    void namesUnderTheComponents() {
        QFETCH(QString, how);
        WindowFixture f;
        QAction* names = f.menuAction("视图", "显示名称");
        QWidget* area = f.find<QWidget>("画板1");
        const QPoint click(200, 150);
        const QPoint topLeft = click - QPoint(38, 34);
        const QRect line = render::CanvasPair::NamePainter::nameRect(topLeft);
        const auto namePixels = [&] {
            return darkPixels(f.window->controller().canvases().area(), line);
        };
        if (how != "after")
            names->trigger();
        if (how == "opened") {
            model::Experiment other;
            other.addComponent(topLeft.x(), topLeft.y(), "电灯1", model::Lamp);
            const QString path = m_dir.filePath("named.aie");
            QVERIFY(model::writeExperimentFile(path, other.text()).ok);
            f.window->openFile(path);
        } else {
            QTest::mouseClick(f.window->palette().button(PaletteButton::Lamp), Qt::LeftButton);
            QTest::mouseClick(area, Qt::LeftButton, {}, click);
        }
        QCOMPARE(f.experiment().readComponent(1)->x, topLeft.x());
        if (how == "after") {
            QCOMPARE(namePixels(), 0);
            names->trigger();
        }
        if (how == "undone") {
            f.window->controller().deleteComponent(1);
            QCOMPARE(namePixels(), 0);
            f.window->undo();
        }
        QVERIFY(f.window->controller().namesShown());
        QVERIFY(namePixels() > 30);

        const QString path = m_dir.filePath(QString("names-%1.png").arg(how));
        f.prompts.fileNames = {path};
        f.prompts.answers = {Answer::No};
        f.window->exportPicture();
        QVERIFY(darkPixels(QImage(path).convertToFormat(QImage::Format_RGB32), line) > 30);

        // Not a change of the experiment.
        const int steps = f.window->controller().history().count();
        names->trigger();
        QVERIFY(!f.window->controller().namesShown());
        QCOMPARE(namePixels(), 0);
        QCOMPARE(f.window->controller().history().count(), steps);
    }
};

QTEST_MAIN(TestDiagramWindow)
#include "tst_diagram_window.moc"
