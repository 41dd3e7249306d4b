#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace ampery::analysis {

// Items grouped by a key from 0 to keyCount - 1, each group in the order
// the items came: a list of lists in two allocations instead of one per key.
// fill(add) calls add(key, item) for every item, and is called twice: once
// to count the groups' sizes, once to place the items.
template <typename T> class GroupedLists {
public:
    template <typename Fill> GroupedLists(std::size_t keyCount, Fill fill) : m_start(keyCount + 1) {
        fill([this](std::size_t key, const T&) { ++m_start[key + 1]; });
        for (std::size_t k = 1; k < m_start.size(); ++k)
            m_start[k] += m_start[k - 1];
        m_items.resize(m_start.back());
        std::vector<std::size_t> next(m_start.begin(), m_start.end() - 1);
        fill([this, &next](std::size_t key, const T& item) { m_items[next[key]++] = item; });
    }

    // The group of the key; empty for a key outside the range.
    std::span<const T> operator[](std::size_t key) const {
        if (key >= m_start.size() - 1)
            return {};
        return std::span<const T>(m_items).subspan(m_start[key], m_start[key + 1] - m_start[key]);
    }

private:
    std::vector<std::size_t> m_start; // per key, and one past the last
    std::vector<T> m_items;
};

} // namespace ampery::analysis
