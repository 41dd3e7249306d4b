#include "parameter_edit.h"

#include "model/rheostat.h"

#include "panel_texts.h"

#include "model/gbk.h"
#include "model/number_text.h"
#include "model/separators.h"

#include <cmath>

namespace ampery::app {

namespace {

constexpr double tolerance = 1e-7;

// Refused when the entry is exactly "0"; other zero spellings such as "0.0" pass.
QString zeroMessage(ParameterKind kind) {
    switch (kind) {
    case ParameterKind::Voltage:
        return panel_texts::zeroVoltage;
    case ParameterKind::Resistance:
        return panel_texts::zeroResistanceEntry;
    case ParameterKind::RatedVoltage:
        return panel_texts::zeroRatedVoltage;
    case ParameterKind::RatedCurrent:
        return panel_texts::zeroRatedCurrent;
    case ParameterKind::Minimum:
    case ParameterKind::Maximum:
        break;
    }
    return {};
}

ParameterEdit evaluateMinimum(const QString& entry, const model::Component& current) {
    const double minimum = model::textToNumber(entry);
    if (minimum - current.maximum > tolerance)
        return ParameterRefusal{panel_texts::minimumAboveMaximum};
    const QString resistance = model::sliderResistanceText(minimum, current.maximum, current.state);
    const QString shown = model::numberToText(minimum);
    return ParameterAccepted{
        {{model::Field::Resistance, resistance}, FieldValue{model::Field::Minimum, shown}},
        shown,
        resistance};
}

ParameterEdit evaluateMaximum(const QString& entry, const model::Component& current,
                              const QString& panelName) {
    const double maximum = model::textToNumber(entry);
    if (maximum - current.minimum < -tolerance)
        return ParameterRefusal{panel_texts::maximumBelowMinimum};
    if (std::abs(maximum) <= tolerance)
        return ParameterRefusal{panelName + panel_texts::zeroMaximum};
    // A maximum equal to the minimum is taken like a larger one, as the
    // minimum edit takes a minimum equal to the maximum.
    const QString resistance = model::sliderResistanceText(current.minimum, maximum, current.state);
    const QString shown = model::numberToText(maximum);
    return ParameterAccepted{
        {{model::Field::Resistance, resistance}, FieldValue{model::Field::Maximum, shown}},
        shown,
        resistance};
}

} // namespace

QString dialogCaption(ParameterKind kind) {
    switch (kind) {
    case ParameterKind::Voltage:
        return panel_texts::voltageCaption;
    case ParameterKind::Resistance:
        return panel_texts::resistanceCaption;
    case ParameterKind::Minimum:
        return panel_texts::minimumCaption;
    case ParameterKind::Maximum:
        return panel_texts::maximumCaption;
    case ParameterKind::RatedVoltage:
        return panel_texts::ratedVoltageCaption;
    case ParameterKind::RatedCurrent:
        return panel_texts::ratedCurrentCaption;
    }
    return {};
}

model::Field recordField(ParameterKind kind) {
    switch (kind) {
    case ParameterKind::Voltage:
        return model::Field::Voltage;
    case ParameterKind::Resistance:
        return model::Field::Resistance;
    case ParameterKind::Minimum:
        return model::Field::Minimum;
    case ParameterKind::Maximum:
        return model::Field::Maximum;
    case ParameterKind::RatedVoltage:
        return model::Field::RatedVoltage;
    case ParameterKind::RatedCurrent:
        return model::Field::RatedCurrent;
    }
    return model::Field::Resistance;
}

ParameterEdit evaluateParameterEntry(ParameterKind kind, const QString& entry,
                                     const model::Component& current, const QString& panelName) {
    if (entry.isEmpty())
        return std::monostate{};
    // The entry goes into the record text: a separator would break the record
    // and the file is GBK.
    if (model::sep::containsSeparator(entry) || !model::canEncodeGbk(entry))
        return ParameterRefusal{panelName + panel_texts::unusableCharacters};

    switch (kind) {
    case ParameterKind::Minimum:
        return evaluateMinimum(entry, current);
    case ParameterKind::Maximum:
        return evaluateMaximum(entry, current, panelName);
    case ParameterKind::Voltage:
    case ParameterKind::Resistance:
    case ParameterKind::RatedVoltage:
    case ParameterKind::RatedCurrent:
        break;
    }
    if (entry == u"0")
        return ParameterRefusal{panelName + zeroMessage(kind)};
    return ParameterAccepted{{{recordField(kind), entry}, std::nullopt}, entry, std::nullopt};
}

} // namespace ampery::app
