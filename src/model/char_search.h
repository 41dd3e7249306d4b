#pragma once

#include <QStringView>

#include <bit>
#include <concepts>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ampery::model {

// The first place at or after from (0 or more) of any of the characters in
// text, or -1; with one character, what QStringView::indexOf(QChar)
// answers. The analysis searches so on every edit, mostly stopping within a
// record or two, where the library's call and its set-up for long texts
// cost more than the search. Eight code units are compared at a time where
// the processor allows.
template <std::same_as<char16_t>... Wanted>
qsizetype firstOfAny(QStringView text, qsizetype from, Wanted... wanted) {
    const char16_t* const data = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = from;
#if defined(__SSE2__)
    for (; i + 8 <= size; i += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        __m128i found = _mm_setzero_si128();
        ((found = _mm_or_si128(found,
                               _mm_cmpeq_epi16(block, _mm_set1_epi16(static_cast<short>(wanted))))),
         ...);
        const auto hits = static_cast<unsigned>(_mm_movemask_epi8(found));
        if (hits != 0)
            return i + std::countr_zero(hits) / 2;
    }
#endif
    for (; i < size; ++i)
        if (((data[i] == wanted) || ...))
            return i;
    return -1;
}

inline qsizetype firstOf(QStringView text, char16_t c, qsizetype from) {
    return firstOfAny(text, from, c);
}

} // namespace ampery::model
