#pragma once

#include <QString>

#include <optional>

namespace ampery::model {
struct Component;
}

namespace ampery::analysis {

class Display;

// How a meter shows a value: its status piece and its needle picture.
enum class MeterOutcome { Reading, OverRange, Reversed, OneEndOpen };

// Reading, over range or reversed for a value and range; none when the
// value fits no rule (NaN).
std::optional<MeterOutcome> outcomeOf(double value, double range);

// The needle table for a reading; none when no row holds.
std::optional<int> needlePicture(bool voltmeter, double value, double range);

// The meter's status piece, beginning with three spaces.
QString meterPiece(const model::Component& meter, MeterOutcome outcome, double value);

// Appends the meter's status piece and notes its reading.
void appendMeterPiece(Display& display, const model::Component& meter, MeterOutcome outcome,
                      double value);

// The picture of an outcome; none for a reading outside the needle table.
std::optional<int> meterPicture(const model::Component& meter, MeterOutcome outcome, double value);

// Appends the piece and shows the picture (the closed-circuit readings).
void showMeter(Display& display, const model::Component& meter, MeterOutcome outcome, double value);

// The range of a meter: a voltmeter's rated voltage, an ammeter's rated current.
double rangeOf(const model::Component& meter);

} // namespace ampery::analysis
