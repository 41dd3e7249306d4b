#include "model/component_record.h"
#include "model/component_record_reader.h"
#include "model/component_type.h"
#include "model/record_scan.h"
#include "model/separators.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <utility>

using namespace ampery::model;

namespace {

struct ReadRecord {
    qsizetype start = 0;
    QString numberText;
    Component component;
    int runningNumber = 0;
};

// The grammar's own reading: every "№" up to the next "‖", each record read
// on its own.
QList<ReadRecord> readOneByOne(const QString& text) {
    QList<ReadRecord> records;
    for (qsizetype s = text.indexOf(QChar(sep::recordStart)); s >= 0;
         s = text.indexOf(QChar(sep::recordStart), s + 1)) {
        const qsizetype e = text.indexOf(QChar(sep::recordEnd), s);
        if (e < 0)
            break;
        const QStringView record = QStringView(text).mid(s, e + 1 - s);
        const Component c = parseComponentRecord(record);
        records.append(
            {s, numberText(record).toString(), c, runningNumber(nameText(record), c.type)});
    }
    return records;
}

QList<ReadRecord> readWithReader(const QString& text) {
    QList<ReadRecord> records;
    ComponentRecordReader reader(text);
    while (reader.next())
        records.append({reader.start(), reader.numberText().toString(), reader.component(),
                        reader.runningNumber()});
    return records;
}

using Segment = std::pair<QPoint, QPoint>;

QSet<Segment> segmentsOf(const QList<QList<QPoint>>& lines) {
    QSet<Segment> segments;
    for (const QList<QPoint>& line : lines)
        for (qsizetype i = 1; i < line.size(); ++i)
            segments.insert({line[i - 1], line[i]});
    return segments;
}

// Every track drawn on its own.
QList<QList<QPoint>> trackByTrack(const QString& text) {
    QList<QList<QPoint>> lines;
    for (const QStringView track : wireTrackTexts(text))
        lines.append(trackPoints(track));
    return lines;
}

QString randomText(QRandomGenerator& random, const QStringList& pieces, int length) {
    QString text;
    for (int i = 0; i < length; ++i)
        text += pieces[random.bounded(static_cast<int>(pieces.size()))];
    return text;
}

QString lamp(int number, const QString& x) {
    return QStringLiteral("№%1□%2■20◇电灯%1◆3△1▲◎10○●☆6★0.6‖").arg(number).arg(x);
}

} // namespace

class TestRecordReaders : public QObject {
    Q_OBJECT
private slots:
    void componentRecordsReadAsOneByOne_data() {
        QTest::addColumn<QString>("text");
        const QString digits(300, u'7');
        QTest::addRow("empty") << QString();
        QTest::addRow("built records")
            << buildComponentRecord(1, 10, 20, QStringLiteral("电源1"), Source) +
                   buildComponentRecord(2, 30, 40, QStringLiteral("变阻器4"), Rheostat);
        QTest::addRow("stray starts before a record") << QString(40, u'№') + lamp(3, "5");
        QTest::addRow("own numbers, later fields shared")
            << QStringLiteral("№1□№2□№3□") + digits + QStringLiteral("■") + digits +
                   QStringLiteral("◇电灯") + digits + QStringLiteral("◆3△1▲2◎3○4●5☆6★7‖");
        QTest::addRow("separators between nested starts")
            << QStringLiteral("№1□2№3■4◇电阻№5◆4△‖№9□1‖");
        QTest::addRow("last record unclosed") << lamp(1, "5") + QStringLiteral("№2□7■8◇电灯2");
        QTest::addRow("fields out of order") << QStringLiteral("№1■5□7◇x◆△3▲‖");
        QTest::addRow("empty records") << QStringLiteral("№‖№‖‖№");
        QTest::addRow("number with text after it") << lamp(1, "12abc") + QStringLiteral("№4x□‖");

        QRandomGenerator random(20240613);
        const QStringList pieces = {"№", "□", "■", "◇", "◆",  "△", "▲", "◎", "○",    "●",
                                    "☆", "★", "‖", "1", "23", "-", ".", "5", "电灯", "电动机"};
        for (int k = 0; k < 300; ++k)
            QTest::addRow("random %d", k) << randomText(random, pieces, random.bounded(120));
    }
    void componentRecordsReadAsOneByOne() {
        QFETCH(QString, text);
        const QList<ReadRecord> expected = readOneByOne(text);
        const QList<ReadRecord> got = readWithReader(text);
        QCOMPARE(got.size(), expected.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            const Component& a = got[i].component;
            const Component& b = expected[i].component;
            QCOMPARE(got[i].start, expected[i].start);
            QCOMPARE(got[i].numberText, expected[i].numberText);
            QCOMPARE(got[i].runningNumber, expected[i].runningNumber);
            QCOMPARE(a.number, b.number);
            QCOMPARE(a.x, b.x);
            QCOMPARE(a.y, b.y);
            QCOMPARE(a.name, b.name);
            QCOMPARE(a.type, b.type);
            QCOMPARE(a.state, b.state);
            QCOMPARE(a.voltage, b.voltage);
            QCOMPARE(a.resistance, b.resistance);
            QCOMPARE(a.minimum, b.minimum);
            QCOMPARE(a.maximum, b.maximum);
            QCOMPARE(a.ratedVoltage, b.ratedVoltage);
            QCOMPARE(a.ratedCurrent, b.ratedCurrent);
        }
    }

    // The lines drawn are those of every track drawn on its own, and their
    // points grow with the text, not with the tracks times their points.
    void wireLinesDrawEveryTrack_data() {
        QTest::addColumn<QString>("text");
        QTest::addRow("empty") << QString();
        QTest::addRow("two wires") << QStringLiteral("⊙电源1∧|电灯1∧¤1|2┇3|4┇5|6‖⊙a|b¤7|8┇9|10‖");
        QTest::addRow("single point") << QStringLiteral("⊙a|b¤7|8‖");
        QTest::addRow("empty track") << QStringLiteral("¤‖¤┇‖");
        QTest::addRow("unclosed track") << QStringLiteral("¤1|1┇2|2‖¤3|3┇4|4");
        QTest::addRow("nested tracks")
            << QString(40, u'¤') + QStringLiteral("1|1┇").repeated(40) + QStringLiteral("‖");
        QTest::addRow("nested tracks with their own first points")
            << QStringLiteral("¤5|6¤7¤|8¤9|┇1|2┇3┇|4‖¤1|1┇2|2‖");
        QTest::addRow("nested tracks sharing a first y")
            << QStringLiteral("¤1¤2¤3|") + QString(200, u'9') + QStringLiteral("┇4|4┇5|5‖");

        QRandomGenerator random(7);
        const QStringList pieces = {"¤", "‖", "┇", "|", "1", "23", "-4", "⊙"};
        for (int k = 0; k < 300; ++k)
            QTest::addRow("random %d", k) << randomText(random, pieces, random.bounded(80));
    }
    void wireLinesDrawEveryTrack() {
        QFETCH(QString, text);
        const QList<QList<QPoint>> lines = wireLines(text);
        QCOMPARE(segmentsOf(lines), segmentsOf(trackByTrack(text)));
        qsizetype points = 0;
        for (const QList<QPoint>& line : lines)
            points += line.size();
        QVERIFY2(points <= 3 * text.size(), qPrintable(QString::number(points)));
    }
};

QTEST_GUILESS_MAIN(TestRecordReaders)
#include "tst_record_readers.moc"
