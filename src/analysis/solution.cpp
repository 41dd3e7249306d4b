#include "solution.h"

#include "decimal_text.h"
#include "network.h"
#include "status_texts.h"
#include "working_network.h"

#include <bit>

namespace ampery::analysis {

Solution solve(const WorkingNetwork& work, const Network& network,
               const std::vector<Equivalent>& equivalents, double sourceVoltage) {
    if (work.count() != 2)
        return {};
    const WorkingComponent* element = nullptr;
    for (const WorkingComponent& c : work.components()) {
        // The part that is not the source: an equivalent, or a physical
        // component with another name.
        if (c.present &&
            (c.part.equivalent || network.components[static_cast<std::size_t>(c.part.index)].name !=
                                      texts::sourceName())) {
            element = &c;
            break;
        }
    }
    const std::vector<std::vector<int>> nodes = work.nodes();
    if (element == nullptr || nodes.size() < 2 || nodes[0].size() != 2 || nodes[1].size() != 2)
        return {};
    const int source = network.sourcePositive;
    int other = -1;
    for (const std::vector<int>& node : {nodes[0], nodes[1]}) {
        if (source >= 0 && node[0] == source) {
            other = node[1];
            break;
        }
        if (source >= 0 && node[1] == source) {
            other = node[0];
            break;
        }
    }
    if (other < 0)
        return {};
    const Mark mark = work.terminals().mark(other);
    if (mark == Mark::Other)
        return {};
    Solution solution;
    RecordWriter writer(network, equivalents, solution);
    if (mark == Mark::Positive)
        writer.write(element->part, sourceVoltage, 0);
    else
        writer.write(element->part, 0, sourceVoltage);
    return solution;
}

RecordWriter::RecordWriter(const Network& network, const std::vector<Equivalent>& equivalents,
                           Solution& solution)
    : m_network(network), m_equivalents(equivalents), m_solution(solution) {
    // At most a record per component.
    m_solution.records.reserve(static_cast<qsizetype>(network.components.size()));
    m_solution.values.reserve(network.components.size());
}

Decimal RecordWriter::RecentPotentials::decimalOf(double potential) {
    const auto bits = std::bit_cast<std::uint64_t>(potential);
    Slot& slot = m_slots[static_cast<std::size_t>((bits * 0x9e3779b97f4a7c15u) >> 58)];
    if (!slot.known || slot.bits != bits)
        slot = {bits, true, decimal(potential)};
    return slot.decimal;
}

void RecordWriter::write(PartRef part, double va, double vb) {
    const std::vector<model::Component>& components = m_network.components;
    std::vector<Pending>& pending = m_pending;
    // An equivalent's A is taken at once and its B kept for after everything
    // inside A, so that the records come out A first, depth first. The part
    // at hand stays out of the list: one just stored and read back at once
    // would wait for the store.
    Pending next{part, va, vb};
    for (;;) {
        if (!next.part.equivalent) {
            const model::Component& c = components[static_cast<std::size_t>(next.part.index)];
            const Decimal a = m_potentials.decimalOf(next.va);
            const Decimal b = m_potentials.decimalOf(next.vb);
            const DecimalText current = decimalText((next.va - next.vb) / c.resistance);
            m_solution.records.append({c.name, a.text, b.text, current});
            m_solution.values.push_back({next.part.index, a.value, b.value});
            if (pending.empty())
                return;
            next = pending.back();
            pending.pop_back();
            continue;
        }
        const Equivalent& e = m_equivalents[static_cast<std::size_t>(next.part.index)];
        const double current = (next.va - next.vb) / e.resistance;
        if (e.series) {
            const double middle = next.va - current * e.aResistanceReadBack;
            pending.push_back(e.bPositive ? Pending{e.b, middle, next.vb}
                                          : Pending{e.b, next.vb, middle});
            next = e.aPositive ? Pending{e.a, next.va, middle} : Pending{e.a, middle, next.va};
        } else {
            pending.push_back(e.bPositive ? Pending{e.b, next.va, next.vb}
                                          : Pending{e.b, next.vb, next.va});
            next = e.aPositive ? Pending{e.a, next.va, next.vb} : Pending{e.a, next.vb, next.va};
        }
    }
}

} // namespace ampery::analysis
