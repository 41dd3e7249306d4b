#pragma once

#include <QRandomGenerator>
#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace ampery::analysis {

// A hash of names for the analysis's lookups by name: FNV-1a over pairs of
// UTF-16 code units and a final mix, seeded once per run so that a crafted file
// cannot choose names that all collide. Names are a few characters long, and
// this is several times quicker on them than Qt's hash.
//
// A name longer than 64 code units is hashed by its length and its first and
// last 32: a damaged file can hold thousands of names each nearly as long as
// the file, and hashing them whole would take time growing with the square of
// its size. Names that agree in all three still compare unequal in the table.
struct TextHash {
    static constexpr qsizetype endLength = 32;

    std::size_t operator()(QStringView text) const noexcept {
        static const std::uint64_t seed = QRandomGenerator::system()->generate64();
        std::uint64_t h = seed ^ 0xcbf29ce484222325u;
        // Two code units a step: a name of a few characters takes two or
        // three multiplications.
        const auto mix = [&h](QStringView part) {
            const char16_t* c = part.utf16();
            const char16_t* const end = c + part.size();
            for (; end - c >= 2; c += 2) {
                h ^= static_cast<std::uint64_t>(c[0]) | static_cast<std::uint64_t>(c[1]) << 16;
                h *= 0x100000001b3u;
            }
            if (c != end) {
                h ^= static_cast<std::uint64_t>(*c) | std::uint64_t{1} << 32;
                h *= 0x100000001b3u;
            }
        };
        if (text.size() <= 2 * endLength) {
            mix(text);
        } else {
            mix(text.first(endLength));
            mix(text.last(endLength));
            h ^= static_cast<std::uint64_t>(text.size());
            h *= 0x100000001b3u;
        }
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdu;
        h ^= h >> 33;
        return static_cast<std::size_t>(h);
    }
};

} // namespace ampery::analysis
