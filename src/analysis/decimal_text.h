#pragma once

#include <QString>

namespace ampery::analysis {

// The program's number-to-text of a double (model::numberToText) and the
// number that text-to-number reads back from it (model::textToNumber), as
// result records and series definitions are written and read. Same
// results as the model's pair, without its allocations and text parsing:
// these run for every record and every series step of every analysis.
struct Decimal {
    QString text;
    double value = 0;
};
Decimal decimal(double x);

// textToNumber(numberToText(x)) alone.
double readBack(double x);

} // namespace ampery::analysis
