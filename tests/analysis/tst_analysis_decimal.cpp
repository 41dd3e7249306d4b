// The analysis's own decimal text must give exactly what the model's
// number-to-text and text-to-number give.
#include "analysis/decimal_text.h"
#include "model/number_text.h"

#include <QRandomGenerator>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace ampery;

namespace {
bool sameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
} // namespace

class TestAnalysisDecimal : public QObject {
    Q_OBJECT
private slots:
    void matchesTheModel_data() {
        QTest::addColumn<double>("value");
        const double inf = std::numeric_limits<double>::infinity();
        for (const double v : {0.0,
                               -0.0,
                               1.0,
                               6.0,
                               -42.0,
                               9999999999999.0,
                               10000000000001.0,
                               123456789012345678.0,
                               0.6,
                               -0.6,
                               0.1 + 0.2,
                               1.0 / 3.0,
                               2.0 / 3.0,
                               9.99999999999995,
                               9.9999999999995,
                               0.30000000000000004,
                               5e-324,
                               1e-300,
                               1e-30,
                               9.999999999999e-31,
                               1.0000000000005e-30,
                               3.0517578125e-32,
                               1e-54,
                               9.999999999999e-55,
                               1.0000000000005e-54,
                               4.4e-45,
                               3.3e-60,
                               -7.25e-66,
                               1e49,
                               9.9999999999995e49,
                               1e50,
                               1e-281,
                               1e-279,
                               1e279,
                               1e281,
                               1e300,
                               std::numeric_limits<double>::max(),
                               1.5e15,
                               123456789012345.0,
                               1e22,
                               1e23,
                               1e-22,
                               1e-23,
                               4.35e-10,
                               inf,
                               -inf,
                               std::nan("")})
            QTest::addRow("%.17g", v) << v;
    }
    void matchesTheModel() {
        QFETCH(double, value);
        const analysis::Decimal d = analysis::decimal(value);
        const QString text = model::numberToText(value);
        QCOMPARE(d.text.toString(), text);
        QVERIFY(sameDouble(d.value, model::textToNumber(text)));
        QVERIFY(sameDouble(analysis::readBack(value), d.value));
    }

    void matchesTheModelOnRandomValues() {
        QRandomGenerator random(20261208);
        analysis::Decimal previous;
        for (int i = 0; i < 200000; ++i) {
            double value = 0;
            switch (i % 6) {
            case 0: // any bit pattern
                value = std::bit_cast<double>(random.generate64());
                break;
            case 1: // circuit-sized values, and the potentials down a long ladder
                value = (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(-75, 60));
                break;
            case 2: // ratios of small integers, as potentials and currents are
                value = double(random.bounded(-1000, 1000)) / double(random.bounded(1, 997));
                break;
            case 3: // halfway cases at the 13th digit
                value = (double(random.bounded(1, 1 << 30)) * 1000 + 500) *
                        std::pow(10.0, random.bounded(-20, 5));
                break;
            case 4: // just off a tie at the 13th digit
                value = (1234567890123.5 + (random.generateDouble() - 0.5) * 0.04) *
                        std::pow(10.0, random.bounded(-80, 50));
                break;
            default: // just below and above powers of ten
                value = std::pow(10.0, random.bounded(-75, 60)) *
                        (1.0 + (random.generateDouble() - 0.5) * 2e-12);
                break;
            }
            const analysis::Decimal d = analysis::decimal(value);
            const QString text = model::numberToText(value);
            if (d.text.toString() != text || !sameDouble(d.value, model::textToNumber(text)) ||
                !sameDouble(analysis::readBack(value), d.value))
                QFAIL(qPrintable(QStringLiteral("%1: %2 against %3")
                                     .arg(value, 0, 'g', 17)
                                     .arg(d.text.toString(), text)));
            // Texts compare equal exactly when they read the same: the value
            // read back writes the same text, and the previous one seldom.
            const analysis::Decimal again = analysis::decimal(d.value);
            if ((again.text == d.text) != (model::numberToText(d.value) == text) ||
                (previous.text == d.text) != (previous.text.toString() == text))
                QFAIL(qPrintable(
                    QStringLiteral("%1: equality differs from the texts'").arg(value, 0, 'g', 17)));
            previous = d;
        }
    }
};

QTEST_GUILESS_MAIN(TestAnalysisDecimal)
#include "tst_analysis_decimal.moc"
