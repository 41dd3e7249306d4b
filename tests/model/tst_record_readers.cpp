#include "model/char_search.h"
#include "model/component_record.h"
#include "model/component_record_reader.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/record_scan.h"
#include "model/separators.h"
#include "model/string_blocks.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <utility>
#include <vector>

using namespace ampery::model;

namespace {

// Every field of a component, the numbers exactly (17 digits tell any two
// doubles apart, and the sign of a zero shows).
QString describe(const Component& c) {
    QStringList values;
    for (const double v :
         {double(c.number), double(c.x), double(c.y), double(c.type), double(c.state), c.voltage,
          c.resistance, c.minimum, c.maximum, c.ratedVoltage, c.ratedCurrent})
        values.append(QString::number(v, 'g', 17));
    return c.name + u'|' + values.join(u'|');
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

// A component list read the plain way: each record read on its own, kept
// when the lookup by its number finds it, in number order.
struct ListedRecord {
    qsizetype start = 0;
    qsizetype size = 0;
    QString component;
    bool operator==(const ListedRecord&) const = default;
};

char* toString(const ListedRecord& r) {
    return QTest::toString(
        QStringLiteral("%1 at %2, %3 long").arg(r.component).arg(r.start).arg(r.size));
}

QList<ListedRecord> reachableOneByOne(const Experiment& e) {
    std::vector<std::pair<int, ListedRecord>> found;
    const QString& text = e.text();
    for (qsizetype s = 0; s < text.size(); ++s) {
        if (text[s] != QChar(sep::recordStart))
            continue;
        const qsizetype end = text.indexOf(QChar(sep::recordEnd), s);
        if (end < 0)
            break;
        const Component c = parseComponentRecord(QStringView(text).mid(s, end + 1 - s));
        if (c.number > 0 && e.findComponentRecord(c.number) == s)
            found.push_back({c.number, {s, end + 1 - s, describe(c)}});
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<ListedRecord> listed;
    for (const auto& [number, record] : found)
        listed.append(record);
    return listed;
}

QList<ListedRecord> listed(const Experiment& e) {
    QList<ListedRecord> records;
    for (const Experiment::ReadRecord& read : e.componentRecords())
        records.append({read.record.data() - e.text().constData(), read.record.size(),
                        describe(read.component)});
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
    // The searches for separators find what the library's search finds, on
    // texts of separators among other characters, from every place, near
    // the ends of the eight-unit blocks too.
    void charSearchAsTheLibraryFindsIt() {
        QRandomGenerator random(20261209);
        const char16_t alphabet[] = {u'⊙', u'¤', u'‖', u'№', u'电', u'1', u'|'};
        for (int n = 0; n < 3000; ++n) {
            QString text;
            const int size = random.bounded(0, 40);
            for (int k = 0; k < size; ++k)
                text += QChar(alphabet[random.bounded(int(std::size(alphabet)))]);
            for (qsizetype from = 0; from <= text.size() + 1; ++from) {
                const qsizetype wire = text.indexOf(QChar(u'⊙'), from);
                const qsizetype track = text.indexOf(QChar(u'¤'), from);
                const qsizetype either = wire < 0    ? track
                                         : track < 0 ? wire
                                                     : std::min(wire, track);
                if (firstOf(text, u'⊙', from) != wire ||
                    firstOfAny(text, from, u'⊙', u'¤') != either)
                    QFAIL(qPrintable(QStringLiteral("%1 from %2").arg(text).arg(from)));
            }
        }
    }

    // Copies kept in shared blocks read as the texts they copied, ended by a
    // '\0', and act as strings of their own: they outlive the store, and a
    // change to one leaves the others and the texts as they were.
    void stringBlocksCopyAsStrings_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addRow("names") << QStringList{"电源1", "电阻12", "电灯3", "开关1"};
        QTest::addRow("empty and null among them") << QStringList{"a", "", QString(), "b"};
        QTest::addRow("more than a block")
            << QStringList{QString(3000, u'阻'), "电阻1", QString(2047, u'x'), QString(1, u'y')};
        QStringList many;
        for (int k = 0; k < 1500; ++k)
            many.append(QStringLiteral("电动机%1").arg(k));
        QTest::addRow("many blocks") << many;
    }
    void stringBlocksCopyAsStrings() {
        QFETCH(QStringList, texts);
        QList<QString> copies;
        {
            StringBlocks store;
            for (const QString& text : texts)
                copies.append(store.copy(text));
        }
        for (qsizetype i = 0; i < texts.size(); ++i) {
            QCOMPARE(copies[i], texts[i]);
            QCOMPARE(copies[i].isNull(), texts[i].isNull());
            if (!copies[i].isEmpty())
                QCOMPARE(copies[i].constData()[copies[i].size()], QChar(u'\0'));
        }
        // Each copy changed in turn: the rest stay as they were.
        for (qsizetype i = 0; i < copies.size(); ++i) {
            copies[i].append(u'★');
            copies[i].prepend(u'☆');
            for (qsizetype j = 0; j < copies.size(); ++j)
                QCOMPARE(copies[j], j <= i ? u'☆' + texts[j] + u'★' : texts[j]);
        }
    }

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
        for (quint32 seed = 5001; seed <= 5500; ++seed) {
            QRandomGenerator experiment(seed);
            QTest::addRow("experiment seed %u", seed) << randomExperiment(experiment);
        }
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

    // The component list holds, in number order, the records that the lookup
    // by number finds, read as each record on its own, with their texts.
    void componentListReadAsOneByOne_data() {
        QTest::addColumn<QString>("text");
        QTest::addRow("empty") << QString();
        QTest::addRow("out of order") << lamp(3, "1") + lamp(1, "2") +
                                             QStringLiteral("⊙电灯1∧|电灯3∨¤1|1┇2|2‖") +
                                             lamp(2, "3");
        QTest::addRow("repeated numbers, the first is found")
            << lamp(2, "1") + lamp(1, "2") + lamp(2, "3") + lamp(1, "4");
        QTest::addRow("number texts the lookup does not find")
            << QStringLiteral("№01□1‖№+3□2‖№3.0□3‖№-2□4‖№0□5‖№2147483648□6‖№2147483647□7‖");
        QTest::addRow("nested starts share a short name")
            << QStringLiteral("№4□№5□№6□1■2◇电灯1◆3△‖");
        QTest::addRow("nested starts share a long name")
            << QStringLiteral("№4□№5□1■2◇") + QString(40, u'阻') + QStringLiteral("◆3△‖");
        QTest::addRow("names read again after a taken one")
            << QStringLiteral("№1□◇电灯1◆3‖№1□◇电灯2◆3‖№2□◇电灯3◆3‖");
        for (quint32 seed = 1; seed <= 3000; ++seed) {
            QRandomGenerator random(seed);
            QTest::addRow("seed %u", seed) << randomExperiment(random);
        }
    }
    void componentListReadAsOneByOne() {
        QFETCH(QString, text);
        Experiment e;
        e.setText(text);
        const QList<ListedRecord> expected = reachableOneByOne(e);
        QCOMPARE(listed(e), expected);
        QStringList expectedComponents;
        for (const ListedRecord& record : expected)
            expectedComponents.append(record.component);
        QStringList components;
        for (const Component& c : e.components())
            components.append(describe(c));
        QCOMPARE(components, expectedComponents);
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
