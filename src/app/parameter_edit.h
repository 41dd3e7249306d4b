#pragma once

#include "model/component_record.h"

#include <QString>

#include <optional>
#include <variant>

namespace ampery::app {

// The six value boxes of the settings panel, each editing one record field.
enum class ParameterKind {
    Voltage,      // 电压编辑框
    Resistance,   // 电阻值编辑框
    Minimum,      // 最小值编辑框
    Maximum,      // 最大值编辑框
    RatedVoltage, // 额压编辑框
    RatedCurrent, // 额流编辑框
};

inline constexpr ParameterKind allParameterKinds[] = {
    ParameterKind::Voltage, ParameterKind::Resistance,   ParameterKind::Minimum,
    ParameterKind::Maximum, ParameterKind::RatedVoltage, ParameterKind::RatedCurrent,
};

// The parameter dialog's caption for a value box: 修改电源电压, ...
QString dialogCaption(ParameterKind kind);
// The record field a value box shows and edits.
model::Field recordField(ParameterKind kind);

struct FieldValue {
    model::Field field;
    QString value;
    friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

// One call of the field writer: one field, or two written together.
struct ParameterWrite {
    FieldValue first;
    std::optional<FieldValue> second;
    friend bool operator==(const ParameterWrite&, const ParameterWrite&) = default;
};

struct ParameterRefusal {
    QString message;
};

struct ParameterAccepted {
    ParameterWrite write;
    QString shown; // the edited box's new text
    // A rheostat bound also moves the resistance the slider stands on.
    std::optional<QString> shownResistance;
};

// An empty entry changes nothing and keeps the dialog open.
using ParameterEdit = std::variant<std::monostate, ParameterRefusal, ParameterAccepted>;

// Checks an entry of the parameter dialog against the current component's
// record. panelName prefixes the messages that name the component.
ParameterEdit evaluateParameterEntry(ParameterKind kind, const QString& entry,
                                     const model::Component& current, const QString& panelName);

} // namespace ampery::app
