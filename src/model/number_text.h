#pragma once

#include <QString>
#include <QStringView>

namespace ampery::model {

// The number of the longest leading decimal number in the text (optional
// sign, digits, optional point and digits), or 0 when the text does not begin
// with one. Never uses an exponent: "1e5" reads as 1.
double textToNumber(QStringView text);

// Plain decimal text with at most 13 significant digits, no exponent and no
// trailing zeros; -0 gives "0", infinities "∞" and "-∞", NaN "NaN".
QString numberToText(double value);

// Truncates toward zero and saturates at the int range; NaN gives 0.
int toInt(double value);

// textToNumber followed by toInt.
int textToInt(QStringView text);

// Rounds half away from zero and saturates like toInt.
int roundHalfAway(double value);

} // namespace ampery::model
