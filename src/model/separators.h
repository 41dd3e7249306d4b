#pragma once

#include <QStringView>

// The separator characters of the experiment text. Every one is a single
// two-byte GBK character except the bar, which is one byte.
namespace ampery::model::sep {

inline constexpr char16_t recordStart = u'№';  // A1 ED, then the component number
inline constexpr char16_t x = u'□';            // A1 F5
inline constexpr char16_t y = u'■';            // A1 F6
inline constexpr char16_t name = u'◇';         // A1 F3
inline constexpr char16_t type = u'◆';         // A1 F4
inline constexpr char16_t state = u'△';        // A1 F7
inline constexpr char16_t voltage = u'▲';      // A1 F8
inline constexpr char16_t resistance = u'◎';   // A1 F2
inline constexpr char16_t minimum = u'○';      // A1 F0
inline constexpr char16_t maximum = u'●';      // A1 F1
inline constexpr char16_t ratedVoltage = u'☆'; // A1 EE
inline constexpr char16_t ratedCurrent = u'★'; // A1 EF
inline constexpr char16_t recordEnd = u'‖';    // A1 AC, ends every record
inline constexpr char16_t wireStart = u'⊙';    // A1 D1
inline constexpr char16_t bar = u'|';          // 7C, between terminals and between x and y
inline constexpr char16_t track = u'¤';        // A1 E8, before a wire's track
inline constexpr char16_t point = u'┇';        // A9 AB, between track points
inline constexpr char16_t positive = u'∧';     // A1 C4
inline constexpr char16_t negative = u'∨';     // A1 C5

// Every separator, for refusing values that would break a record.
inline constexpr char16_t all[] = {
    recordStart, x,       y,       name,         type,         state,     voltage,
    resistance,  minimum, maximum, ratedVoltage, ratedCurrent, recordEnd, wireStart,
    bar,         track,   point,   positive,     negative};

bool containsSeparator(QStringView text);

} // namespace ampery::model::sep
