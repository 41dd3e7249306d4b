#pragma once

#include <cstddef>

namespace ampery::analysis {

// The analysis numbers components, terminals and nodes with int (-1 for
// none); this is such a number, known to be one, as an index into a list.
inline std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace ampery::analysis
