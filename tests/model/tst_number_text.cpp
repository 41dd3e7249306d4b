#include "model/number_text.h"

#include <QRandomGenerator>
#include <QTest>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using namespace ampery::model;

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void textToNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addRow("empty") << "" << 0.0;
        QTest::addRow("infinity sign") << "∞" << 0.0;
        QTest::addRow("inf") << "inf" << 0.0;
        QTest::addRow("nan") << "nan" << 0.0;
        QTest::addRow("integer") << "42" << 42.0;
        QTest::addRow("decimal") << "0.6" << 0.6;
        QTest::addRow("leading point") << ".5" << 0.5;
        QTest::addRow("negative") << "-3.25" << -3.25;
        QTest::addRow("plus") << "+7" << 7.0;
        QTest::addRow("trailing point") << "5." << 5.0;
        QTest::addRow("leading zeros") << "-007|3" << -7.0;
        QTest::addRow("fifteen digits") << "999999999999999" << 999999999999999.0;
        QTest::addRow("sixteen digits round to even") << "9007199254740993" << 9007199254740992.0;
        QTest::addRow("trailing text") << "12abc" << 12.0;
        QTest::addRow("no exponent") << "1e5" << 1.0;
        QTest::addRow("second point stops") << "1.2.3" << 1.2;
        QTest::addRow("lone sign") << "-" << 0.0;
        QTest::addRow("lone point") << "." << 0.0;
        QTest::addRow("leading space") << " 5" << 0.0;
        QTest::addRow("tiny underflows") << "0." + QString(400, '0') + "1" << 0.0;
        QTest::addRow("huge overflows")
            << QString(400, '9') << std::numeric_limits<double>::infinity();
        QTest::addRow("huge negative")
            << "-" + QString(400, '9') << -std::numeric_limits<double>::infinity();
    }
    void textToNumber() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(ampery::model::textToNumber(text), expected);
    }

    // Plain decimals, as fields and track points are written, read to the
    // same double as the library's exact conversion, bit for bit.
    void textToNumberMatchesTheExactConversion() {
        QRandomGenerator random(20261209);
        for (int n = 0; n < 100000; ++n) {
            std::string ascii = random.bounded(4) == 0 ? "-" : "";
            const int whole = random.bounded(0, 10);
            const int fraction = random.bounded(0, 12);
            for (int k = 0; k < whole; ++k)
                ascii += char('0' + random.bounded(10));
            if (fraction > 0 || random.bounded(2) == 0)
                ascii += '.';
            for (int k = 0; k < fraction; ++k)
                ascii += char('0' + random.bounded(10));
            if (whole == 0 && fraction == 0)
                continue;
            double exact = 0;
            std::from_chars(ascii.data(), ascii.data() + ascii.size(), exact,
                            std::chars_format::fixed);
            const double read = ampery::model::textToNumber(QString::fromStdString(ascii));
            if (std::bit_cast<std::uint64_t>(read) != std::bit_cast<std::uint64_t>(exact))
                QFAIL(qPrintable(QStringLiteral("%1 reads as %2, not %3")
                                     .arg(QString::fromStdString(ascii))
                                     .arg(read, 0, 'g', 17)
                                     .arg(exact, 0, 'g', 17)));
        }
    }

    void numberToText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::addRow("zero") << 0.0 << "0";
        QTest::addRow("negative zero") << -0.0 << "0";
        QTest::addRow("integer") << 6.0 << "6";
        QTest::addRow("decimal") << 0.6 << "0.6";
        QTest::addRow("binary noise dropped") << 0.1 + 0.2 << "0.3";
        QTest::addRow("quarter steps") << 37.5 << "37.5";
        QTest::addRow("small without exponent") << 1e-9 << "0.000000001";
        QTest::addRow("large without exponent") << 1.5e15 << "1500000000000000";
        QTest::addRow("thirteen digits") << 1.0 / 3.0 << "0.3333333333333";
        QTest::addRow("rounds up carrying") << 9.99999999999999 << "10";
        QTest::addRow("negative") << -2.5 << "-2.5";
        QTest::addRow("infinity") << std::numeric_limits<double>::infinity() << "∞";
        QTest::addRow("negative infinity") << -std::numeric_limits<double>::infinity() << "-∞";
        QTest::addRow("nan") << std::numeric_limits<double>::quiet_NaN() << "NaN";
    }
    void numberToText() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(ampery::model::numberToText(value), expected);
    }

    void numberRoundTrip() {
        // What the program writes, it reads back to the same 13 digits.
        for (double v : {0.6, 12.5, 1e-7, 123456.789, -0.125, 6.0 / 7.0}) {
            const double back = ampery::model::textToNumber(ampery::model::numberToText(v));
            QVERIFY2(std::abs(back - v) <= 1e-12 * std::abs(v), qPrintable(QString::number(v)));
        }
    }

    void toInt_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::addRow("truncates") << 3.9 << 3;
        QTest::addRow("truncates negative toward zero") << -3.9 << -3;
        QTest::addRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::addRow("saturates high") << 1e300 << std::numeric_limits<int>::max();
        QTest::addRow("saturates low") << -1e300 << std::numeric_limits<int>::min();
        QTest::addRow("infinity") << std::numeric_limits<double>::infinity()
                                  << std::numeric_limits<int>::max();
    }
    void toInt() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(ampery::model::toInt(value), expected);
    }

    // textToNumber followed by toInt, read directly for short whole numbers.
    void textToInt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        const int highest = std::numeric_limits<int>::max();
        const int lowest = std::numeric_limits<int>::min();
        QTest::addRow("empty") << "" << 0;
        QTest::addRow("lone sign") << "-" << 0;
        QTest::addRow("whole") << "42" << 42;
        QTest::addRow("negative") << "-42" << -42;
        QTest::addRow("plus") << "+7" << 7;
        QTest::addRow("leading zeros") << "007" << 7;
        QTest::addRow("many leading zeros") << "0000000000012" << 12;
        QTest::addRow("trailing text") << "12abc" << 12;
        QTest::addRow("no exponent") << "1e5" << 1;
        QTest::addRow("leading space") << " 5" << 0;
        QTest::addRow("trailing point") << "5." << 5;
        QTest::addRow("fraction truncated") << "3.9" << 3;
        QTest::addRow("negative fraction toward zero") << "-3.9" << -3;
        QTest::addRow("negative fraction to zero") << "-.5" << 0;
        QTest::addRow("fraction rounding up in a double") << "2.99999999999999999999" << 3;
        QTest::addRow("nine digits") << "999999999" << 999999999;
        QTest::addRow("nine digits negative") << "-999999999" << -999999999;
        QTest::addRow("highest") << "2147483647" << highest;
        QTest::addRow("past the highest saturates") << "2147483648" << highest;
        QTest::addRow("lowest") << "-2147483648" << lowest;
        QTest::addRow("past the lowest saturates") << "-2147483649" << lowest;
        QTest::addRow("huge") << QString(400, u'9') << highest;
    }
    void textToInt() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(ampery::model::textToInt(text), expected);
    }

    void roundHalfAway_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::addRow("half up") << 2.5 << 3;
        QTest::addRow("half down negative") << -2.5 << -3;
        QTest::addRow("below half") << 2.49 << 2;
    }
    void roundHalfAway() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(ampery::model::roundHalfAway(value), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
