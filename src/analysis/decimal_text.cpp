#include "decimal_text.h"

#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace ampery::analysis {

namespace {

// Within this range the digits of "%.12e" parse back directly; outside it
// (and for infinities and NaN) the model's own functions decide.
bool inFastRange(double x) {
    const double a = std::fabs(x);
    return a == 0 || (a >= 1e-280 && a <= 1e280);
}

// x rounded to 13 significant digits: "d.dddddddddddde±x", as printf's %.12e.
struct Scientific {
    char buffer[40];
    char* end;
};
Scientific scientific(double x) {
    Scientific s;
    s.end = std::to_chars(s.buffer, s.buffer + sizeof s.buffer, x, std::chars_format::scientific,
                          12)
                .ptr;
    return s;
}

// The double nearest to the 13 digits: when the power of ten is exact, one
// correctly rounded multiplication or division gives it (D < 2^53 and
// 10^k < 2^53 · 2^22 are exact); otherwise the library's parser.
double parse(const Scientific& s) {
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* p = s.buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::int64_t digits = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits = digits * 10 + (*p - '0');
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), s.end, exponent);
    const int k = exponent - 12;
    double value = 0;
    if (k >= 0 && k <= 22)
        value = static_cast<double>(digits) * powers[k];
    else if (k < 0 && k >= -22)
        value = static_cast<double>(digits) / powers[-k];
    else
        std::from_chars(s.buffer, s.end, value, std::chars_format::scientific);
    if (value == 0)
        return 0.0; // "0" reads back as +0
    return negative && value > 0 ? -value : value;
}

// The model's layout: no exponent and no trailing zeros.
QString layout(const Scientific& s) {
    const char* p = s.buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    const char* e = static_cast<const char*>(std::memchr(p, 'e', static_cast<std::size_t>(s.end - p)));
    char digits[16];
    int count = 0;
    for (const char* q = p; q < e; ++q)
        if (*q != '.')
            digits[count++] = *q;
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), s.end, exponent);
    while (count > 1 && digits[count - 1] == '0')
        --count;

    char out[400];
    int n = 0;
    if (negative)
        out[n++] = '-';
    if (exponent >= 0) {
        const int integerDigits = exponent + 1;
        for (int k = 0; k < integerDigits; ++k)
            out[n++] = k < count ? digits[k] : '0';
        if (count > integerDigits) {
            out[n++] = '.';
            for (int k = integerDigits; k < count; ++k)
                out[n++] = digits[k];
        }
    } else {
        out[n++] = '0';
        out[n++] = '.';
        for (int k = 0; k < -exponent - 1; ++k)
            out[n++] = '0';
        for (int k = 0; k < count; ++k)
            out[n++] = digits[k];
    }
    return QString::fromLatin1(out, n);
}

} // namespace

Decimal decimal(double x) {
    if (!inFastRange(x)) {
        QString text = model::numberToText(x);
        const double value = model::textToNumber(text);
        return {std::move(text), value};
    }
    if (x == 0)
        return {QStringLiteral("0"), 0.0};
    const Scientific s = scientific(x);
    return {layout(s), parse(s)};
}

double readBack(double x) {
    if (!inFastRange(x))
        return model::textToNumber(model::numberToText(x));
    if (x == 0)
        return 0.0;
    return parse(scientific(x));
}

} // namespace ampery::analysis
