#include "app/parameter_edit.h"
#include "app/parameter_entry_validator.h"
#include "model/component_type.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

using namespace ampery;
using app::ParameterKind;

Q_DECLARE_METATYPE(ampery::app::ParameterKind)
Q_DECLARE_METATYPE(ampery::model::Component)

namespace {

model::Component component(int type, int state = 0, double minimum = 0, double maximum = 0) {
    model::Component c;
    c.type = type;
    c.state = state;
    c.minimum = minimum;
    c.maximum = maximum;
    return c;
}

// The outcome in words: {"nothing"}, {"refuse", message} or {"write",
// "key=value"..., "shown=...", ["resistance=..."]}.
QStringList describe(const app::ParameterEdit& edit) {
    if (const auto* refusal = std::get_if<app::ParameterRefusal>(&edit))
        return {QStringLiteral("refuse"), refusal->message};
    const auto* accepted = std::get_if<app::ParameterAccepted>(&edit);
    if (accepted == nullptr)
        return {QStringLiteral("nothing")};
    QStringList words{QStringLiteral("write")};
    const auto word = [](const app::FieldValue& f) {
        return model::fieldKey(f.field) + u'=' + f.value;
    };
    words << word(accepted->write.first);
    if (accepted->write.second)
        words << word(*accepted->write.second);
    words << QStringLiteral("shown=") + accepted->shown;
    if (accepted->shownResistance)
        words << QStringLiteral("resistance=") + *accepted->shownResistance;
    return words;
}

QStringList refuse(const QString& message) {
    return {QStringLiteral("refuse"), message};
}

} // namespace

class TestParameterEdit : public QObject {
    Q_OBJECT
private slots:
    void evaluate_data() {
        QTest::addColumn<ParameterKind>("kind");
        QTest::addColumn<model::Component>("current");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("expected");

        const auto lamp = component(model::Lamp);
        const auto source = component(model::Source);
        const auto rheostat = component(model::Rheostat, 2, 0, 50);
        const auto rheostat10 = component(model::Rheostat, 2, 10, 50);

        QTest::addRow("empty entry") << ParameterKind::Resistance << lamp << "电灯1"
                                     << "" << QStringList{"nothing"};

        QTest::addRow("zero lamp resistance") << ParameterKind::Resistance << lamp << "电灯1"
                                              << "0" << refuse("电灯1电阻不能为零，请重新输入。");
        QTest::addRow("zero voltage") << ParameterKind::Voltage << source << "电源1"
                                      << "0" << refuse("电源1电压不能为零，请重新输入。");
        QTest::addRow("zero rated voltage") << ParameterKind::RatedVoltage << lamp << "电灯1"
                                            << "0" << refuse("电灯1额定电压不能为零，请重新输入。");
        QTest::addRow("zero rated current")
            << ParameterKind::RatedCurrent << component(model::Ammeter) << "电流器1"
            << "0" << refuse("电流器1额定电流不能为零，请重新输入。");
        QTest::addRow("0.0 stored as typed")
            << ParameterKind::Voltage << source << "电源1"
            << "0.0" << QStringList{"write", "元件电压=0.0", "shown=0.0"};
        QTest::addRow("non-number stored as typed")
            << ParameterKind::RatedVoltage << lamp << "电灯1"
            << "abc" << QStringList{"write", "额定电压=abc", "shown=abc"};

        QTest::addRow("minimum moves the slider resistance")
            << ParameterKind::Minimum << rheostat << "变阻器1"
            << "10"
            << QStringList{"write", "元件电阻=30", "最小电阻=10", "shown=10", "resistance=30"};
        QTest::addRow("minimum above maximum")
            << ParameterKind::Minimum << rheostat << "变阻器1"
            << "60" << refuse("最小电阻不能大于最大电阻，请重新输入。");
        QTest::addRow("minimum equal to maximum")
            << ParameterKind::Minimum << rheostat << "变阻器1"
            << "50"
            << QStringList{"write", "元件电阻=50", "最小电阻=50", "shown=50", "resistance=50"};
        QTest::addRow("minimum zero allowed")
            << ParameterKind::Minimum << rheostat10 << "变阻器1"
            << "0" << QStringList{"write", "元件电阻=25", "最小电阻=0", "shown=0", "resistance=25"};
        QTest::addRow("minimum stored in number form")
            << ParameterKind::Minimum << rheostat << "变阻器1"
            << "010.50"
            << QStringList{"write", "元件电阻=30.25", "最小电阻=10.5", "shown=10.5",
                           "resistance=30.25"};
        QTest::addRow("maximum below minimum")
            << ParameterKind::Maximum << rheostat10 << "变阻器1"
            << "5" << refuse("最大电阻不能小于最小电阻，请重新输入。");
        QTest::addRow("zero maximum") << ParameterKind::Maximum << rheostat << "变阻器1"
                                      << "0" << refuse("变阻器1最大电阻值不能为零，请重新输入。");
        QTest::addRow("near-zero maximum")
            << ParameterKind::Maximum << rheostat << "变阻器1"
            << "0.00000001" << refuse("变阻器1最大电阻值不能为零，请重新输入。");
        QTest::addRow("non-number maximum reads as zero")
            << ParameterKind::Maximum << rheostat << "变阻器1"
            << "x" << refuse("变阻器1最大电阻值不能为零，请重新输入。");
        QTest::addRow("maximum equal to minimum")
            << ParameterKind::Maximum << rheostat10 << "变阻器1"
            << "10"
            << QStringList{"write", "元件电阻=10", "最大电阻=10", "shown=10", "resistance=10"};
        QTest::addRow("maximum equal within tolerance")
            << ParameterKind::Maximum << rheostat10 << "变阻器1"
            << "9.99999999"
            << QStringList{"write", "元件电阻=9.999999995", "最大电阻=9.99999999",
                           "shown=9.99999999", "resistance=9.999999995"};
        QTest::addRow("maximum at slider 0")
            << ParameterKind::Maximum << component(model::Rheostat, 0, 10, 50) << "变阻器1"
            << "90"
            << QStringList{"write", "元件电阻=10", "最大电阻=90", "shown=90", "resistance=10"};
        QTest::addRow("maximum at slider 1")
            << ParameterKind::Maximum << component(model::Rheostat, 1, 10, 50) << "变阻器1"
            << "90"
            << QStringList{"write", "元件电阻=30", "最大电阻=90", "shown=90", "resistance=30"};
        QTest::addRow("maximum at slider 3")
            << ParameterKind::Maximum << component(model::Rheostat, 3, 10, 50) << "变阻器1"
            << "90"
            << QStringList{"write", "元件电阻=70", "最大电阻=90", "shown=90", "resistance=70"};
        QTest::addRow("maximum at slider 4")
            << ParameterKind::Maximum << component(model::Rheostat, 4, 10, 50) << "变阻器1"
            << "90"
            << QStringList{"write", "元件电阻=90", "最大电阻=90", "shown=90", "resistance=90"};
        QTest::addRow("slider off its track")
            << ParameterKind::Maximum << component(model::Rheostat, 7, 10, 50) << "变阻器1"
            << "90" << QStringList{"write", "元件电阻=", "最大电阻=90", "shown=90", "resistance="};

        QTest::addRow("bar") << ParameterKind::Resistance << lamp << "电灯1"
                             << "1|2" << refuse("电灯1参数中含有不能使用的字符，请重新输入。");
        QTest::addRow("record end")
            << ParameterKind::Voltage << source << "电源1"
            << "6‖" << refuse("电源1参数中含有不能使用的字符，请重新输入。");
        QTest::addRow("separator in a bound")
            << ParameterKind::Minimum << rheostat << "变阻器1"
            << "5★" << refuse("变阻器1参数中含有不能使用的字符，请重新输入。");
        QTest::addRow("not in GBK")
            << ParameterKind::RatedVoltage << lamp << "电灯1"
            << "6😀" << refuse("电灯1参数中含有不能使用的字符，请重新输入。");
    }
    void evaluate() {
        QFETCH(ParameterKind, kind);
        QFETCH(model::Component, current);
        QFETCH(QString, name);
        QFETCH(QString, entry);
        QFETCH(QStringList, expected);
        QCOMPARE(describe(app::evaluateParameterEntry(kind, entry, current, name)), expected);
    }

    void minusAndUnderscoreNeverEnterTheEntry_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("typed") << "type"
                               << "-1_2.5"
                               << "12.5";
        QTest::addRow("inserted") << "insert"
                                  << "-3_"
                                  << "3";
        QTest::addRow("set") << "set"
                             << "__-7"
                             << "7";
        QTest::addRow("pasted") << "paste"
                                << "4-5"
                                << "45";
    }
    void minusAndUnderscoreNeverEnterTheEntry() {
        QFETCH(QString, way);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QLineEdit entry;
        entry.setValidator(new app::ParameterEntryValidator(&entry));
        entry.show();
        if (way == u"type") {
            QTest::keyClicks(&entry, text);
        } else if (way == u"insert") {
            entry.insert(text);
        } else if (way == u"set") {
            entry.setText(text);
        } else {
            QGuiApplication::clipboard()->setText(text);
            if (QGuiApplication::clipboard()->text() != text)
                QSKIP("no clipboard on this platform");
            entry.paste();
        }
        QCOMPARE(entry.text(), expected);
    }

    void cursorStaysWhereTheUserPutIt() {
        QLineEdit entry;
        entry.setValidator(new app::ParameterEntryValidator(&entry));
        entry.show();
        QTest::keyClicks(&entry, "45");
        QTest::keyClick(&entry, Qt::Key_Home);
        QTest::keyClicks(&entry, "-_7");
        QCOMPARE(entry.text(), "745");
        QCOMPARE(entry.cursorPosition(), 1);
        entry.setCursorPosition(2);
        entry.insert("_-");
        QCOMPARE(entry.cursorPosition(), 2);
    }
};

QTEST_MAIN(TestParameterEdit)
#include "tst_parameter_edit.moc"
