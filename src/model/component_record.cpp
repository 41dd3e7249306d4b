#include "component_record.h"

#include "component_type.h"
#include "number_text.h"
#include "separators.h"

#include <array>

namespace ampery::model {

namespace {

struct FieldInfo {
    const char16_t* key;
    char16_t opening;
    char16_t closing;
};

constexpr std::array<FieldInfo, 9> fields = {{
    {u"元件横位", sep::x, sep::y},
    {u"元件纵位", sep::y, sep::name},
    {u"元件状态", sep::state, sep::voltage},
    {u"元件电压", sep::voltage, sep::resistance},
    {u"元件电阻", sep::resistance, sep::minimum},
    {u"最小电阻", sep::minimum, sep::maximum},
    {u"最大电阻", sep::maximum, sep::ratedVoltage},
    {u"额定电压", sep::ratedVoltage, sep::ratedCurrent},
    {u"额定电流", sep::ratedCurrent, sep::recordEnd},
}};

const FieldInfo& info(Field field) {
    return fields[static_cast<std::size_t>(field)];
}

QStringView between(QStringView record, char16_t opening, char16_t closing) {
    const qsizetype open = record.indexOf(QChar(opening));
    if (open < 0)
        return {};
    const qsizetype start = open + 1;
    const qsizetype close = record.indexOf(QChar(closing));
    if (close < start)
        return {};
    return record.mid(start, close - start);
}

} // namespace

QString fieldKey(Field field) {
    return QString::fromUtf16(info(field).key);
}

FieldSeparators fieldSeparators(Field field) {
    return {info(field).opening, info(field).closing};
}

std::optional<Field> fieldForKey(QStringView key) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (key == QStringView(fields[i].key))
            return static_cast<Field>(i);
    return std::nullopt;
}

QStringView fieldText(QStringView record, Field field) {
    return between(record, info(field).opening, info(field).closing);
}

QStringView numberText(QStringView record) {
    return between(record, sep::recordStart, sep::x);
}
QStringView nameText(QStringView record) {
    return between(record, sep::name, sep::type);
}
QStringView typeText(QStringView record) {
    return between(record, sep::type, sep::state);
}

Component parseComponentRecord(QStringView record) {
    Component c;
    c.number = textToInt(numberText(record));
    c.x = textToInt(fieldText(record, Field::X));
    c.y = textToInt(fieldText(record, Field::Y));
    c.name = nameText(record).toString();
    c.type = textToInt(typeText(record));
    c.state = textToInt(fieldText(record, Field::State));
    c.voltage = textToNumber(fieldText(record, Field::Voltage));
    c.resistance = textToNumber(fieldText(record, Field::Resistance));
    c.minimum = textToNumber(fieldText(record, Field::Minimum));
    c.maximum = textToNumber(fieldText(record, Field::Maximum));
    c.ratedVoltage = textToNumber(fieldText(record, Field::RatedVoltage));
    c.ratedCurrent = textToNumber(fieldText(record, Field::RatedCurrent));
    return c;
}

QString buildComponentRecord(int number, int x, int y, const QString& name, int type) {
    const ComponentDefaults d = defaultsFor(type);
    QString record;
    record += recordKey(number);
    record += QString::number(x) + QChar(sep::y) + QString::number(y);
    record += QChar(sep::name) + name + QChar(sep::type) + QString::number(type);
    record += QChar(sep::state) + d.state + QChar(sep::voltage) + d.voltage;
    record += QChar(sep::resistance) + d.resistance + QChar(sep::minimum) + d.minimum;
    record += QChar(sep::maximum) + d.maximum + QChar(sep::ratedVoltage) + d.ratedVoltage;
    record += QChar(sep::ratedCurrent) + d.ratedCurrent + QChar(sep::recordEnd);
    return record;
}

QString recordKey(int number) {
    return QChar(sep::recordStart) + QString::number(number) + QChar(sep::x);
}

} // namespace ampery::model
