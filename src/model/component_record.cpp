#include "component_record.h"

#include "component_type.h"
#include "number_text.h"
#include "separators.h"

#include <array>

namespace ampery::model {

namespace {

constexpr std::array<const char16_t*, 9> keys = {
    u"元件横位", u"元件纵位", u"元件状态", u"元件电压", u"元件电阻",
    u"最小电阻", u"最大电阻", u"额定电压", u"额定电流",
};

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
    return QString::fromUtf16(keys[static_cast<std::size_t>(field)]);
}

std::optional<Field> fieldForKey(QStringView key) {
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (key == QStringView(keys[i]))
            return static_cast<Field>(i);
    return std::nullopt;
}

QStringView fieldText(QStringView record, Field field) {
    const FieldSeparators s = fieldSeparators(field);
    return between(record, s.opening, s.closing);
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
