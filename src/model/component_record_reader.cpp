#include "component_record_reader.h"

#include "component_type.h"
#include "number_text.h"
#include "separators.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>

namespace ampery::model {

namespace {

constexpr std::array<char16_t, 12> searched = {
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

constexpr std::size_t slotFor(char16_t separator) {
    return static_cast<std::size_t>(std::find(searched.begin(), searched.end(), separator) -
                                    searched.begin());
}
constexpr std::size_t endSlot = slotFor(sep::recordEnd);

struct FieldSlots {
    std::size_t opening;
    std::size_t closing;
};
constexpr std::array<FieldSlots, 9> fieldSlots = [] {
    std::array<FieldSlots, 9> table{};
    for (std::size_t f = 0; f < table.size(); ++f) {
        const FieldSeparators s = fieldSeparators(static_cast<Field>(f));
        table[f] = {slotFor(s.opening), slotFor(s.closing)};
    }
    return table;
}();

constexpr char16_t lowest = *std::min_element(searched.begin(), searched.end());
constexpr char16_t highest = *std::max_element(searched.begin(), searched.end());

// The bit of every character from the lowest separator to the highest, in
// slot order, 0 for those that are none. Digits and Chinese lie outside that
// range and read the 0 after it.
constexpr auto bitTable = [] {
    std::array<std::uint16_t, highest - lowest + 2> table{};
    for (std::size_t k = 0; k < searched.size(); ++k)
        table[searched[k] - lowest] = static_cast<std::uint16_t>(1u << k);
    return table;
}();

unsigned bitOf(char16_t c) {
    const std::size_t offset = static_cast<std::size_t>(c) - lowest;
    return bitTable[std::min(offset, bitTable.size() - 1)];
}

// The texts of whole numbers as the program writes them, read without the
// general rule: up to nine digits and nothing else, or no text, which reads
// as 0.
std::optional<int> digitsAlone(QStringView text) {
    if (text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool sameText(QStringView a, QStringView b) {
    return a.data() == b.data() && a.size() == b.size();
}

} // namespace

ComponentRecordReader::ComponentRecordReader(QStringView text) : m_text(text) {
    static_assert(searched.size() == slotCount);
    m_at.fill(-1);
}

qsizetype ComponentRecordReader::nextStart() const {
    return m_text.indexOf(QChar(sep::recordStart), m_start + 1);
}

void ComponentRecordReader::searchSeparators() {
    // Record starts only move forward, so a separator found from an earlier
    // start is still the first one while it lies at or after this start, and
    // one missing up to a "‖" at or after this start is missing from this
    // record, which ends there.
    unsigned wanted = 0;
    for (std::size_t k = 0; k < slotCount; ++k)
        if (m_at[k] < m_start)
            wanted |= 1u << k;
    if (wanted == 0)
        return;
    unsigned hits = m_hits & ~wanted;
    constexpr unsigned endBit = 1u << endSlot;
    // A "‖" found before ends this record and the search.
    const qsizetype limit = wanted & endBit ? m_text.size() : m_at[endSlot];
    const char16_t* const text = m_text.utf16();
    qsizetype i = m_start;
    for (; i < limit; ++i) {
        const unsigned hit = bitOf(text[i]) & wanted;
        if (hit == 0)
            continue;
        m_at[static_cast<std::size_t>(std::countr_zero(hit))] = i;
        hits |= hit;
        wanted &= ~hit;
        if (wanted == 0 || hit == endBit)
            break;
    }
    m_hits = hits;
    for (std::size_t k = 0; k < slotCount; ++k)
        if (wanted & (1u << k))
            m_at[k] = i;
}

inline QStringView ComponentRecordReader::between(std::size_t opening, std::size_t closing) const {
    // Every separator found for this record lies in it, after its "№".
    const qsizetype open = m_at[opening];
    const qsizetype close = m_at[closing];
    if (!hit(opening) || !hit(closing) || close <= open)
        return {};
    return m_text.sliced(open + 1, close - open - 1);
}

inline QStringView ComponentRecordReader::fieldText(Field field) const {
    const FieldSlots& at = fieldSlots[static_cast<std::size_t>(field)];
    return between(at.opening, at.closing);
}

template <typename T, typename Read>
inline T ComponentRecordReader::readOnce(Remembered<T>& remembered, QStringView text, Read read) {
    // Reading a short text again costs less than remembering it.
    if (text.size() <= shortText) {
        if (const std::optional<int> digits = digitsAlone(text))
            return static_cast<T>(*digits);
        return read(text);
    }
    if (!remembered.known || !sameText(remembered.text, text))
        remembered = {text, read(text), true};
    return remembered.value;
}

inline int ComponentRecordReader::wholeNumber(Field field) {
    return readOnce(m_wholeFields[static_cast<std::size_t>(field)], fieldText(field), textToInt);
}

inline double ComponentRecordReader::number(Field field) {
    return readOnce(m_fields[static_cast<std::size_t>(field)], fieldText(field), textToNumber);
}

bool ComponentRecordReader::next() {
    const qsizetype start = nextStart();
    if (start < 0)
        return false;
    m_start = start;
    searchSeparators();
    if (!hit(endSlot)) {
        // No later "№" has a "‖" after it either.
        m_start = m_text.size();
        return false;
    }
    m_end = m_at[endSlot];

    Component& c = m_component;
    constexpr std::size_t xSlot = slotFor(sep::x);
    m_numberText =
        hit(xSlot) ? m_text.sliced(m_start + 1, m_at[xSlot] - m_start - 1) : QStringView();
    // Its digits end at the next "№", so nested records never share them.
    c.number = textToInt(m_numberText);
    // The name is kept while nested records share its text.
    const QStringView name = between(slotFor(sep::name), slotFor(sep::type));
    if (m_nameTaken || !sameText(name, m_nameText))
        c.name = name.toString();
    m_nameText = name;
    m_nameTaken = false;
    c.type = readOnce(m_type, between(slotFor(sep::type), slotFor(sep::state)), textToInt);
    c.x = wholeNumber(Field::X);
    c.y = wholeNumber(Field::Y);
    c.state = wholeNumber(Field::State);
    c.voltage = number(Field::Voltage);
    c.resistance = number(Field::Resistance);
    c.minimum = number(Field::Minimum);
    c.maximum = number(Field::Maximum);
    c.ratedVoltage = number(Field::RatedVoltage);
    c.ratedCurrent = number(Field::RatedCurrent);
    return true;
}

Component ComponentRecordReader::takeComponent() {
    // A long name stays shared with the nested records that share its text;
    // a short one is read again if the next record shares it.
    if (m_nameText.size() > shortText)
        return m_component;
    m_nameTaken = true;
    return std::move(m_component);
}

int ComponentRecordReader::runningNumber() {
    const int type = m_component.type;
    if (!m_running.known || !sameText(m_running.text, m_nameText) || m_runningType != type) {
        m_running = {m_nameText, model::runningNumber(m_nameText, type), true};
        m_runningType = type;
    }
    return m_running.value;
}

} // namespace ampery::model
