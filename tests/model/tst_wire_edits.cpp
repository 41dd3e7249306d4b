#include "model/component_type.h"
#include "model/experiment.h"
#include "model/wire_edits.h"

#include <QTest>

using namespace ampery::model;

namespace {

Experiment twoLamps() {
    Experiment e;
    e.addComponent(0, 0, e.nameNewComponent(Lamp), Lamp);
    e.addComponent(200, 0, e.nameNewComponent(Lamp), Lamp);
    return e;
}

} // namespace

class TestWireEdits : public QObject {
    Q_OBJECT
private slots:
    void appendRefusals_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("added");
        QTest::addRow("new pair") << "电灯1∨"
                                  << "电灯2∧" << true;
        QTest::addRow("same terminal") << "电灯1∧"
                                       << "电灯1∧" << false;
        QTest::addRow("same direction again") << "电灯1∧"
                                              << "电灯2∨" << false;
        QTest::addRow("opposite direction") << "电灯2∨"
                                            << "电灯1∧" << false;
        QTest::addRow("own two posts") << "电灯2∧"
                                       << "电灯2∨" << true;
    }
    void appendRefusals() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, added);
        Experiment e = twoLamps();
        QVERIFY(appendWire(e, "电灯1∧", "电灯2∨", "16|54┇262|52"));
        e.setModified(false);
        const QString before = e.text();
        QCOMPARE(appendWire(e, start, end, "1|2┇3|4"), added);
        QCOMPARE(e.isModified(), added);
        if (added)
            QCOMPARE(e.text(), before + "⊙" + start + "|" + end + "¤1|2┇3|4‖");
        else
            QCOMPARE(e.text(), before);
    }

    void deleteAtPoint_data() {
        QTest::addColumn<QStringList>("wires");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QList<int>>("remaining");
        const QStringList atTerminal = {"⊙电灯1∧|电灯2∨¤16|54┇100|200┇262|52",
                                        "⊙电灯1∧|电灯2∧¤16|54┇216|54",
                                        "⊙电灯1∨|电灯2∧¤62|52┇150|150┇216|54"};
        QTest::addRow("every wire at a terminal") << atTerminal << QPoint(20, 50) << QList<int>{2};
        QTest::addRow("far from every point")
            << atTerminal << QPoint(125, 175) << QList<int>{0, 1, 2};
        QTest::addRow("box border included") << atTerminal << QPoint(108, 208) << QList<int>{1, 2};
        QTest::addRow("box border excluded")
            << atTerminal << QPoint(109, 208) << QList<int>{0, 1, 2};
        const QStringList crossing = {"⊙电灯1∧|电灯2∨¤16|54┇100|100┇262|52",
                                      "⊙电灯1∨|电灯2∧¤62|52┇104|103┇216|54"};
        QTest::addRow("only the last hit stays") << crossing << QPoint(102, 101) << QList<int>{0};
        // The stored text 45|80 is also inside 145|80 and 45|803.
        const QStringList lookalike = {"⊙电灯1∧|电灯2∨¤16|54┇45|80┇262|52",
                                       "⊙电灯1∨|电灯2∧¤62|52┇145|80┇216|54",
                                       "⊙电灯2∨|电灯1∨¤262|52┇45|803┇62|52"};
        QTest::addRow("whole points only") << lookalike << QPoint(45, 80) << QList<int>{1, 2};
    }
    void deleteAtPoint() {
        QFETCH(QStringList, wires);
        QFETCH(QPoint, click);
        QFETCH(QList<int>, remaining);
        Experiment e = twoLamps();
        const QString components = e.text();
        for (const QString& w : wires)
            e.setText(e.text() + w + "‖");
        e.setModified(false);
        const bool removed = deleteWiresAtPoint(e, click.x(), click.y());
        QString expected = components;
        for (int k : remaining)
            expected += wires[k] + "‖";
        QCOMPARE(e.text(), expected);
        QCOMPARE(removed, remaining.size() < wires.size());
        QCOMPARE(e.isModified(), removed);
    }

    // The point at the dragged post follows fully, the point at the other
    // component's post stays, the points between spread linearly.
    void stretchedWireStaysOnBothPosts_data() {
        QTest::addColumn<QString>("track");
        QTest::addColumn<QPoint>("drag");
        QTest::addColumn<QString>("moved");
        QTest::addRow("three points")
            << "16|54┇100|60┇262|52" << QPoint(30, 0) << "46|54┇115|60┇262|52";
        QTest::addRow("three points, halves")
            << "16|54┇100|60┇262|52" << QPoint(31, -3) << "47|51┇116|58┇262|52";
        QTest::addRow("two points") << "16|54┇262|52" << QPoint(40, -20) << "56|34┇262|52";
        QTest::addRow("one point") << "16|54" << QPoint(7, -3) << "23|51";
        QTest::addRow("halves away from zero") << "0|0┇0|0┇0|0" << QPoint(-5, 3) << "-5|3┇-3|2┇0|0";
        QTest::addRow("thirds") << "0|0┇0|0┇0|0┇0|0" << QPoint(-6, 2) << "-6|2┇-4|1┇-2|1┇0|0";
        // 3 × 1/6 is exactly a half only when computed as one division.
        QTest::addRow("sixths") << "0|0┇0|0┇0|0┇0|0┇0|0┇0|0┇0|0" << QPoint(3, -3)
                                << "3|-3┇3|-3┇2|-2┇2|-2┇1|-1┇1|-1┇0|0";
    }
    void stretchedWireStaysOnBothPosts() {
        QFETCH(QString, track);
        QFETCH(QPoint, drag);
        QFETCH(QString, moved);
        Experiment e = twoLamps();
        appendWire(e, "电灯1∧", "电灯2∨", track);
        const AttachedWires wires = collectAttachedWires(e, "电灯1");
        QCOMPARE(wires.rigid.size(), 0);
        QCOMPARE(wires.stretched.size(), 1);
        // Every move starts again from the geometry at drag start.
        moveAttachedWires(e, wires, 99, 99);
        moveAttachedWires(e, wires, drag.x(), drag.y());
        QVERIFY2(e.text().endsWith("⊙电灯1∧|电灯2∨¤" + moved + "‖"), qPrintable(e.text()));
    }

    void wiresEndingAtTheComponentAreTurned() {
        Experiment e = twoLamps();
        appendWire(e, "电灯2∨", "电灯1∧", "262|52┇100|60┇16|54");
        const QString lengthBefore = e.text();
        const AttachedWires wires = collectAttachedWires(e, "电灯1");
        QCOMPARE(e.text().size(), lengthBefore.size());
        QVERIFY(e.text().endsWith("⊙电灯1∧|电灯2∨¤16|54┇100|60┇262|52‖"));
        QCOMPARE(wires.stretched, QStringList{"⊙电灯1∧|电灯2∨¤16|54┇100|60┇262|52"});
    }

    void wireBetweenOwnPostsMovesRigidly() {
        Experiment e = twoLamps();
        appendWire(e, "电灯1∨", "电灯1∧", "62|52┇40|90┇16|54");
        appendWire(e, "电灯2∧", "电灯2∨", "216|54┇262|52");
        const AttachedWires wires = collectAttachedWires(e, "电灯1");
        QCOMPARE(wires.rigid.size(), 1);
        QCOMPARE(wires.stretched.size(), 0);
        moveAttachedWires(e, wires, -5, 7);
        QVERIFY(e.text().contains("⊙电灯1∨|电灯1∧¤57|59┇35|97┇11|61‖"));
        QVERIFY(e.text().contains("⊙电灯2∧|电灯2∨¤216|54┇262|52‖"));
    }
};

QTEST_GUILESS_MAIN(TestWireEdits)
#include "tst_wire_edits.moc"
