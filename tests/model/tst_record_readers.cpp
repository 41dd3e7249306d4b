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

// Every field of a component, the numbers exactly (17 digits tell any two
// doubles apart, and the sign of a zero shows).
QString describe(const Component& c) {
    QStringList parts;
    for (const double v :
         {double(c.number), double(c.x), double(c.y), double(c.type), double(c.state), c.voltage,
          c.resistance, c.minimum, c.maximum, c.ratedVoltage, c.ratedCurrent})
        parts.append(QString::number(v, 'g', 17));
    return c.name + u'|' + parts.join(u'|');
}

struct ReadRecord {
    qsizetype start = 0;
    qsizetype end = 0;
    QString numberText;
    QString component;
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
        records.append({s, e, numberText(record).toString(), describe(c),
                        runningNumber(nameText(record), c.type)});
    }
    return records;
}

QList<ReadRecord> readWithReader(const QString& text) {
    QList<ReadRecord> records;
    ComponentRecordReader reader(text);
    while (reader.next()) {
        const qsizetype start = reader.start();
        records.append({start, start + reader.record().size() - 1, reader.numberText().toString(),
                        describe(reader.component()), reader.runningNumber()});
    }
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

// An experiment text of records as the program writes them, records with
// any field texts, some of them cut or missing a character, stray separators
// and record starts that nest the records after them, and wires.
QString randomExperiment(QRandomGenerator& random) {
    static const QStringList numbers = {
        "1", "2", "3",    "4",  "7", "12", "01", "+3",         "3.0",        "-2",
        "0", "",  "3abc", "３", "٣", " 3", "-0", "2147483647", "2147483648", "99999999999"};
    static const QStringList values =
        QStringList{"",   "0",   "6",   "10", "0.6", "-3.7",       "2.99999999999999999999",
                    ".5", "1e5", "+7",  "5.", "3",   "12abc",      "2147483648",
                    "8",  "-.5", "4.5", "-2", "∞",   "9999999999", "-2147483649"}
        << QString(30, u'7') << QStringLiteral("0.") + QString(20, u'3');
    static const QStringList names =
        QStringList{"电灯1", "电源1",   "甲",       "",       "变阻器12", "电动机3",
                    "开关2", "电压器1", "乙电灯10", "电阻0x", "电流器-4"}
        << QString(20, u'阻') << QStringLiteral("电灯") + QString(18, u'9');
    static const QStringList strays = {"№", "‖", "□",   "■",     "◇",    "◆",
                                       "△", "▲", "◎",   "○",     "●",    "☆",
                                       "★", "1", "№5□", "№2□7■", "№01□", "⊙电源1∧|电灯1∨¤1|1┇2|2‖"};
    const auto pick = [&random](const QStringList& list) {
        return list[random.bounded(static_cast<int>(list.size()))];
    };
    QString text;
    for (int pieces = random.bounded(24); pieces > 0; --pieces) {
        switch (random.bounded(5)) {
        case 0:
        case 1:
            text += buildComponentRecord(random.bounded(1, 12), random.bounded(-50, 900),
                                         random.bounded(900), pick(names), random.bounded(1, 9));
            break;
        case 2:
        case 3: {
            QString record = u'№' + pick(numbers) + u'□' + pick(values) + u'■' + pick(values) +
                             u'◇' + pick(names) + u'◆' + pick(values) + u'△' + pick(values);
            for (const char16_t separator : {sep::voltage, sep::resistance, sep::minimum,
                                             sep::maximum, sep::ratedVoltage, sep::ratedCurrent})
                record += QChar(separator) + pick(values);
            record += QChar(sep::recordEnd);
            if (random.bounded(4) == 0)
                record.remove(random.bounded(static_cast<int>(record.size())), 1);
            text += record;
            break;
        }
        default:
            text += pick(strays);
        }
    }
    return text;
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
        QRandomGenerator experiments(11);
        for (int k = 0; k < 500; ++k)
            QTest::addRow("random experiment %d", k) << randomExperiment(experiments);
    }
    void componentRecordsReadAsOneByOne() {
        QFETCH(QString, text);
        const QList<ReadRecord> expected = readOneByOne(text);
        const QList<ReadRecord> got = readWithReader(text);
        QCOMPARE(got.size(), expected.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            QCOMPARE(got[i].start, expected[i].start);
            QCOMPARE(got[i].end, expected[i].end);
            QCOMPARE(got[i].numberText, expected[i].numberText);
            QCOMPARE(got[i].component, expected[i].component);
            QCOMPARE(got[i].runningNumber, expected[i].runningNumber);
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
