#include "model/component_type.h"
#include "model/experiment.h"
#include "model/wire_edits.h"

#include <QTest>

using namespace ampery::model;

namespace {

// Places a component the way a click does: name from the running number,
// then the record.
int place(Experiment& e, int type, int x = 100, int y = 100) {
    return e.addComponent(x, y, e.nameNewComponent(type), type);
}

QString nameOf(const Experiment& e, int number) {
    return e.readComponent(number)->name;
}

} // namespace

class TestExperiment : public QObject {
    Q_OBJECT
private slots:
    void emptyExperimentHasNoRecords() {
        Experiment e;
        for (int n : {0, 1, 2, 12})
            QVERIFY(!e.readComponent(n));
        QVERIFY(e.components().empty());
        QVERIFY(!e.recount());
    }

    void namesAndNumbersOfNewComponents() {
        Experiment e;
        QCOMPARE(place(e, Lamp), 1);
        QCOMPARE(place(e, Resistor), 2);
        QCOMPARE(place(e, Lamp), 3);
        QCOMPARE(nameOf(e, 1), "电灯1");
        QCOMPARE(nameOf(e, 2), "电阻1");
        QCOMPARE(nameOf(e, 3), "电灯2");
        QVERIFY(e.isModified());
    }

    void freedNumbersAreReusedOldestFirst_data() {
        QTest::addColumn<QList<int>>("deleted");
        QTest::addColumn<QList<int>>("expectedNew");
        QTest::addRow("one") << QList<int>{2} << QList<int>{2, 4};
        QTest::addRow("three then two") << QList<int>{3, 2} << QList<int>{3, 2, 4};
        QTest::addRow("highest freed") << QList<int>{3} << QList<int>{3, 4};
    }
    void freedNumbersAreReusedOldestFirst() {
        QFETCH(QList<int>, deleted);
        QFETCH(QList<int>, expectedNew);
        Experiment e;
        for (int k = 0; k < 3; ++k)
            place(e, Resistor);
        for (int n : deleted)
            e.deleteComponent(n);
        QList<int> got;
        for (qsizetype k = 0; k < expectedNew.size(); ++k)
            got.append(place(e, Resistor));
        QCOMPARE(got, expectedNew);
    }

    void runningNumbersAreNotReusedExceptTheSource() {
        Experiment e;
        place(e, Source);
        place(e, Lamp);
        place(e, Lamp);
        e.deleteComponent(2); // 电灯1
        e.deleteComponent(1); // 电源1
        QCOMPARE(nameOf(e, place(e, Lamp)), "电灯3");
        QCOMPARE(nameOf(e, place(e, Source)), "电源1");
    }

    void voltmeterRecordText() {
        Experiment e;
        place(e, Voltmeter, 10, 20);
        QCOMPARE(e.text(), "№1□10■20◇电压器1◆8△▲∞◎○●☆10★‖");
    }

    void defaultsOfEveryType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("tail");
        QTest::addRow("source") << int(Source) << "◆1△▲6◎0○●☆★‖";
        QTest::addRow("switch") << int(Switch) << "◆2△0▲◎○●☆★‖";
        QTest::addRow("lamp") << int(Lamp) << "◆3△▲◎10○●☆6★0.6‖";
        QTest::addRow("resistor") << int(Resistor) << "◆4△0▲◎100○●☆★‖";
        QTest::addRow("rheostat") << int(Rheostat) << "◆5△2▲◎25○0●50☆★‖";
        QTest::addRow("motor") << int(Motor) << "◆6△0▲◎20○●☆6★0.3‖";
        QTest::addRow("ammeter") << int(Ammeter) << "◆7△0▲◎0○●☆★1‖";
        QTest::addRow("blank type") << blankTypeCode << "◆10△0▲◎○●☆★‖";
    }
    void defaultsOfEveryType() {
        QFETCH(int, type);
        QFETCH(QString, tail);
        Experiment e;
        e.addComponent(0, 0, "x", type);
        QVERIFY2(e.text().endsWith(tail), qPrintable(e.text()));
    }

    void placingTheSourceSetsTheVoltage() {
        Experiment e;
        place(e, Source);
        QCOMPARE(e.sourceVoltage(), 6.0);
    }

    void numberOneIsNeverNumberTwelve() {
        Experiment e;
        for (int k = 0; k < 12; ++k)
            place(e, Resistor, k, k);
        e.deleteComponent(1);
        QVERIFY(!e.readComponent(1));
        QCOMPARE(e.readComponent(12)->x, 11);
        QCOMPARE(e.findComponentRecord(1), -1);
    }

    void setFieldChangesOnlyItsValue() {
        Experiment e;
        place(e, Lamp);
        place(e, Lamp);
        appendWire(e, "电灯1∧", "电灯2∨", "1|1┇2|2");
        const QString before = e.text();
        e.setModified(false);
        QCOMPARE(e.setFields(1, Field::RatedVoltage, "4.5"), Experiment::WriteResult::Written);
        QString expected = before;
        expected.replace("☆6★0.6‖№2", "☆4.5★0.6‖№2");
        QCOMPARE(e.text(), expected);
        QVERIFY(e.isModified());
        QCOMPARE(e.readComponent(1)->ratedVoltage, 4.5);
    }

    void setTwoFields() {
        Experiment e;
        place(e, Rheostat, 5, 6);
        QCOMPARE(e.setFields(1, Field::State, "4", Field::Resistance, "50"),
                 Experiment::WriteResult::Written);
        QCOMPARE(e.text(), "№1□5■6◇变阻器1◆5△4▲◎50○0●50☆★‖");
        QCOMPARE(e.setFields(1, Field::X, "-7", Field::Y, "123"), Experiment::WriteResult::Written);
        QCOMPARE(e.readComponent(1)->x, -7);
        QCOMPARE(e.readComponent(1)->y, 123);
    }

    void setFieldsRefusals_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("result");
        QTest::addRow("no such component")
            << 9 << "1" << int(Experiment::WriteResult::NoSuchComponent);
        QTest::addRow("record separator")
            << 1 << "1‖2" << int(Experiment::WriteResult::InvalidValue);
        QTest::addRow("bar") << 1 << "1|2" << int(Experiment::WriteResult::InvalidValue);
        QTest::addRow("not GBK") << 1 << "5😀" << int(Experiment::WriteResult::InvalidValue);
    }
    void setFieldsRefusals() {
        QFETCH(int, number);
        QFETCH(QString, value);
        QFETCH(int, result);
        Experiment e;
        place(e, Lamp);
        e.setModified(false);
        const QString before = e.text();
        QCOMPARE(int(e.setFields(number, Field::Resistance, value)), result);
        QCOMPARE(e.text(), before);
        QVERIFY(!e.isModified());
    }

    void voltageFieldUpdatesTheSourceVoltage() {
        Experiment e;
        place(e, Source);
        e.setFields(1, Field::Voltage, "4.5");
        QCOMPARE(e.sourceVoltage(), 4.5);
    }

    void recountAfterOpening() {
        Experiment e;
        e.setText("№7□0■0◇电灯5◆3△▲◎10○●☆6★0.6‖№3□0■0◇电灯1◆3△▲◎10○●☆6★0.6‖"
                  "№4□0■0◇电源1◆1△▲4.5◎0○●☆★‖");
        QVERIFY(e.recount());
        QCOMPARE(e.highestNumber(), 7);
        QCOMPARE(e.highestRunningNumber(Lamp), 5);
        QCOMPARE(e.sourceVoltage(), 4.5);
        const int number = place(e, Lamp);
        QCOMPARE(number, 8); // numbers freed before saving are not reused
        QCOMPARE(nameOf(e, number), "电灯6");
    }

    void recountOnlyRaisesTheTable() {
        Experiment e;
        place(e, Lamp);
        place(e, Lamp);
        place(e, Lamp);
        e.deleteComponent(3);
        QVERIFY(e.recount());
        QCOMPARE(e.highestRunningNumber(Lamp), 3);
    }

    void aCraftedHugeNumberIsOneRecord() {
        Experiment e;
        e.setText("№2000000000□0■0◇电阻1◆4△0▲◎100○●☆★‖");
        QVERIFY(e.recount());
        QCOMPARE(e.highestNumber(), 2000000000);
        const std::vector<Component> all = e.components();
        QCOMPARE(all.size(), std::size_t(1));
        QCOMPARE(all.front().number, 2000000000);
    }

    void componentsAreThoseReachableByNumber() {
        Experiment e;
        e.setText("№3□1■0◇电阻3◆4△0▲◎1○●☆★‖№01□2■0◇电阻2◆4△0▲◎1○●☆★‖"
                  "№3□3■0◇电阻4◆4△0▲◎1○●☆★‖№1□4■0◇电阻1◆4△0▲◎1○●☆★‖");
        const std::vector<Component> all = e.components();
        QCOMPARE(all.size(), std::size_t(2));
        QCOMPARE(all[0].name, "电阻1");
        QCOMPARE(all[1].name, "电阻3"); // the first of the two "№3□" records
    }

    void deleteComponentTakesItsWires() {
        Experiment e;
        place(e, Source);
        place(e, Lamp);
        place(e, Lamp);
        appendWire(e, "电源1∧", "电灯1∨", "1|1┇2|2");
        appendWire(e, "电灯1∧", "电灯2∨", "3|3┇4|4");
        appendWire(e, "电灯2∧", "电源1∨", "5|5┇6|6");
        e.deleteComponent(2);
        QVERIFY(!e.text().contains("电灯1"));
        QVERIFY(e.text().contains("⊙电灯2∧|电源1∨¤5|5┇6|6‖"));
        QVERIFY(e.text().endsWith("‖"));
        QVERIFY(!e.text().contains("‖‖"));
        QCOMPARE(e.freeNumbers(), QList<int>{2});
    }

    // Hand-edited names that contain another component's name keep their
    // records and wires when that component goes.
    void deleteComponentKeepsLookalikeNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addRow("prefixed") << "乙电灯1";
        QTest::addRow("longer number") << "电灯11";
        QTest::addRow("suffixed") << "电灯1乙";
    }
    void deleteComponentKeepsLookalikeNames() {
        QFETCH(QString, name);
        Experiment e;
        const int source = place(e, Source);
        const int lamp = place(e, Lamp);
        const int lookalike = e.addComponent(300, 100, name, Lamp);
        appendWire(e, "电源1∧", "电灯1∨", "1|1┇2|2");
        appendWire(e, "电灯1∧", name + "∨", "3|3┇4|4");
        appendWire(e, name + "∧", "电源1∨", "5|5┇6|6");
        const QString kept = e.text().mid(e.findComponentRecord(lookalike)).section("‖", 0, 0);
        e.deleteComponent(lamp);
        QVERIFY(e.readComponent(source));
        QVERIFY(!e.readComponent(lamp));
        QCOMPARE(e.readComponent(lookalike)->name, name);
        QVERIFY(e.text().contains(kept + "‖"));
        QVERIFY(e.text().endsWith("⊙" + name + "∧|电源1∨¤5|5┇6|6‖"));
        QVERIFY(!e.text().contains("¤1|1"));
        QVERIFY(!e.text().contains("¤3|3"));
    }

    void deleteComponentLeavesNoStrayEnd() {
        Experiment e;
        place(e, Lamp);
        e.setText(e.text() + "trailing");
        e.deleteComponent(1);
        QCOMPARE(e.text(), "trailing‖");
    }

    void deletingAMotorEmptiesItsSlot() {
        Experiment e;
        place(e, Motor);
        e.setMotorSlot(9, "电动机1");
        const QList<int> emptied = e.deleteComponent(1);
        QCOMPARE(emptied, QList<int>{9});
        QVERIFY(e.motorSlots()[9].isEmpty());
    }

    void motorSlotsOfAnOpenedFile() {
        Experiment e;
        QString text;
        for (int k = 1; k <= 11; ++k)
            text += QStringLiteral("№%1□0■0◇电动机%1◆6△0▲◎20○●☆6★0.3‖").arg(k);
        e.setText(text);
        e.rebuildMotorSlots();
        for (int k = 0; k < motorSlotCount; ++k)
            QCOMPARE(e.motorSlots()[static_cast<std::size_t>(k)],
                     QStringLiteral("电动机%1").arg(k + 1));
    }

    void resetClearsEverything() {
        Experiment e;
        place(e, Source);
        place(e, Motor);
        e.setMotorSlot(0, "电动机1");
        e.deleteComponent(1);
        e.reset();
        QVERIFY(e.text().isEmpty());
        QCOMPARE(e.highestNumber(), 0);
        QVERIFY(e.freeNumbers().isEmpty());
        QCOMPARE(e.highestRunningNumber(Motor), 0);
        QVERIFY(!e.isModified());
        QVERIFY(e.motorSlots()[0].isEmpty());
        QCOMPARE(e.sourceVoltage(), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
