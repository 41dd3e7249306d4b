#pragma once

#include <QRandomGenerator>
#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace ampery::analysis {

// A hash of names for the analysis's lookups by name: FNV-1a over the UTF-16
// code units and a final mix, seeded once per run so that a crafted file
// cannot choose names that all collide. Names are a few characters long, and
// this is several times quicker on them than Qt's hash.
struct TextHash {
    std::size_t operator()(QStringView text) const noexcept {
        static const std::uint64_t seed = QRandomGenerator::system()->generate64();
        std::uint64_t h = seed ^ 0xcbf29ce484222325u;
        for (const QChar c : text) {
            h ^= c.unicode();
            h *= 0x100000001b3u;
        }
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdu;
        h ^= h >> 33;
        return static_cast<std::size_t>(h);
    }
};

} // namespace ampery::analysis
