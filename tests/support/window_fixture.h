#pragma once

#include "app/main_window.h"
#include "area/experiment_controller.h"
#include "controller_test_access.h"
#include "model/component_type.h"
#include "model/wire_edits.h"
#include "scripted_prompts.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A real main window, headless, whose prompts answer from a script.
struct WindowFixture {
    ampery::app::ScriptedPrompts prompts;
    // Recovery copies of this window only, gone with the fixture.
    QTemporaryDir recoveryFolder;
    // The example experiments this window offers: none unless a test puts
    // some there, whatever is installed on the machine.
    QTemporaryDir exampleFolder;
    std::unique_ptr<ampery::app::MainWindow> window;

    explicit WindowFixture(const QString& recoveryPath = {}) {
        window = std::make_unique<ampery::app::MainWindow>(
            prompts, nullptr, recoveryPath.isEmpty() ? recoveryFolder.path() : recoveryPath,
            exampleFolder.path());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // The experiment itself, for building circuits without the mouse.
    ampery::model::Experiment& experiment() {
        return ampery::area::ControllerTestAccess::experiment(window->controller());
    }

    // A lamp lit by a source through two wires, built through the model and
    // shown: pictures, wires and the analysis's lamp picture are on the area.
    void showLitLamp() {
        using namespace ampery::model;
        Experiment& e = experiment();
        e.addComponent(20, 100, e.nameNewComponent(Source), Source);
        e.addComponent(200, 100, e.nameNewComponent(Lamp), Lamp);
        appendWire(e, "电源1∧", "电灯1∧", "46|106┇46|60┇216|60┇216|154");
        appendWire(e, "电源1∨", "电灯1∨", "68|106┇68|250┇262|250┇262|152");
        window->controller().redrawAndAnalyse();
    }

    template <typename T> T* find(const QString& name) const { return window->findChild<T*>(name); }
    // An item of a menu of the menu bar, found by their texts.
    QAction* menuAction(const QString& menu, const QString& item) const {
        for (QAction* top : window->menuBar()->actions())
            if (top->text() == menu && top->menu())
                for (QAction* a : top->menu()->actions())
                    if (a->text() == item)
                        return a;
        return nullptr;
    }
    QString status() const { return find<QPlainTextEdit>("提示编辑框")->toPlainText(); }
    QString panelText(const QString& box) const { return find<QLineEdit>(box)->text(); }

    // The last picture the analysis showed for a component, or -1.
    int analysedPicture(int number) const {
        int picture = -1;
        for (const auto& step : window->controller().lastOutcome().steps)
            if (step.kind == ampery::analysis::DisplayStep::Kind::ShowPicture &&
                step.componentNumber == number)
                picture = step.picture;
        return picture;
    }
};
