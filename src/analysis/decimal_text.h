#pragma once

#include <QString>

#include <cstdint>

namespace ampery::analysis {

// A number as a result record writes it: the text of the program's
// number-to-text (model::numberToText), held as its 13 rounded significant
// digits and their exponent, so that writing a record allocates nothing.
// toString() lays the digits out; two texts are equal when their digits are.
// Sixteen bytes, so that a record's three texts stay small.
class DecimalText {
public:
    DecimalText() = default; // "0"
    QString toString() const;
    // The number text-to-number reads back from the text (model::textToNumber).
    double value() const;
    bool operator==(const DecimalText& other) const;

private:
    friend struct DecimalWriter;
    // 0 for zero, else 10^12 <= m_digits < 10^13. For a number too small or
    // too large for the digits, an infinity or NaN (m_other), the bits of
    // the double, whose text the model writes when it is asked for.
    std::int64_t m_digits = 0;
    std::int16_t m_exponent = 0;
    bool m_negative = false;
    bool m_other = false;
};

// The text of a double (model::numberToText) and the number that
// text-to-number reads back from it (model::textToNumber), as result
// records and series definitions are written and read. Same results as the
// model's pair, without its allocations and text parsing: these run for
// every record and every series step of every analysis.
struct Decimal {
    DecimalText text;
    double value = 0;
};
Decimal decimal(double x);
// The text alone, for a number read back only when it is asked for.
DecimalText decimalText(double x);

// textToNumber(numberToText(x)) alone.
double readBack(double x);

} // namespace ampery::analysis
