#include "component_record_reader.h"

#include "component_type.h"
#include "number_text.h"
#include "separators.h"

#include <algorithm>

namespace ampery::model {

namespace {

constexpr std::array<char16_t, 13> searched = {
    sep::recordStart,
    sep::x,
    sep::y,
    sep::name,
    sep::type,
    sep::state,
    sep::voltage,
    sep::resistance,
    sep::minimum,
    sep::maximum,
    sep::ratedVoltage,
    sep::ratedCurrent,
    sep::recordEnd,
};

std::size_t indexOfSeparator(char16_t separator) {
    return static_cast<std::size_t>(std::find(searched.begin(), searched.end(), separator) -
                                    searched.begin());
}

bool sameText(QStringView a, QStringView b) {
    return a.data() == b.data() && a.size() == b.size();
}

} // namespace

ComponentRecordReader::ComponentRecordReader(QStringView text) : m_text(text) {
    static_assert(searched.size() == separatorCount);
    m_found.fill(-2);
}

qsizetype ComponentRecordReader::firstInRecord(char16_t separator) {
    qsizetype& found = m_found[indexOfSeparator(separator)];
    // Record starts only move forward, so a position found from an earlier
    // start is still the first one while it lies at or after this start.
    if (found == -2 || (found >= 0 && found < m_start))
        found = m_text.indexOf(QChar(separator), m_start);
    return found;
}

QStringView ComponentRecordReader::between(char16_t opening, char16_t closing) {
    const qsizetype open = firstInRecord(opening);
    if (open < 0 || open > m_end)
        return {};
    const qsizetype close = firstInRecord(closing);
    if (close < 0 || close > m_end || close < open + 1)
        return {};
    return m_text.mid(open + 1, close - open - 1);
}

template <typename T, typename Read>
const T& ComponentRecordReader::readOnce(Remembered<T>& remembered, QStringView text, Read read) {
    if (!remembered.known || !sameText(remembered.text, text))
        remembered = {text, read(text), true};
    return remembered.value;
}

double ComponentRecordReader::numberOf(Remembered<double>& remembered, QStringView text) {
    return readOnce(remembered, text, textToNumber);
}

bool ComponentRecordReader::next() {
    const qsizetype start = m_text.indexOf(QChar(sep::recordStart), m_start + 1);
    if (start < 0)
        return false;
    m_start = start;
    m_end = firstInRecord(sep::recordEnd);
    if (m_end < 0) {
        // No later "№" has a "‖" after it either.
        m_start = m_text.size();
        return false;
    }

    Component& c = m_component;
    m_numberText = between(sep::recordStart, sep::x);
    c.number = toInt(numberOf(m_number, m_numberText));
    const QStringView name = between(sep::name, sep::type);
    c.name = readOnce(m_name, name, [](QStringView text) { return text.toString(); });
    c.type = toInt(numberOf(m_type, between(sep::type, sep::state)));

    const auto field = [this](Field f) {
        const FieldSeparators s = fieldSeparators(f);
        return numberOf(m_fields[static_cast<std::size_t>(f)], between(s.opening, s.closing));
    };
    c.x = toInt(field(Field::X));
    c.y = toInt(field(Field::Y));
    c.state = toInt(field(Field::State));
    c.voltage = field(Field::Voltage);
    c.resistance = field(Field::Resistance);
    c.minimum = field(Field::Minimum);
    c.maximum = field(Field::Maximum);
    c.ratedVoltage = field(Field::RatedVoltage);
    c.ratedCurrent = field(Field::RatedCurrent);

    if (!m_running.known || !sameText(m_running.text, name) || m_runningType != c.type) {
        m_running = {name, model::runningNumber(name, c.type), true};
        m_runningType = c.type;
    }
    m_runningNumber = m_running.value;
    return true;
}

} // namespace ampery::model
