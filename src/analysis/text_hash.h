#pragma once

#include <QRandomGenerator>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ampery::analysis {

// A name of up to eight UTF-16 code units as two words: its first four and
// its last four, overlapping when fewer than eight; a name of fewer than
// four in the first word alone. Two names of one length are equal exactly
// when their words are.
struct ShortName {
    static constexpr qsizetype longest = 8;
    std::uint64_t first = 0;
    std::uint64_t last = 0;

    explicit ShortName(QStringView text) {
        const char16_t* c = text.utf16();
        const auto size = static_cast<std::size_t>(text.size());
        if (size >= 4) {
            std::memcpy(&first, c, sizeof first);
            std::memcpy(&last, c + size - 4, sizeof last);
        } else {
            for (std::size_t i = 0; i < size; ++i)
                first |= static_cast<std::uint64_t>(c[i]) << (16 * i);
        }
    }
    bool operator==(const ShortName&) const = default;
};

// A hash of names for the analysis's lookups by name: a name of up to eight
// UTF-16 code units read as two words, a longer one by FNV-1a over pairs of
// code units, and a final mix; seeded once per run so that a crafted file
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
        if (text.size() <= ShortName::longest)
            return shortHash(text, seed);
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
        return finish(h);
    }

private:
    static std::size_t finish(std::uint64_t h) {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdu;
        h ^= h >> 33;
        return static_cast<std::size_t>(h);
    }

    // Most names ("电阻12∧" without its mark) are up to eight code units:
    // hashed as their two words with the length.
    static std::size_t shortHash(QStringView text, std::uint64_t seed) {
        const ShortName words(text);
        std::uint64_t h = (seed ^ words.first) * 0x9e3779b97f4a7c15u;
        h ^= words.last + static_cast<std::uint64_t>(text.size());
        h *= 0xc2b2ae3d27d4eb4fu;
        return finish(h);
    }
};

} // namespace ampery::analysis
