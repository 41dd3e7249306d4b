#pragma once

#include "text_hash.h"

#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace ampery::analysis {

// Names to small non-negative numbers, for the analysis's lookups by name:
// open addressing over TextHash, so that entering a name allocates nothing
// once the room is reserved. The names are views: their text must outlive
// the index.
class NameIndex {
public:
    // Room for this many names before the table grows.
    void reserve(std::size_t names);
    // The number of the name, or -1.
    int find(QStringView name) const;
    // The number of the name, entered as value when it is new; whether it
    // was new.
    std::pair<int, bool> insert(QStringView name, int value);

private:
    std::size_t slotOf(QStringView name) const;
    void grow(std::size_t slotCount);

    // A name's text and size and its number, in 16 bytes: the table of a
    // few hundred names stays in the first level of the cache.
    struct Slot {
        const QChar* text = nullptr;
        std::int32_t size = 0;
        std::int32_t value = -1; // -1: empty
        QStringView name() const { return {text, size}; }
    };
    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
    TextHash m_hash;
};

} // namespace ampery::analysis
