#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace ampery::analysis {

// A set of indices that answers "the lowest index in the set" quickly: the
// first list entry that a restarting scan would take, kept up to date
// instead of rescanning the list after every change.
class FirstSet {
public:
    void reserve(int count) { m_words.reserve(static_cast<std::size_t>(count + 63) / 64); }
    void resize(int count) { m_words.resize(static_cast<std::size_t>(count + 63) / 64, 0); }

    void set(int index, bool on) {
        std::uint64_t& word = m_words[static_cast<std::size_t>(index) / 64];
        const std::uint64_t bit = std::uint64_t{1} << (static_cast<unsigned>(index) % 64);
        if (on) {
            word |= bit;
            if (static_cast<std::size_t>(index) / 64 < m_low)
                m_low = static_cast<std::size_t>(index) / 64;
        } else {
            word &= ~bit;
        }
    }

    // The lowest index in the set, or -1.
    int first() {
        while (m_low < m_words.size() && m_words[m_low] == 0)
            ++m_low;
        if (m_low == m_words.size())
            return -1;
        return static_cast<int>(m_low * 64) + std::countr_zero(m_words[m_low]);
    }

private:
    std::vector<std::uint64_t> m_words;
    std::size_t m_low = 0; // no word below it holds a bit
};

} // namespace ampery::analysis
