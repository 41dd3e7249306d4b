#pragma once

#include "analysis_outcome.h"
#include "grouped_lists.h"
#include "solution.h"

#include <vector>

namespace ampery::analysis {

class Display;
struct Network;

// The result records as the meters look them up: which records have a
// terminal of a given id, in record order.
class ResultIndex {
public:
    struct Touch {
        int record;
        bool positive; // the record's "∧" terminal, else its "∨" terminal
    };

    ResultIndex(const Solution& solution, const Network& network);

    std::span<const Touch> touching(int terminal) const {
        return m_touching[static_cast<std::size_t>(terminal)];
    }
    const RecordValues& values(int record) const {
        return m_values[static_cast<std::size_t>(record)];
    }
    // The record's current as read back from its text.
    double current(int record) const { return m_records[record].current.value(); }

private:
    GroupedLists<Touch> m_touching; // by terminal id
    const std::vector<RecordValues>& m_values;
    const QList<ResultRecord>& m_records;
};

// The voltmeters of a circuit without a closed loop (before everything is
// shown at rest): joins the conductors in the nodes joined by wire, reads
// every voltmeter and marks it shown.
void readOpenCircuitVoltmeters(Display& display, Network& network, double sourceVoltage);

// The readings of a solved circuit for component index k.
void readVoltmeter(Display& display, const Network& network, const ResultIndex& results, int k);
void readAmmeter(Display& display, const Network& network, const ResultIndex& results, int k);

} // namespace ampery::analysis
