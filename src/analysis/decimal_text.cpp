#include "decimal_text.h"

#include "model/number_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace ampery::analysis {

namespace {

constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::int64_t thirteenDigits = 10'000'000'000'000;

// x rounded to 13 significant digits: digits · 10^(exponent - 12), with
// 10^12 <= digits < 10^13, as printf's "%.12e" rounds.
struct Rounded {
    bool negative = false;
    std::int64_t digits = 0;
    int exponent = 0;
};

// x scaled by 10^k, for |k| <= 66, with at most three correctly rounded
// operations by exact powers of ten: the potentials down a long ladder fall
// to 10^-30 and below, well past the one power a double holds exactly.
template <typename Real> Real scaledByPowerOfTen(Real x, int k) {
    const auto power = [](int n) { return static_cast<Real>(powersOfTen[n]); };
    if (k >= 0) {
        for (; k > 22; k -= 22)
            x *= power(22);
        return x * power(k);
    }
    for (; k < -22; k += 22)
        x /= power(22);
    return x / power(-k);
}

// Scales x into [10^12, 10^13), off by at most three roundings of a value
// below 2^44, 0.004 together; unless the scaled value lies that close to a
// tie, its nearest integer is the rounding of x itself.
bool roundQuickly(double x, Rounded& r) {
    const double a = std::fabs(x);
    if (!(a >= 1e-54 && a < 1e50))
        return false;
    // a lies in [2^(binary - 1), 2^binary): its decimal exponent is this
    // estimate or one more, which the loop below finds.
    const int binary = static_cast<int>((std::bit_cast<std::uint64_t>(a) >> 52) & 0x7ff) - 1022;
    int exponent = (binary - 1) * 30103 / 100000 - ((binary - 1) * 30103 % 100000 < 0 ? 1 : 0);
    double scaled = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int k = 12 - exponent;
        if (k > 66 || k < -66)
            return false;
        scaled = scaledByPowerOfTen(a, k);
        if (scaled < 1e12)
            --exponent;
        else if (scaled >= 1e13)
            ++exponent;
        else
            break;
    }
    if (scaled < 1e12 || scaled >= 1e13)
        return false;
    // Positive and below 2^53: the conversion truncates, as floor would.
    const auto whole = static_cast<std::int64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) < 0.01)
        return false;
    r.negative = x < 0;
    r.digits = whole + (fraction > 0.5 ? 1 : 0);
    r.exponent = exponent;
    if (r.digits == thirteenDigits) {
        r.digits /= 10;
        ++r.exponent;
    }
    return true;
}

// The same from the library's exact formatting.
Rounded roundExactly(double x) {
    char buffer[40];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 12).ptr;
    Rounded r;
    const char* p = buffer;
    r.negative = *p == '-';
    if (r.negative)
        ++p;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            r.digits = r.digits * 10 + (*p - '0');
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, r.exponent);
    return r;
}

Rounded rounded(double x) {
    Rounded r;
    return roundQuickly(x, r) ? r : roundExactly(x);
}

// digits · 10^k for 22 < |k| <= 66, where no power of ten is exact in a
// double, in the 64-bit mantissa of x86's extended precision: at most three
// correctly rounded operations by exact powers, off the true value by at
// most three units of that mantissa's last place. Its 11 bits below the
// double's 53 then tell the rounding to a double, unless they lie within
// that error of the halfway point between two doubles.
bool extendedValueOf(std::int64_t digits, int k, double& value) {
#if defined(__x86_64__) || defined(__i386__)
    static_assert(std::numeric_limits<long double>::digits == 64);
    if (k > 66 || k < -66)
        return false;
    const long double x = scaledByPowerOfTen(static_cast<long double>(digits), k);
    std::uint64_t mantissa = 0;
    std::memcpy(&mantissa, &x, sizeof mantissa);
    const auto below = static_cast<int>(mantissa & 0x7ff);
    if (below > 1024 - 6 && below < 1024 + 6)
        return false;
    value = static_cast<double>(x);
    return true;
#else
    (void)digits;
    (void)k;
    (void)value;
    return false;
#endif
}

// The double nearest to the rounded digits: when the power of ten is exact,
// one correctly rounded multiplication or division gives it.
double valueOf(const Rounded& r) {
    const int k = r.exponent - 12;
    double value = 0;
    if (k >= 0 && k <= 22) {
        value = static_cast<double>(r.digits) * powersOfTen[k];
    } else if (k < 0 && k >= -22) {
        value = static_cast<double>(r.digits) / powersOfTen[-k];
    } else if (!extendedValueOf(r.digits, k, value)) {
        char buffer[64];
        char* end = std::to_chars(buffer, buffer + 32, r.digits).ptr;
        *end++ = 'e';
        end = std::to_chars(end, buffer + sizeof buffer, k).ptr;
        std::from_chars(buffer, end, value, std::chars_format::scientific);
    }
    return r.negative ? -value : value;
}

// The model's layout: no exponent and no trailing zeros.
QString textOf(const Rounded& r) {
    if (r.digits == 0)
        return QStringLiteral("0");
    char digits[13];
    std::int64_t rest = r.digits;
    for (int k = 12; k >= 0; --k) {
        digits[k] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    int count = 13;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    const int integerDigits = r.exponent + 1;
    const int length = (r.negative ? 1 : 0) + (r.exponent >= 0 ? std::max(integerDigits, count) +
                                                                     (count > integerDigits ? 1 : 0)
                                                               : 2 + (-r.exponent - 1) + count);
    QString text(length, Qt::Uninitialized);
    QChar* out = text.data();
    if (r.negative)
        *out++ = u'-';
    if (r.exponent >= 0) {
        for (int k = 0; k < integerDigits; ++k)
            *out++ = QLatin1Char(k < count ? digits[k] : '0');
        if (count > integerDigits) {
            *out++ = u'.';
            for (int k = integerDigits; k < count; ++k)
                *out++ = QLatin1Char(digits[k]);
        }
    } else {
        *out++ = u'0';
        *out++ = u'.';
        for (int k = 0; k < -r.exponent - 1; ++k)
            *out++ = u'0';
        for (int k = 0; k < count; ++k)
            *out++ = QLatin1Char(digits[k]);
    }
    return text;
}

// Within this range the rounded digits read back directly; outside it (and
// for infinities and NaN) the model's own functions decide.
bool inFastRange(double x) {
    const double a = std::fabs(x);
    return a >= 1e-280 && a <= 1e280;
}

} // namespace

static_assert(sizeof(DecimalText) == 16);

struct DecimalWriter {
    static DecimalText text(double x) {
        DecimalText t;
        if (x == 0)
            return t;
        if (!inFastRange(x)) {
            t.m_other = true;
            t.m_digits = std::bit_cast<std::int64_t>(x);
            return t;
        }
        const Rounded r = rounded(x);
        t.m_negative = r.negative;
        t.m_exponent = static_cast<std::int16_t>(r.exponent);
        t.m_digits = r.digits;
        return t;
    }
    static Rounded digitsOf(const DecimalText& t) {
        return {t.m_negative, t.m_digits, t.m_exponent};
    }
};

QString DecimalText::toString() const {
    return m_other ? model::numberToText(std::bit_cast<double>(m_digits))
                   : textOf(DecimalWriter::digitsOf(*this));
}

double DecimalText::value() const {
    if (m_other)
        return model::textToNumber(toString());
    return valueOf(DecimalWriter::digitsOf(*this));
}

bool DecimalText::operator==(const DecimalText& other) const {
    if (!m_other && !other.m_other)
        return m_digits == other.m_digits && m_exponent == other.m_exponent &&
               m_negative == other.m_negative;
    return toString() == other.toString();
}

DecimalText decimalText(double x) {
    return DecimalWriter::text(x);
}

Decimal decimal(double x) {
    const DecimalText text = decimalText(x);
    return {text, text.value()};
}

double readBack(double x) {
    if (x == 0)
        return 0.0;
    // A whole number of up to 13 digits, as most components' resistances
    // are, is written exactly and reads back as itself.
    if (std::fabs(x) < 1e13 && x == std::trunc(x))
        return x;
    if (!inFastRange(x))
        return model::textToNumber(model::numberToText(x));
    return valueOf(rounded(x));
}

} // namespace ampery::analysis
