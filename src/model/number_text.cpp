#include "number_text.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

namespace ampery::model {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

double textToNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    const qsizetype integerEnd = i;
    bool anyDigit = i > digitsStart;
    if (i < n && text[i] == u'.') {
        const qsizetype fractionStart = i + 1;
        qsizetype j = fractionStart;
        while (j < n && isDigit(text[j]))
            ++j;
        if (j > fractionStart) {
            anyDigit = true;
            i = j;
        } else if (anyDigit) {
            i = j; // "5." reads as 5
        }
    }
    if (!anyDigit)
        return 0.0;

    // Numbers of up to 15 digits, such as the coordinates of a track or a
    // lamp's rated current, need no general conversion: their digits are
    // exact in a double, and so is the power of ten of their fraction, so
    // one division gives the nearest double, as the general conversion does.
    const qsizetype fractionDigits = i > integerEnd ? i - integerEnd - 1 : 0;
    if (i - digitsStart - (i > integerEnd ? 1 : 0) <= 15) {
        std::int64_t digits = 0;
        for (qsizetype k = digitsStart; k < i; ++k)
            if (k != integerEnd)
                digits = digits * 10 + (text[k].unicode() - u'0');
        constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double value =
            static_cast<double>(digits) / powersOfTen[static_cast<std::size_t>(fractionDigits)];
        return text[0] == u'-' ? -value : value;
    }

    // The number is ASCII from here on; a short one (any field's value as
    // the program writes it) is converted without a string of its own.
    const QStringView number = text.first(i).sliced(text[0] == u'+' ? 1 : 0);
    QVarLengthArray<char, 64> ascii(number.size());
    std::transform(number.utf16(), number.utf16() + number.size(), ascii.data(),
                   [](char16_t c) { return static_cast<char>(c); });
    const std::string_view digits(ascii.data(), static_cast<std::size_t>(ascii.size()));
    double value = 0.0;
    const std::from_chars_result parsed = std::from_chars(
        digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too many integer digits overflow; a long run of fraction zeros
        // before the first significant digit underflows.
        const auto point = digits.find('.');
        const auto firstSignificant = digits.find_first_of("123456789");
        if (firstSignificant > point)
            return 0.0;
        const double infinity = std::numeric_limits<double>::infinity();
        return digits.front() == '-' ? -infinity : infinity;
    }
    return value;
}

QString numberToText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("∞") : QStringLiteral("-∞");
    if (value == 0.0)
        return QStringLiteral("0");

    // Round to 13 significant digits, then lay the digits out without exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12e", value);
    const std::string scientific(buffer);
    const bool negative = scientific.front() == '-';
    const auto ePos = scientific.find('e');
    std::string digits;
    for (std::size_t k = negative ? 1 : 0; k < ePos; ++k)
        if (scientific[k] != '.')
            digits += scientific[k];
    const int exponent = std::stoi(scientific.substr(ePos + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent >= 0) {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out = digits + std::string(integerDigits - digits.size(), '0');
        } else {
            out = digits.substr(0, integerDigits) + '.' + digits.substr(integerDigits);
        }
    } else {
        out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    if (negative)
        out.insert(out.begin(), '-');
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

int toInt(double value) {
    if (std::isnan(value))
        return 0;
    const double truncated = std::trunc(value);
    if (truncated >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (truncated <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(truncated);
}

int textToInt(QStringView text) {
    // Up to nine digits with no point after them are the int itself; more
    // digits may saturate and a fraction may round up to the next whole
    // number.
    const qsizetype n = text.size();
    qsizetype i = n > 0 && (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
    const qsizetype digitsStart = i;
    int value = 0;
    for (; i < n && i - digitsStart < 9 && isDigit(text[i]); ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    if (i < n && (text[i] == u'.' || isDigit(text[i])))
        return toInt(textToNumber(text));
    return digitsStart > 0 && text[0] == u'-' ? -value : value;
}

int roundHalfAway(double value) {
    return toInt(std::round(value));
}

} // namespace ampery::model
