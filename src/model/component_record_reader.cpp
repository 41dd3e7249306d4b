#include "component_record_reader.h"

#include "char_search.h"
#include "component_type.h"
#include "number_text.h"
#include "separators.h"

#include <algorithm>
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
constexpr unsigned allSlots = (1u << searched.size()) - 1;

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

// searchInOrder() reads the text before each separator as the field that
// ends there.
static_assert(std::all_of(fieldSlots.begin(), fieldSlots.end(),
                          [](FieldSlots f) { return f.opening + 1 == f.closing; }));
static_assert(slotFor(sep::type) + 1 == slotFor(sep::state));

// The characters that break the layout searchInOrder() expects: the
// separators and, as it starts a record nested in this one, "№".
constexpr std::array<char16_t, 13> breaking = [] {
    std::array<char16_t, 13> all{};
    std::copy(searched.begin(), searched.end(), all.begin());
    all.back() = sep::recordStart;
    return all;
}();
constexpr char16_t lowest = *std::min_element(breaking.begin(), breaking.end());
constexpr char16_t highest = *std::max_element(breaking.begin(), breaking.end());

// Whether each character from the lowest breaking one to the highest is one.
// Digits and Chinese lie outside that range and read the false after it.
constexpr auto breakingTable = [] {
    std::array<bool, highest - lowest + 2> table{};
    for (const char16_t c : breaking)
        table[c - lowest] = true;
    return table;
}();

bool breaksLayout(char16_t c) {
    const std::size_t offset = static_cast<std::size_t>(c) - lowest;
    return breakingTable[std::min(offset, breakingTable.size() - 1)];
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
    m_digits.fill(-1);
}

qsizetype ComponentRecordReader::nextStart() const {
    return firstOf(m_text, sep::recordStart, std::max(m_start + 1, m_noStartBefore));
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
    m_hits &= ~wanted;
    m_digits.fill(-1);
    // A record starting past every separator found so far is most often
    // laid out as the program writes it.
    if (wanted == allSlots) {
        if (searchInOrder())
            return;
        wanted &= ~m_hits;
    }
    constexpr unsigned endBit = 1u << endSlot;
    if (wanted & endBit) {
        const qsizetype end = firstOf(m_text, sep::recordEnd, m_start);
        if (end < 0) {
            // No record here or after.
            m_at[endSlot] = m_text.size();
            return;
        }
        m_at[endSlot] = end;
        m_hits |= endBit;
        wanted &= ~endBit;
    }
    // Each of the rest is searched for up to the record's end.
    const QStringView record = m_text.first(m_at[endSlot]);
    for (std::size_t k = 0; k < slotCount; ++k) {
        if ((wanted & (1u << k)) == 0)
            continue;
        const qsizetype at = firstOf(record, searched[k], m_start);
        m_at[k] = at < 0 ? record.size() : at;
        if (at >= 0)
            m_hits |= 1u << k;
    }
}

bool ComponentRecordReader::searchInOrder() {
    // While the separators come in slot order and none of them out of it,
    // each is the first of its kind in the record, where the general search
    // would find it; it keeps those found when the order breaks.
    const char16_t* const text = m_text.utf16();
    // A longer record is left to the general search, which finds its end
    // faster.
    const qsizetype limit = std::min(m_text.size(), m_start + 128);
    qsizetype i = m_start + 1;
    for (std::size_t k = 0; k < slotCount; ++k, ++i) {
        const qsizetype fieldStart = i;
        unsigned value = 0;
        bool digitsOnly = true;
        for (;; ++i) {
            if (i == limit) {
                if (limit < m_text.size())
                    return false;
                // No "‖" after this start: no record here or after.
                m_at[endSlot] = m_text.size();
                return true;
            }
            const char16_t c = text[i];
            if (c == searched[k])
                break;
            if (const unsigned digit = static_cast<unsigned>(c) - u'0'; digit < 10) {
                value = value * 10 + digit;
                continue;
            }
            if (breaksLayout(c))
                return false;
            digitsOnly = false;
        }
        m_at[k] = i;
        m_hits |= 1u << k;
        // The number text begins at this record's "№"; a record nested in it
        // has the same separators but a number text of its own.
        if (k > 0 && digitsOnly && i - fieldStart <= 9)
            m_digits[k] = static_cast<int>(value);
    }
    m_noStartBefore = i;
    return true;
}

inline QStringView ComponentRecordReader::between(std::size_t opening, std::size_t closing) const {
    // Every separator found for this record lies in it, after its "№".
    const qsizetype open = m_at[opening];
    const qsizetype close = m_at[closing];
    if (!hit(opening) || !hit(closing) || close <= open)
        return {};
    return m_text.sliced(open + 1, close - open - 1);
}

template <typename T, typename Read>
inline T ComponentRecordReader::readField(std::size_t opening, std::size_t closing,
                                          Remembered<T>& remembered, Read read) {
    if (m_digits[closing] >= 0)
        return static_cast<T>(m_digits[closing]);
    const QStringView text = between(opening, closing);
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
    const std::size_t f = static_cast<std::size_t>(field);
    return readField(fieldSlots[f].opening, fieldSlots[f].closing, m_wholeFields[f], textToInt);
}

inline double ComponentRecordReader::number(Field field) {
    const std::size_t f = static_cast<std::size_t>(field);
    return readField(fieldSlots[f].opening, fieldSlots[f].closing, m_fields[f], textToNumber);
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
    const std::optional<int> digits = digitsAlone(m_numberText);
    c.number = digits ? *digits : textToInt(m_numberText);
    // The name is kept while nested records share its text.
    const QStringView name = between(slotFor(sep::name), slotFor(sep::type));
    if (m_nameTaken || !sameText(name, m_nameText))
        c.name = m_names.copy(name);
    m_nameText = name;
    m_nameTaken = false;
    c.type = readField(slotFor(sep::type), slotFor(sep::state), m_type, textToInt);
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

int ComponentRecordReader::runningNumber() {
    const int type = m_component.type;
    if (!m_running.known || !sameText(m_running.text, m_nameText) || m_runningType != type) {
        m_running = {m_nameText, model::runningNumber(m_nameText, type), true};
        m_runningType = type;
    }
    return m_running.value;
}

} // namespace ampery::model
