#include "name_index.h"

#include <cstring>

namespace ampery::analysis {

void NameIndex::reserve(std::size_t names) {
    std::size_t slotCount = 16;
    while (slotCount < 2 * names)
        slotCount *= 2;
    if (slotCount > m_slots.size())
        grow(slotCount);
}

void NameIndex::grow(std::size_t slotCount) {
    std::vector<Slot> old(slotCount);
    old.swap(m_slots);
    for (const Slot& s : old)
        if (s.value >= 0)
            m_slots[slotOf(s.name())] = s;
}

namespace {

bool sameName(const QChar* text, std::int32_t size, QStringView name) {
    if (size != name.size())
        return false;
    // Names are mostly a few characters, compared as the words they are
    // hashed by; longer ones by the library. An empty view may have no text
    // at all.
    if (size <= ShortName::longest)
        return ShortName({text, size}) == ShortName(name);
    return std::memcmp(text, name.data(), static_cast<std::size_t>(size) * sizeof(QChar)) == 0;
}

} // namespace

// The slot that holds the name, or the empty one where it would go.
std::size_t NameIndex::slotOf(QStringView name) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = m_hash(name) & mask;
    while (m_slots[slot].value >= 0 && !sameName(m_slots[slot].text, m_slots[slot].size, name))
        slot = (slot + 1) & mask;
    return slot;
}

int NameIndex::find(QStringView name) const {
    if (m_slots.empty())
        return -1;
    return m_slots[slotOf(name)].value;
}

std::pair<int, bool> NameIndex::insert(QStringView name, int value) {
    if (2 * (m_count + 1) > m_slots.size())
        grow(m_slots.empty() ? 16 : 2 * m_slots.size());
    Slot& slot = m_slots[slotOf(name)];
    if (slot.value >= 0)
        return {slot.value, false};
    slot = {name.data(), static_cast<std::int32_t>(name.size()), value};
    ++m_count;
    return {value, true};
}

} // namespace ampery::analysis
