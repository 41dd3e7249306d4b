#include "app/parameter_dialog.h"
#include "app/settings_panel.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "scripted_prompts.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace ampery;
using app::ParameterKind;

Q_DECLARE_METATYPE(ampery::app::ParameterKind)

namespace {

int placeInto(model::Experiment& e, int type) {
    return e.addComponent(100, 100, e.nameNewComponent(type), type);
}

// A lamp shown in the panel and the open dialog for its resistance; the
// writer counts its calls and answers writeSucceeds.
struct LampResistanceDialog {
    explicit LampResistanceDialog(bool writeSucceeds)
        : dialog(ParameterKind::Resistance, *experiment.readComponent(number), panel, prompts,
                 [this, writeSucceeds](const app::ParameterWrite&) {
                     ++writes;
                     return writeSucceeds;
                 }) {
        panel.showComponent(experiment, number);
        dialog.open();
    }

    model::Experiment experiment;
    int number = placeInto(experiment, model::Lamp);
    app::SettingsPanel panel;
    app::ScriptedPrompts prompts;
    int writes = 0;
    app::ParameterDialog dialog;
};

} // namespace

class TestParameterDialog : public QObject {
    Q_OBJECT
private slots:
    // Through the real dialog: the writer gets the fields, the panel the texts.
    void okWritesAndShows_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<ParameterKind>("kind");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QString>("resistanceBox");
        QTest::addColumn<QString>("editedBox");
        QTest::addRow("lamp resistance") << int(model::Lamp) << ParameterKind::Resistance << "25"
                                         << QStringList{"元件电阻=25"} << "25"
                                         << "电阻值编辑框";
        QTest::addRow("rheostat minimum") << int(model::Rheostat) << ParameterKind::Minimum << "10"
                                          << QStringList{"元件电阻=30", "最小电阻=10"} << "30"
                                          << "最小值编辑框";
    }
    void okWritesAndShows() {
        QFETCH(int, type);
        QFETCH(ParameterKind, kind);
        QFETCH(QString, entry);
        QFETCH(QStringList, writes);
        QFETCH(QString, resistanceBox);
        QFETCH(QString, editedBox);

        model::Experiment experiment;
        const int number = placeInto(experiment, type);
        app::SettingsPanel panel;
        panel.showComponent(experiment, number);
        app::ScriptedPrompts prompts;
        QStringList written;
        app::ParameterDialog dialog(
            kind, *experiment.readComponent(number), panel, prompts,
            [&](const app::ParameterWrite& w) {
                written << model::fieldKey(w.first.field) + u'=' + w.first.value;
                if (w.second)
                    written << model::fieldKey(w.second->field) + u'=' + w.second->value;
                return true;
            });
        QCOMPARE(dialog.windowTitle(), app::dialogCaption(kind));

        // Modal as the window runs it: exec() returns once OK has been taken.
        auto* entryBox = dialog.findChild<QLineEdit*>("参数编辑框");
        QWidget* focusedAtStart = nullptr;
        QTimer::singleShot(0, &dialog, [&] {
            focusedAtStart = dialog.focusWidget();
            QTest::keyClicks(entryBox, entry);
            QTest::mouseClick(dialog.findChild<QPushButton*>("确定按钮"), Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(focusedAtStart, entryBox);
        QCOMPARE(written, writes);
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(panel.findChild<QLineEdit*>("电阻值编辑框")->text(), resistanceBox);
        QCOMPARE(panel.findChild<QLineEdit*>(editedBox)->text(), entry);
    }

    void refusalEmptiesTheEntryAndStaysOpen() {
        LampResistanceDialog f(true);
        auto* entry = f.dialog.findChild<QLineEdit*>("参数编辑框");
        auto* ok = f.dialog.findChild<QPushButton*>("确定按钮");

        QTest::mouseClick(ok, Qt::LeftButton); // empty: nothing at all
        QVERIFY(f.prompts.shown.isEmpty());
        QVERIFY(f.dialog.isVisible());

        QTest::keyClicks(entry, "0");
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown[0].kind, "inform");
        QCOMPARE(f.prompts.shown[0].title, "提示：");
        QCOMPARE(f.prompts.shown[0].text, "电灯1电阻不能为零，请重新输入。");
        QCOMPARE(entry->text(), "");
        QCOMPARE(f.dialog.focusWidget(), entry);
        QVERIFY(f.dialog.isVisible());
        QCOMPARE(f.writes, 0);
        QCOMPARE(f.panel.findChild<QLineEdit*>("电阻值编辑框")->text(), "10");
    }

    void cancelAndFailedWritesLeaveThePanel_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addRow("cancel") << true;
        QTest::addRow("write fails") << false;
    }
    void cancelAndFailedWritesLeaveThePanel() {
        QFETCH(bool, cancel);
        LampResistanceDialog f(false);
        QTest::keyClicks(f.dialog.findChild<QLineEdit*>("参数编辑框"), "25");
        QTest::mouseClick(f.dialog.findChild<QPushButton*>(cancel ? "取消按钮" : "确定按钮"),
                          Qt::LeftButton);
        QCOMPARE(f.writes, cancel ? 0 : 1);
        QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
        QVERIFY(!f.dialog.isVisible());
        QCOMPARE(f.panel.findChild<QLineEdit*>("电阻值编辑框")->text(), "10");
    }

    void entrySwallowsMinus() {
        model::Experiment experiment;
        const int number = placeInto(experiment, model::Source);
        app::SettingsPanel panel;
        app::ScriptedPrompts prompts;
        app::ParameterDialog dialog(ParameterKind::Voltage, *experiment.readComponent(number),
                                    panel, prompts,
                                    [](const app::ParameterWrite&) { return true; });
        dialog.show();
        auto* entry = dialog.findChild<QLineEdit*>("参数编辑框");
        QTest::keyClicks(entry, "-6");
        QCOMPARE(entry->text(), "6");
    }
};

QTEST_MAIN(TestParameterDialog)
#include "tst_parameter_dialog.moc"
