#pragma once

#include "analysis_outcome.h"
#include "decimal_text.h"
#include "reduction.h"

#include <array>
#include <cstdint>
#include <vector>

namespace ampery::analysis {

struct Network;
class WorkingNetwork;

// A result record's potentials as its readers see them: read back from its
// decimal texts with text-to-number. Only the meters read the current, which
// ResultIndex reads back from the record's text when asked.
struct RecordValues {
    int component = 0; // index in the component lists
    double va = 0;
    double vb = 0;
};

// The result records: one per physical component on a current path, in the
// order the potentials were handed down to them.
struct Solution {
    QList<ResultRecord> records;
    std::vector<RecordValues> values; // one per record
};

// The potentials of a fully reduced network: the source's voltage across the
// last parts, handed down to every component inside them (no records when
// nothing is solved).
Solution solve(const WorkingNetwork& work, const Network& network,
               const std::vector<Equivalent>& equivalents, double sourceVoltage);

// Hands the potentials of a part's terminals down to the physical components
// inside it, depth first, appending one result record each to the solution.
class RecordWriter {
public:
    RecordWriter(const Network& network, const std::vector<Equivalent>& equivalents,
                 Solution& solution);
    void write(PartRef part, double va, double vb);

private:
    struct Pending {
        PartRef part;
        double va;
        double vb;
    };

    // The decimals of the potentials written lately, by their bits. A
    // node's potential is handed down unchanged to every part at the node,
    // so each reaches two or three records in a row as the same double.
    class RecentPotentials {
    public:
        Decimal decimalOf(double potential);

    private:
        struct Slot {
            std::uint64_t bits = 0;
            bool known = false;
            Decimal decimal;
        };
        std::array<Slot, 64> m_slots{};
    };

    const Network& m_network;
    const std::vector<Equivalent>& m_equivalents;
    Solution& m_solution;
    std::vector<Pending> m_pending; // kept between parts to spare allocations
    RecentPotentials m_potentials;
};

} // namespace ampery::analysis
