#include "window_fixture.h"

#include "app/palette.h"
#include "app/program_places.h"
#include "area/area_interaction.h"
#include "model/component_type.h"
#include "model/experiment_file.h"
#include "model/wire_edits.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>

using namespace ampery;
using Answer = app::Prompts::Answer;

namespace {

// Answers the next modal parameter dialog with an entry and OK.
void answerParameterDialog(const QString& entry) {
    QTimer::singleShot(0, [entry] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>("参数编辑框")->setText(entry);
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == "确定")
                b->click();
    });
}

void pressValueBox(WindowFixture& f, const QString& box) {
    QTest::mouseClick(f.find<QLineEdit>(box), Qt::LeftButton);
}

// 文件 → 打开示例, as it is listed when 文件 opens.
QMenu* examplesMenu(WindowFixture& f) {
    for (QAction* top : f.window->menuBar()->actions())
        if (top->text() == "文件") {
            emit top->menu()->aboutToShow();
            for (QAction* item : top->menu()->actions())
                if (item->text() == "打开示例" && item->menu())
                    return item->menu();
        }
    return nullptr;
}

QStringList entries(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    return texts;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void startUpState() {
        WindowFixture f;
        QCOMPARE(f.window->windowTitle(), "Ampery");
        QTRY_COMPARE(f.window->frameGeometry().size(), QSize(853, 548));
        QVERIFY(f.find<QRadioButton>("单选框_电源")->isChecked());
        QCOMPARE(f.window->palette().rememberedToolCode(), 1);
        QCOMPARE(f.find<QWidget>("画板1")->cursor().shape(), Qt::CrossCursor);
        QVERIFY(f.status().isEmpty());
        QVERIFY(f.experiment().text().isEmpty());
        for (const char* name :
             {"分组框1", "提示编辑框", "画板1", "单选框_选择", "单选框_移动", "单选框_删除",
              "单选框_导线", "单选框_开关", "单选框_电灯", "单选框_电阻", "单选框_变阻器",
              "单选框_电动机", "单选框_电流器", "单选框_电压器", "标签_工具箱1", "标签_元件箱",
              "工具箱底标签", "元件箱底标签", "工具条1"})
            QVERIFY2(f.find<QWidget>(name), name);
    }

    void paletteIsOneExclusiveGroup() {
        WindowFixture f;
        QTest::mouseClick(f.find<QRadioButton>("单选框_导线"), Qt::LeftButton);
        QVERIFY(!f.find<QRadioButton>("单选框_电源")->isChecked());
        QCOMPARE(f.window->palette().rememberedToolCode(), 9);
        QTest::mouseClick(f.find<QRadioButton>("单选框_删除"), Qt::LeftButton);
        QCOMPARE(f.window->palette().rememberedToolCode(), 9);
        QCOMPARE(f.find<QWidget>("画板1")->cursor().shape(), Qt::BitmapCursor);
    }

    void giveUpBoxFollowsAnEmptiedStatusLine() {
        WindowFixture f;
        f.showLitLamp();
        QCOMPARE(f.status(), "提示：电路畅通。");
        model::Experiment& e = f.experiment();
        // A bridge in place of the lamp's wires, with a second source, as
        // only a hand-edited file can hold, for its middle branch: a network
        // of two sources is not solved.
        e.setText(e.text().left(e.text().indexOf("⊙")));
        for (int k = 0; k < 4; ++k)
            e.addComponent(100 + 80 * k, 300, e.nameNewComponent(model::Resistor), model::Resistor);
        e.addComponent(420, 300, "电源2", model::Source);
        for (const auto& [a, b] : {std::pair{"电源1∧", "电阻1∧"},
                                   {"电阻1∧", "电阻2∧"},
                                   {"电阻1∨", "电阻3∧"},
                                   {"电阻3∧", "电源2∧"},
                                   {"电阻2∨", "电阻4∧"},
                                   {"电阻4∧", "电源2∨"},
                                   {"电阻3∨", "电源1∨"},
                                   {"电阻4∨", "电阻3∨"}})
            model::appendWire(e, a, b, "1|1┇2|2");
        QString statusWithBox = "not shown";
        f.prompts.whileInformed = [&](const app::ScriptedPrompts::Shown&) {
            statusWithBox = f.status();
        };
        f.window->controller().redrawAndAnalyse();
        QCOMPARE(f.status(), "提示：电路结构超出程序的分析能力。");
        QCOMPARE(statusWithBox, QString());
    }

    void discardCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QString>("saveTo"); // "ok", "cancel", "fail"
        QTest::addColumn<bool>("discarded");
        QTest::addColumn<bool>("asked");
        for (const QString command : {"new", "open", "exit"}) {
            QTest::addRow("%s unmodified", qPrintable(command))
                << command << false << QList<Answer>{} << "" << true << false;
            QTest::addRow("%s yes saved", qPrintable(command))
                << command << true << QList<Answer>{Answer::Yes} << "ok" << true << true;
            // The user asked to keep the work: nothing is discarded unsaved.
            QTest::addRow("%s yes save cancelled", qPrintable(command))
                << command << true << QList<Answer>{Answer::Yes} << "cancel" << false << true;
            QTest::addRow("%s yes save failed", qPrintable(command))
                << command << true << QList<Answer>{Answer::Yes} << "fail" << false << true;
            QTest::addRow("%s no", qPrintable(command))
                << command << true << QList<Answer>{Answer::No} << "" << true << true;
            QTest::addRow("%s cancel", qPrintable(command))
                << command << true << QList<Answer>{Answer::Cancel} << "" << false << true;
        }
    }
    void discardCommands() {
        QFETCH(QString, command);
        QFETCH(bool, modified);
        QFETCH(QList<Answer>, answers);
        QFETCH(QString, saveTo);
        QFETCH(bool, discarded);
        QFETCH(bool, asked);
        WindowFixture f;
        model::Experiment& e = f.experiment();
        e.addComponent(50, 50, e.nameNewComponent(model::Lamp), model::Lamp);
        e.setModified(modified);
        const QString emptyFile = m_dir.filePath("empty.aie");
        QFile(emptyFile).open(QIODevice::WriteOnly);
        f.prompts.answers = answers;
        if (saveTo == "ok")
            f.prompts.fileNames << m_dir.filePath("saved.aie");
        else if (saveTo == "cancel")
            f.prompts.fileNames << QString();
        else if (saveTo == "fail")
            f.prompts.fileNames << emptyFile + "/below.aie";
        f.prompts.fileNames << emptyFile; // the open dialog, when it comes

        if (command == "new")
            f.window->newExperiment();
        else if (command == "open")
            f.window->openExperiment();
        else
            f.window->exitProgram();

        const bool askedSave = !f.prompts.shown.isEmpty() && f.prompts.shown.first().kind == "ask";
        QCOMPARE(askedSave, asked);
        if (asked) {
            QCOMPARE(f.prompts.shown.first().title, "询问：");
            QCOMPARE(f.prompts.shown.first().text, "当前实验已经被修改，请问是否保存？");
        }
        if (command == "exit")
            QCOMPARE(!f.window->isVisible(), discarded);
        else
            QCOMPARE(e.text().isEmpty(), discarded);
        if (saveTo == "fail") {
            QVERIFY(e.isModified());
            const auto error = std::find_if(f.prompts.shown.begin(), f.prompts.shown.end(),
                                            [](const auto& s) { return s.kind == "inform"; });
            QVERIFY(error != f.prompts.shown.end());
            QCOMPARE(error->title, "提示：");
            QVERIFY(error->text.startsWith("错误："));
        }
    }

    void startClearsWithoutAsking() {
        WindowFixture f;
        f.showLitLamp();
        QVERIFY(f.experiment().isModified());
        f.window->startExperiment();
        QVERIFY(f.prompts.shown.isEmpty());
        QVERIFY(f.experiment().text().isEmpty());
        QVERIFY(f.status().isEmpty());
        QVERIFY(f.find<QRadioButton>("单选框_电源")->isChecked());
    }

    void saveThenOpenRestoresTheExperiment() {
        WindowFixture f;
        f.showLitLamp();
        f.window->showComponentInPanel(2);
        const QString text = f.experiment().text();
        const QString path = m_dir.filePath("roundtrip.aie");
        f.prompts.fileNames << path;
        f.window->saveExperiment();
        QVERIFY(!f.experiment().isModified());
        f.window->startExperiment();
        f.prompts.fileNames << path;
        f.window->openExperiment();
        QCOMPARE(f.experiment().text(), text);
        QCOMPARE(f.prompts.shown.last().setup.title, "打开文件：");
        QCOMPARE(f.prompts.shown.last().setup.filter, "模拟电路文件(*.aie)");
        QCOMPARE(f.prompts.shown.last().setup.directory, f.exampleFolder.path());
        QCOMPARE(f.prompts.shown.last().setup.places, QStringList{f.exampleFolder.path()});
        QVERIFY(f.panelText("名称编辑框").isEmpty());
        QVERIFY(f.find<QRadioButton>("单选框_选择")->isChecked());
        QCOMPARE(f.window->palette().rememberedToolCode(), 0);
        QCOMPARE(f.status(), "提示：电路畅通。");
        QVERIFY(!f.experiment().isModified());
    }

    void openingAnUnreadableFileKeepsTheExperiment() {
        WindowFixture f;
        f.showLitLamp();
        const QString before = f.experiment().text();
        const QString bad = m_dir.filePath("bad.aie");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromHex("A1EDFF"));
        file.close();
        f.prompts.answers << Answer::No;
        f.prompts.fileNames << bad;
        f.window->openExperiment();
        QCOMPARE(f.experiment().text(), before);
        QVERIFY(f.prompts.shown.last().text.startsWith("错误："));
    }

    void examplesMenuOpensTheChosenExample_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("opened");
        QTest::newRow("unmodified, not asked") << false << QList<Answer>{} << true;
        QTest::newRow("modified, not saved") << true << QList<Answer>{Answer::No} << true;
        QTest::newRow("modified, cancelled") << true << QList<Answer>{Answer::Cancel} << false;
    }
    void examplesMenuOpensTheChosenExample() {
        QFETCH(bool, modified);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, opened);
        WindowFixture f;
        QMenu* empty = examplesMenu(f);
        QVERIFY(entries(empty).isEmpty());
        QVERIFY(!empty->menuAction()->isEnabled());
        f.showLitLamp();
        const QString lit = f.experiment().text();
        const QDir examples(f.exampleFolder.path());
        for (const char* name : {"电源短路.aie", "串联电灯.aie", "并联电灯.aie"})
            QVERIFY(model::writeExperimentFile(examples.filePath(name), lit).ok);
        QFile other(examples.filePath("说明.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        f.window->startExperiment();
        f.experiment().addComponent(50, 50, f.experiment().nameNewComponent(model::Lamp),
                                    model::Lamp);
        f.experiment().setModified(modified);
        const QString before = f.experiment().text();
        f.prompts.answers = answers;

        QMenu* menu = examplesMenu(f);
        QVERIFY(menu->menuAction()->isEnabled());
        // By the sound of the names, as a Chinese reader looks for them.
        QCOMPARE(entries(menu), (QStringList{"并联电灯", "串联电灯", "电源短路"}));
        menu->actions().at(1)->trigger();

        QCOMPARE(!f.prompts.shown.isEmpty() && f.prompts.shown.first().kind == "ask", modified);
        QCOMPARE(f.experiment().text(), opened ? lit : before);
        if (opened) {
            QCOMPARE(f.window->windowTitle(), "串联电灯.aie[*] - Ampery");
            QCOMPARE(f.status(), "提示：电路畅通。");
        }
    }

    // An installed program has no examples beside it: it finds them among the
    // data folders, in ampery/examples.
    void installedExamplesAreFoundInTheDataFolders() {
        QStandardPaths::setTestModeEnabled(true);
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QCOMPARE(app::places::exampleFolder(), QCoreApplication::applicationDirPath());
        const QString installed = QDir(data).filePath("ampery/examples");
        QVERIFY(QDir().mkpath(installed));
        QCOMPARE(app::places::exampleFolder(), installed);
        QDir(installed).removeRecursively();
        QStandardPaths::setTestModeEnabled(false);
    }

    // A file named on the command line opens as 打开 opens the chosen file;
    // one that cannot be read leaves the empty experiment and says why.
    void namedFileOpensLikeTheOpenDialog() {
        WindowFixture f;
        f.showLitLamp();
        const QString path = m_dir.filePath("named.aie");
        QVERIFY(model::writeExperimentFile(path, f.experiment().text()).ok);
        const QString lit = f.experiment().text();
        f.window->startExperiment();
        f.window->openNamedFile(path);
        QCOMPARE(f.experiment().text(), lit);
        QCOMPARE(f.window->windowTitle(), "named.aie[*] - Ampery");
        QVERIFY(!f.window->isWindowModified());

        WindowFixture fresh;
        fresh.window->openNamedFile(m_dir.filePath("missing.aie"));
        QVERIFY(fresh.experiment().text().isEmpty());
        QCOMPARE(fresh.window->windowTitle(), "Ampery");
        QCOMPARE(fresh.prompts.shown.size(), 1);
        QVERIFY(fresh.prompts.shown.first().text.startsWith("错误："));
    }

    void anAcceptedEditShowsAtOnce() {
        WindowFixture f;
        f.showLitLamp();
        QCOMPARE(f.analysedPicture(2), 5); // 6 V on a 6 V lamp: bright
        f.window->controller().setCurrentComponent(2);
        f.window->showComponentInPanel(2);
        answerParameterDialog("9");
        pressValueBox(f, "额压编辑框");
        QCOMPARE(f.experiment().readFieldText(2, model::Field::RatedVoltage), "9");
        QCOMPARE(f.panelText("额压编辑框"), "9");
        QCOMPARE(f.analysedPicture(2), 4); // 6 V on a 9 V lamp: dim
    }

    void ammeterRangeChangeShowsOverRange() {
        WindowFixture f;
        model::Experiment& e = f.experiment();
        e.addComponent(20, 100, e.nameNewComponent(model::Source), model::Source);
        e.addComponent(200, 100, e.nameNewComponent(model::Resistor), model::Resistor);
        e.addComponent(300, 100, e.nameNewComponent(model::Ammeter), model::Ammeter);
        e.setFields(2, model::Field::Resistance, "10");
        model::appendWire(e, "电源1∧", "电流器1∧", "1|1┇2|2");
        model::appendWire(e, "电流器1∨", "电阻1∧", "1|1┇2|2");
        model::appendWire(e, "电阻1∨", "电源1∨", "1|1┇2|2");
        f.window->controller().redrawAndAnalyse();
        QCOMPARE(f.status(), "提示：电路畅通。   电流器1测量值为：0.6安培");
        f.window->controller().setCurrentComponent(3);
        f.window->showComponentInPanel(3);
        answerParameterDialog("0.5");
        pressValueBox(f, "额流编辑框");
        QCOMPARE(f.status(), "提示：电路畅通。   电流器1电流超出了电流器1的测量范围！");
        QCOMPARE(f.analysedPicture(3), 20);
    }

    void resizeFollowsTheWindow_data() {
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("expected");
        QTest::addRow("larger") << QSize(1000, 700) << QSize(1000, 700);
        QTest::addRow("too small") << QSize(600, 400) << QSize(710, 548);
        QTest::addRow("too narrow") << QSize(650, 600) << QSize(710, 600);
        QTest::addRow("designed width") << QSize(853, 548) << QSize(853, 548);
        QTest::addRow("wide") << QSize(1400, 800) << QSize(1400, 800);
    }
    void resizeFollowsTheWindow() {
        QFETCH(QSize, requested);
        QFETCH(QSize, expected);
        WindowFixture f;
        f.showLitLamp();
        const QSize decorations = f.window->frameGeometry().size() - f.window->size();
        f.window->resize(requested - decorations);
        QTRY_COMPARE(f.window->frameGeometry().size(), expected);
        const int w = expected.width();
        const int h = expected.height();
        QCOMPARE(f.find<QWidget>("画板1")->geometry(), QRect(204, 64, w - 363, h - 148));
        QCOMPARE(f.find<QWidget>("分组框1")->geometry(), QRect(w - 140, 60, 132, h - 144));
        // The status line follows the window until it would reach under the area.
        const QRect status = f.find<QWidget>("提示编辑框")->geometry();
        QCOMPARE(status, QRect(4, h - 220, std::min(w - 660, 196), 116));
        QVERIFY(status.right() < f.find<QWidget>("画板1")->x());
        QCOMPARE(f.window->controller().canvases().size(), QSize(w - 363, h - 148));
        QCOMPARE(f.status(), "提示：电路畅通。");
    }

    void closeBoxAsksLikeExit() {
        WindowFixture f;
        f.showLitLamp();
        f.prompts.answers << Answer::Cancel;
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        f.prompts.answers << Answer::No;
        QVERIFY(f.window->close());
    }

    void leavingTheAreaDropsAnUnfinishedWire() {
        WindowFixture f;
        f.showLitLamp();
        QWidget* area = f.find<QWidget>("画板1");
        f.window->chooseTool(area::PaletteButton::Wire);
        const QString before = f.experiment().text();
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(46, 106)); // 电源1∧
        QVERIFY(f.window->controller().wireInProgress());
        QMouseEvent hover(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.find<QWidget>("单选框_电灯"), &hover);
        QVERIFY(!f.window->controller().wireInProgress());
        QCOMPARE(f.experiment().text(), before);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
