#include "meter_display.h"

#include "decimal_text.h"
#include "display.h"
#include "status_texts.h"
#include "tolerance.h"

#include "model/component_record.h"
#include "model/component_type.h"
#include "model/picture_choice.h"

#include <cmath>

namespace ampery::analysis {

namespace picture = model::picture;

std::optional<MeterOutcome> outcomeOf(double v, double r) {
    if (v >= -epsilon && v - r <= epsilon)
        return MeterOutcome::Reading;
    if (v >= -epsilon && v - r > epsilon)
        return MeterOutcome::OverRange;
    if (v < -epsilon)
        return MeterOutcome::Reversed;
    return std::nullopt;
}

std::optional<int> needlePicture(bool voltmeter, double v, double r) {
    const int first = voltmeter ? picture::voltmeterFirst : picture::ammeterFirst;
    if (std::abs(v) <= epsilon)
        return first;
    if (v > epsilon && v - r / 2 <= epsilon)
        return first + 1;
    if (v - r / 2 > epsilon && v - r < -epsilon)
        return first + 2;
    if (std::abs(v - r) <= epsilon)
        return first + 3;
    return std::nullopt;
}

double rangeOf(const model::Component& meter) {
    return meter.type == model::Voltmeter ? meter.ratedVoltage : meter.ratedCurrent;
}

QString meterPiece(const model::Component& meter, MeterOutcome outcome, double value) {
    const bool voltmeter = meter.type == model::Voltmeter;
    const QString& name = meter.name;
    QString piece = texts::pieceLead() + name;
    switch (outcome) {
    case MeterOutcome::Reading:
        piece += texts::measured() + decimalText(value).toString() +
                 (voltmeter ? texts::volts() : texts::amperes());
        break;
    case MeterOutcome::OverRange:
        piece += (voltmeter ? texts::voltageBeyond() : texts::currentBeyond()) + name +
                 texts::rangeEnd();
        break;
    case MeterOutcome::Reversed:
        piece += voltmeter ? texts::voltmeterReversed()
                           : texts::currentAgainst() + name + texts::ammeterReversedEnd();
        break;
    case MeterOutcome::OneEndOpen:
        piece += texts::oneEndOpen();
        break;
    }
    return piece;
}

namespace {

QString readingText(const model::Component& meter, MeterOutcome outcome, double value) {
    switch (outcome) {
    case MeterOutcome::Reading: {
        // The status line's number, or four figures of it when it runs long
        // (a third of an ampere), so that the diagram's label stays short.
        QString number = decimalText(value).toString();
        if (number.size() > 7)
            number = QStringLiteral("≈") + QString::number(value, 'g', 4);
        return number +
               (meter.type == model::Voltmeter ? QStringLiteral("V") : QStringLiteral("A"));
    }
    case MeterOutcome::OverRange:
        return texts::readingOverRange();
    case MeterOutcome::Reversed:
        return texts::readingReversed();
    case MeterOutcome::OneEndOpen:
        break;
    }
    return {};
}

} // namespace

void appendMeterPiece(Display& display, const model::Component& meter, MeterOutcome outcome,
                      double value) {
    display.appendStatus(meterPiece(meter, outcome, value));
    if (const QString text = readingText(meter, outcome, value); !text.isEmpty())
        display.noteReading(meter.name, text);
}

std::optional<int> meterPicture(const model::Component& meter, MeterOutcome outcome, double value) {
    const bool voltmeter = meter.type == model::Voltmeter;
    const int first = voltmeter ? picture::voltmeterFirst : picture::ammeterFirst;
    switch (outcome) {
    case MeterOutcome::Reading:
        return needlePicture(voltmeter, value, rangeOf(meter));
    case MeterOutcome::OverRange:
        return first + 3;
    case MeterOutcome::Reversed:
    case MeterOutcome::OneEndOpen:
        return first;
    }
    return std::nullopt;
}

void showMeter(Display& display, const model::Component& meter, MeterOutcome outcome,
               double value) {
    appendMeterPiece(display, meter, outcome, value);
    if (const std::optional<int> p = meterPicture(meter, outcome, value))
        display.showPicture(meter, *p);
}

} // namespace ampery::analysis
