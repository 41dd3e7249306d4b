#include "app/settings_panel.h"
#include "model/component_type.h"
#include "model/experiment.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace ampery;
using app::ParameterKind;

Q_DECLARE_METATYPE(ampery::app::ParameterKind)

namespace {

const QStringList valueBoxes{"电压编辑框",   "电阻值编辑框", "最小值编辑框",
                             "最大值编辑框", "额压编辑框",   "额流编辑框"};

const QString lampDescription = QStringLiteral(
    "  电压≤1/3额定电压不亮，＞1/3且≤2/3额定电压低亮，＞2/3且≤1额定电压明亮，＞1额定电压损坏。");
const QString motorDescription = QStringLiteral(
    "  正向电流顺时针转，负向电流反时针转。\r\n\r\n"
    "  电压≤1/3额定电压不转，＞1/3且≤2/3额定电压慢转，＞2/3且≤1额定电压快转，＞1额定电压高速转。");

QLineEdit* boxOf(const app::SettingsPanel& panel, const QString& name) {
    return panel.findChild<QLineEdit*>(name);
}

QStringList valueTexts(const app::SettingsPanel& panel) {
    QStringList texts;
    for (const QString& name : valueBoxes)
        texts << boxOf(panel, name)->text();
    return texts;
}

// "1" for an enabled box, "0" for a disabled one, in box order.
QString enabledMask(const app::SettingsPanel& panel) {
    QString mask;
    for (const QString& name : valueBoxes)
        mask += boxOf(panel, name)->isEnabled() ? u'1' : u'0';
    return mask;
}

QString descriptionOf(const app::SettingsPanel& panel) {
    return panel.findChild<QLabel*>("元件说明标签")->text();
}

int place(model::Experiment& e, int type) {
    return e.addComponent(100, 100, e.nameNewComponent(type), type);
}

} // namespace

class TestSettingsPanel : public QObject {
    Q_OBJECT
private slots:
    void designLayout_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption"); // labels only
        QTest::addRow("标签_设置") << "标签_设置" << QRect(4, 8, 124, 24) << "更改配置";
        QTest::addRow("名称标签") << "名称标签" << QRect(4, 32, 36, 20) << "名称：";
        QTest::addRow("名称编辑框") << "名称编辑框" << QRect(40, 32, 88, 20) << "";
        QTest::addRow("类别标签") << "类别标签" << QRect(4, 52, 36, 20) << "类别：";
        QTest::addRow("类别编辑框") << "类别编辑框" << QRect(40, 52, 88, 20) << "";
        QTest::addRow("电压标签") << "电压标签" << QRect(4, 72, 56, 20) << "电压(Ⅴ)：";
        QTest::addRow("电压编辑框") << "电压编辑框" << QRect(60, 72, 68, 20) << "";
        QTest::addRow("电阻值标签") << "电阻值标签" << QRect(4, 92, 56, 20) << "电阻(Ω)：";
        QTest::addRow("电阻值编辑框") << "电阻值编辑框" << QRect(60, 92, 68, 20) << "";
        QTest::addRow("最小值标签") << "最小值标签" << QRect(4, 112, 68, 20) << "最小值(Ω)：";
        QTest::addRow("最小值编辑框") << "最小值编辑框" << QRect(72, 112, 56, 20) << "";
        QTest::addRow("最大值标签") << "最大值标签" << QRect(4, 132, 68, 20) << "最大值(Ω)：";
        QTest::addRow("最大值编辑框") << "最大值编辑框" << QRect(72, 132, 56, 20) << "";
        QTest::addRow("额压标签") << "额压标签" << QRect(4, 152, 76, 20) << "额定电压(V)：";
        QTest::addRow("额压编辑框") << "额压编辑框" << QRect(80, 152, 48, 20) << "";
        QTest::addRow("额流标签") << "额流标签" << QRect(4, 172, 76, 20) << "额定电流(A)：";
        QTest::addRow("额流编辑框") << "额流编辑框" << QRect(80, 172, 48, 20) << "";
        QTest::addRow("标签3") << "标签3" << QRect(4, 192, 124, 4) << "";
        QTest::addRow("标签_说明") << "标签_说明" << QRect(4, 196, 124, 24) << "说明";
        QTest::addRow("元件说明标签") << "元件说明标签" << QRect(6, 236, 120, 148) << "";
    }
    void designLayout() {
        QFETCH(QString, unit);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        app::SettingsPanel panel;
        QCOMPARE(panel.objectName(), "分组框1");
        auto* widget = panel.findChild<QWidget*>(unit);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), &panel);
        QCOMPARE(widget->geometry(), geometry);
        if (auto* label = qobject_cast<QLabel*>(widget))
            QCOMPARE(label->text(), caption);
        else
            QVERIFY(qobject_cast<QLineEdit*>(widget)->isReadOnly());
    }

    void showComponent_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("edits"); // "key=value" written before showing
        QTest::addColumn<QString>("category");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("description");

        QTest::addRow("source") << int(model::Source) << QStringList{} << "电源"
                                << QStringList{"6", "0", "", "", "", ""} << "100000"
                                << "";
        QTest::addRow("switch") << int(model::Switch) << QStringList{} << "开关"
                                << QStringList{"", "", "", "", "", ""} << "000000"
                                << "  双击可以改变开关的开合状态";
        QTest::addRow("lamp") << int(model::Lamp) << QStringList{} << "电灯"
                              << QStringList{"", "10", "", "", "6", ""} << "010010"
                              << lampDescription;
        QTest::addRow("resistor") << int(model::Resistor) << QStringList{} << "电阻"
                                  << QStringList{"", "100", "", "", "", ""} << "010000"
                                  << "";
        QTest::addRow("rheostat") << int(model::Rheostat) << QStringList{} << "变阻器"
                                  << QStringList{"", "25", "0", "50", "", ""} << "001100"
                                  << "  在动触头的轨迹上点击可改变动触头位置";
        QTest::addRow("motor") << int(model::Motor) << QStringList{} << "电动机"
                               << QStringList{"", "20", "", "", "6", ""} << "010010"
                               << motorDescription;
        QTest::addRow("ammeter") << int(model::Ammeter) << QStringList{} << "电流器"
                                 << QStringList{"", "0", "", "", "", "1"} << "000001"
                                 << "";
        QTest::addRow("voltmeter") << int(model::Voltmeter) << QStringList{} << "电压器"
                                   << QStringList{"", "∞", "", "", "10", ""} << "000010"
                                   << "";

        // Values show in number form, not as stored.
        QTest::addRow("typed values")
            << int(model::Lamp) << QStringList{"元件电阻=010.50", "额定电压=abc"} << "电灯"
            << QStringList{"", "10.5", "", "", "0", ""} << "010010" << lampDescription;
        QTest::addRow("source voltage 0.0")
            << int(model::Source) << QStringList{"元件电压=0.0"} << "电源"
            << QStringList{"0", "0", "", "", "", ""} << "100000"
            << "";
        QTest::addRow("fixed texts ignore the record")
            << int(model::Ammeter) << QStringList{"元件电阻=5"} << "电流器"
            << QStringList{"", "0", "", "", "", "1"} << "000001"
            << "";
    }
    void showComponent() {
        QFETCH(int, type);
        QFETCH(QStringList, edits);
        QFETCH(QString, category);
        QFETCH(QStringList, texts);
        QFETCH(QString, enabled);
        QFETCH(QString, description);

        model::Experiment experiment;
        place(experiment, model::Resistor); // another record in front
        const int number = place(experiment, type);
        for (const QString& edit : edits) {
            const QStringList kv = edit.split(u'=');
            QCOMPARE(experiment.setFields(number, *model::fieldForKey(kv[0]), kv[1]),
                     model::Experiment::WriteResult::Written);
        }
        app::SettingsPanel panel;
        // Shown over another component, so stale texts or states would show.
        panel.showComponent(experiment, 1);
        panel.showComponent(experiment, number);
        QCOMPARE(boxOf(panel, "名称编辑框")->text(), experiment.readComponent(number)->name);
        QCOMPARE(panel.category(), category);
        QCOMPARE(valueTexts(panel), texts);
        QCOMPARE(enabledMask(panel), enabled);
        QCOMPARE(descriptionOf(panel), description);
    }

    void switchForToggleAndClear() {
        model::Experiment experiment;
        const int rheostat = place(experiment, model::Rheostat);
        app::SettingsPanel panel;
        panel.showComponent(experiment, rheostat);

        panel.showSwitchForToggle("开关3");
        QCOMPARE(boxOf(panel, "名称编辑框")->text(), "开关3");
        QCOMPARE(panel.category(), "开关");
        QCOMPARE(valueTexts(panel), QStringList(6));
        QCOMPARE(enabledMask(panel), "000000");
        QCOMPARE(descriptionOf(panel), "  双击闭合/断开");

        panel.showComponent(experiment, rheostat);
        panel.clear();
        QCOMPARE(boxOf(panel, "名称编辑框")->text(), "");
        QCOMPARE(panel.category(), "");
        QCOMPARE(valueTexts(panel), QStringList(6));
        QCOMPARE(descriptionOf(panel), "");

        // A number without a record shows nothing rather than stale values.
        panel.showComponent(experiment, rheostat);
        panel.showComponent(experiment, 99);
        QCOMPARE(boxOf(panel, "名称编辑框")->text(), "");
        QCOMPARE(valueTexts(panel), QStringList(6));
    }

    void accessorsForTheArea() {
        model::Experiment experiment;
        const int rheostat = place(experiment, model::Rheostat);
        QVERIFY(experiment.setFields(rheostat, model::Field::Minimum, "5") ==
                model::Experiment::WriteResult::Written);
        app::SettingsPanel panel;
        panel.showComponent(experiment, rheostat);
        QCOMPARE(panel.minimumText(), "5");
        QCOMPARE(panel.maximumText(), "50");
        panel.setResistanceText("38.75");
        QCOMPARE(boxOf(panel, "电阻值编辑框")->text(), "38.75");
        panel.setDescription("x");
        QCOMPARE(descriptionOf(panel), "x");
    }

    void pressOpensOnlyEnabledBoxes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("expectedKind"); // -1: nothing asked for
        QTest::addRow("rheostat minimum")
            << int(model::Rheostat) << "最小值编辑框" << int(ParameterKind::Minimum);
        QTest::addRow("rheostat maximum")
            << int(model::Rheostat) << "最大值编辑框" << int(ParameterKind::Maximum);
        QTest::addRow("rheostat resistance") << int(model::Rheostat) << "电阻值编辑框" << -1;
        QTest::addRow("source voltage")
            << int(model::Source) << "电压编辑框" << int(ParameterKind::Voltage);
        QTest::addRow("lamp rated voltage")
            << int(model::Lamp) << "额压编辑框" << int(ParameterKind::RatedVoltage);
        QTest::addRow("lamp rated current") << int(model::Lamp) << "额流编辑框" << -1;
        QTest::addRow("ammeter range")
            << int(model::Ammeter) << "额流编辑框" << int(ParameterKind::RatedCurrent);
        QTest::addRow("voltmeter resistance") << int(model::Voltmeter) << "电阻值编辑框" << -1;
        for (const QString& box : valueBoxes)
            QTest::addRow("switch %s", qPrintable(box)) << int(model::Switch) << box << -1;
    }
    void pressOpensOnlyEnabledBoxes() {
        QFETCH(int, type);
        QFETCH(QString, box);
        QFETCH(int, expectedKind);
        model::Experiment experiment;
        const int number = place(experiment, type);
        app::SettingsPanel panel;
        panel.showComponent(experiment, number);
        panel.show();
        QSignalSpy requests(&panel, &app::SettingsPanel::editRequested);
        QTest::mouseClick(boxOf(panel, box), Qt::LeftButton);
        if (expectedKind < 0) {
            QCOMPARE(requests.size(), 0);
        } else {
            QCOMPARE(requests.size(), 1);
            QCOMPARE(requests[0][0].value<ParameterKind>(), ParameterKind(expectedKind));
        }
    }

    void nameAndCategoryHandTheFocusAway_data() {
        QTest::addColumn<QString>("box");
        QTest::addRow("name") << "名称编辑框";
        QTest::addRow("category") << "类别编辑框";
    }
    void nameAndCategoryHandTheFocusAway() {
        QFETCH(QString, box);
        model::Experiment experiment;
        const int number = place(experiment, model::Lamp);
        QWidget window;
        auto* area = new QLineEdit(&window); // stands in for 画板1
        area->setObjectName("画板1");
        auto* panel = new app::SettingsPanel(&window);
        panel->move(0, 30);
        panel->showComponent(experiment, number);
        QObject::connect(panel, &app::SettingsPanel::focusToAreaRequested, area,
                         [area] { area->setFocus(); });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy moves(panel, &app::SettingsPanel::focusToAreaRequested);

        QLineEdit* target = boxOf(*panel, box);
        const QString before = target->text();
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(moves.size(), 1);
        QCOMPARE(QApplication::focusWidget(), area);
        QTest::keyClicks(target, "x");
        QCOMPARE(target->text(), before);
    }
};

QTEST_MAIN(TestSettingsPanel)
#include "tst_settings_panel.moc"
