#pragma once

#include "separators.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace ampery::model {

// The writable fields of a component record, in record order.
enum class Field {
    X,            // 元件横位
    Y,            // 元件纵位
    State,        // 元件状态
    Voltage,      // 元件电压
    Resistance,   // 元件电阻
    Minimum,      // 最小电阻
    Maximum,      // 最大电阻
    RatedVoltage, // 额定电压
    RatedCurrent, // 额定电流
};

QString fieldKey(Field field);

// The separators a field's text lies between in its record: from after the
// record's first opening separator to before its first closing one.
struct FieldSeparators {
    char16_t opening;
    char16_t closing;
};
constexpr FieldSeparators fieldSeparators(Field field) {
    switch (field) {
    case Field::X:
        return {sep::x, sep::y};
    case Field::Y:
        return {sep::y, sep::name};
    case Field::State:
        return {sep::state, sep::voltage};
    case Field::Voltage:
        return {sep::voltage, sep::resistance};
    case Field::Resistance:
        return {sep::resistance, sep::minimum};
    case Field::Minimum:
        return {sep::minimum, sep::maximum};
    case Field::Maximum:
        return {sep::maximum, sep::ratedVoltage};
    case Field::RatedVoltage:
        return {sep::ratedVoltage, sep::ratedCurrent};
    case Field::RatedCurrent:
        return {sep::ratedCurrent, sep::recordEnd};
    }
    return {};
}

std::optional<Field> fieldForKey(QStringView key);

// One component record read by the record grammar. Numbers follow the
// text-to-number rule; integers are truncated.
struct Component {
    int number = 0;
    int x = 0;
    int y = 0;
    QString name;
    int type = 0;
    int state = 0;
    double voltage = 0;
    double resistance = 0;
    double minimum = 0;
    double maximum = 0;
    double ratedVoltage = 0;
    double ratedCurrent = 0;
};

// The text between a field's opening separator and the next separator of the
// record, or empty text when either is missing.
QStringView fieldText(QStringView record, Field field);
QStringView numberText(QStringView record);
QStringView nameText(QStringView record);
QStringView typeText(QStringView record);

Component parseComponentRecord(QStringView record);

// "№" number "□" x ... "★" rated current "‖" with the defaults of the type.
QString buildComponentRecord(int number, int x, int y, const QString& name, int type);

// The key that finds a component record: "№" + number + "□".
QString recordKey(int number);

} // namespace ampery::model
