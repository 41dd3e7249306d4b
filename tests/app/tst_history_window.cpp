#include "window_fixture.h"

#include "app/palette.h"
#include "model/component_type.h"
#include "model/experiment_file.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

using namespace ampery;
using Answer = app::Prompts::Answer;
using area::PaletteButton;

namespace {

QAction* toolbarAction(WindowFixture& f, const QString& caption) {
    for (QAction* a : f.find<QToolBar>("工具条1")->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

void place(WindowFixture& f, PaletteButton button, QPoint centre) {
    QTest::mouseClick(f.window->palette().button(button), Qt::LeftButton);
    QTest::mouseClick(f.find<QWidget>("画板1"), Qt::LeftButton, {}, centre);
}

void key(WindowFixture& f, int keyCode, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(f.find<QWidget>("画板1"), Qt::Key(keyCode), modifiers);
}

QStringList recoveryCopies(const QString& folder) {
    return QDir(folder).entryList({"*.aie"}, QDir::Files, QDir::Name);
}

} // namespace

class TestHistoryWindow : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoCommands() {
        WindowFixture f;
        QAction* undo = f.menuAction("编辑", "撤销");
        QAction* redo = f.menuAction("编辑", "重做");
        QVERIFY(undo && redo);
        QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
        QVERIFY(redo->shortcuts().contains(QKeySequence("Ctrl+Y")));
        QVERIFY(redo->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
        QCOMPARE(toolbarAction(f, "撤销"), undo);
        QCOMPARE(toolbarAction(f, "重做"), redo);
        QCOMPARE(undo->toolTip(), "撤销上一步操作");
        QCOMPARE(redo->toolTip(), "重做撤销的操作");
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        // The menu bar's order: 文件, 编辑, 视图, 关于.
        QStringList menus;
        for (QAction* top : f.window->menuBar()->actions())
            menus << top->text();
        QCOMPARE(menus, (QStringList{"文件", "编辑", "视图", "关于"}));

        place(f, PaletteButton::Lamp, {100, 100});
        place(f, PaletteButton::Lamp, {300, 100});
        QVERIFY(undo->isEnabled());
        key(f, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.experiment().components().size(), std::size_t(1));
        QVERIFY(redo->isEnabled());
        key(f, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(f.experiment().text().isEmpty());
        QVERIFY(!undo->isEnabled());
        key(f, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.experiment().components().size(), std::size_t(1));
        key(f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.experiment().components().size(), std::size_t(2));
        QVERIFY(!redo->isEnabled());
        // Undo leaves the tool as it was.
        QCOMPARE(f.window->palette().checked(), PaletteButton::Lamp);
    }

    // Undo shows the current component in the panel while it exists.
    void undoKeepsThePanelTrue() {
        WindowFixture f;
        place(f, PaletteButton::Lamp, {100, 100});
        QCOMPARE(f.panelText("名称编辑框"), "电灯1");
        f.window->undo();
        QVERIFY(f.panelText("名称编辑框").isEmpty());
        f.window->redo();
        QVERIFY(f.panelText("名称编辑框").isEmpty());
        place(f, PaletteButton::Resistor, {300, 100});
        QTest::mouseClick(f.window->palette().button(PaletteButton::Select), Qt::LeftButton);
        QTest::mouseClick(f.find<QWidget>("画板1"), Qt::LeftButton, {}, {100, 100});
        f.window->undo(); // the resistor goes, the selected lamp stays
        QCOMPARE(f.panelText("名称编辑框"), "电灯1");
    }

    void deleteAndEscapeKeys() {
        WindowFixture f;
        place(f, PaletteButton::Lamp, {100, 100});
        place(f, PaletteButton::Lamp, {300, 100});
        QCOMPARE(f.window->controller().currentComponent(), 2);
        key(f, Qt::Key_Delete);
        QVERIFY(!f.experiment().readComponent(2));
        QVERIFY(f.panelText("名称编辑框").isEmpty());
        f.window->undo();
        QCOMPARE(f.experiment().readComponent(2)->name, "电灯2");

        f.window->chooseTool(PaletteButton::Wire);
        QTest::mouseClick(f.find<QWidget>("画板1"), Qt::LeftButton, {}, {62 + 16, 66 + 54});
        QVERIFY(f.window->controller().wireInProgress());
        key(f, Qt::Key_Escape);
        QVERIFY(!f.window->controller().wireInProgress());
        QVERIFY(!f.experiment().text().contains("⊙"));
    }

    // The caption names the file and marks unsaved changes; undo back to the
    // saved state needs no question.
    void captionAndSaveQuestionFollowTheHistory() {
        WindowFixture f;
        QCOMPARE(f.window->windowTitle(), "Ampery");
        QTemporaryDir dir;
        const QString file = dir.filePath("两盏灯.aie");
        f.prompts.fileNames << file;
        place(f, PaletteButton::Lamp, {100, 100});
        QCOMPARE(f.window->windowTitle(), "Ampery");
        f.window->saveExperiment();
        QCOMPARE(f.window->windowTitle(), "两盏灯.aie[*] - Ampery");
        QVERIFY(!f.window->isWindowModified());
        place(f, PaletteButton::Lamp, {300, 100});
        QVERIFY(f.window->isWindowModified());
        f.window->undo();
        QVERIFY(!f.window->isWindowModified());
        f.window->newExperiment();
        QVERIFY(f.prompts.shown.size() == 1); // the save dialog only, no question
        QCOMPARE(f.window->windowTitle(), "Ampery");

        f.window->openFile(file);
        QCOMPARE(f.window->windowTitle(), "两盏灯.aie[*] - Ampery");
        QVERIFY(!f.window->controller().history().canUndo());
    }

    // A program that ended without closing leaves its recovery copy; the
    // next one offers it.
    void recoveryAfterTheProgramWasKilled_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addRow("yes restores") << Answer::Yes;
        QTest::addRow("no deletes") << Answer::No;
    }
    void recoveryAfterTheProgramWasKilled() {
        QFETCH(Answer, answer);
        QTemporaryDir folder;
        QString lost;
        {
            WindowFixture first(folder.path());
            first.window->offerRecovery();
            QVERIFY(first.prompts.shown.isEmpty());
            QVERIFY(recoveryCopies(folder.path()).isEmpty()); // nothing changed yet
            place(first, PaletteButton::Source, {100, 100});
            place(first, PaletteButton::Lamp, {300, 100});
            first.window->flushRecovery();
            QCOMPARE(recoveryCopies(folder.path()).size(), 1);
            lost = first.experiment().text();
            // A second program running meanwhile is not offered the copy.
            WindowFixture second(folder.path());
            second.window->offerRecovery();
            QVERIFY(second.prompts.shown.isEmpty());
        } // both windows go without closing, as when the program is killed

        WindowFixture next(folder.path());
        next.prompts.answers << answer;
        next.window->offerRecovery();
        QCOMPARE(next.prompts.shown.size(), 1);
        QCOMPARE(next.prompts.shown[0].kind, "ask");
        QCOMPARE(next.prompts.shown[0].title, "询问：");
        QCOMPARE(next.prompts.shown[0].text, "上次的实验没有正常保存就关闭了，是否恢复？");
        if (answer == Answer::Yes) {
            QCOMPARE(next.experiment().text(), lost);
            QVERIFY(next.experiment().isModified());
            QVERIFY(!next.window->controller().history().canUndo());
            // Drawn and analysed as after opening.
            area::ExperimentController opened;
            opened.open(lost);
            QCOMPARE(next.window->controller().lastOutcome().status, opened.lastOutcome().status);
            QCOMPARE(next.experiment().highestRunningNumber(model::Lamp), 1);
            // The copy now belongs to this program: still one copy.
            QCOMPARE(recoveryCopies(folder.path()).size(), 1);
        } else {
            QVERIFY(next.experiment().text().isEmpty());
            QVERIFY(recoveryCopies(folder.path()).isEmpty());
        }
        // A normal end leaves nothing to recover.
        next.prompts.answers << Answer::No;
        QVERIFY(next.window->close());
        QVERIFY(recoveryCopies(folder.path()).isEmpty());
        WindowFixture after(folder.path());
        after.window->offerRecovery();
        QVERIFY(after.prompts.shown.isEmpty());
    }

    void anUnreadableRecoveryCopyIsKeptAside() {
        QTemporaryDir folder;
        const QString broken = folder.filePath("0b5f3d8e-2f4c-4d3a-9d7e-5e8a1c2b3f40.aie");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x81\x30\xff\xfe"); // not GBK
        file.close();
        WindowFixture f(folder.path());
        f.window->offerRecovery();
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown[0].kind, "inform");
        QVERIFY(f.prompts.shown[0].text.startsWith("错误："));
        QVERIFY(f.prompts.shown[0].text.contains(broken));
        QVERIFY(!QFile::exists(broken));
        const QStringList kept = QDir(folder.path()).entryList({"*.unreadable.aie"});
        QCOMPARE(kept.size(), 1);
        QVERIFY(f.prompts.shown[0].text.contains(kept[0]));
        // Not offered again.
        WindowFixture again(folder.path());
        again.window->offerRecovery();
        QVERIFY(again.prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_history_window.moc"
