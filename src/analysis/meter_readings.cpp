#include "meter_readings.h"

#include "conductors.h"
#include "display.h"
#include "list_index.h"
#include "meter_display.h"
#include "network.h"

#include "model/component_type.h"

#include <algorithm>

namespace ampery::analysis {

// A record's terminals are its name with "∧" and "∨": the terminal ids of its
// component, since equal names have equal ids.
ResultIndex::ResultIndex(const Solution& solution, const Network& network)
    : m_touching(at(network.terminals.size()),
                 [&solution, &network](const auto& add) {
                     for (int r = 0; r < static_cast<int>(solution.values.size()); ++r) {
                         const std::size_t c = at(solution.values[at(r)].component);
                         add(at(network.positive[c]), Touch{r, true});
                         add(at(network.negative[c]), Touch{r, false});
                     }
                 }),
      m_values(solution.values), m_records(solution.records) {}

// --- open circuit ----------------------------------------------------------

void readOpenCircuitVoltmeters(Display& display, Network& network, double sourceVoltage) {
    NodeList& nodes = network.wireNodes;
    for (std::size_t i = 0; i < network.components.size(); ++i)
        if (joinsAsConductor(network.components[i]))
            nodes.join(network.positive[i], network.negative[i]);

    for (std::size_t k = 0; k < network.components.size(); ++k) {
        const model::Component& meter = network.components[k];
        if (meter.type != model::Voltmeter)
            continue;
        // A side is known when its node holds a source terminal and not the
        // voltmeter's other terminal.
        const auto side = [&](int own, int other, double& potential) {
            const int node = nodes.nodeOf(own);
            if (node < 0 || nodes.nodeOf(other) == node)
                return false;
            if (nodes.nodeOf(network.sourcePositive) == node) {
                potential = sourceVoltage;
                return true;
            }
            if (nodes.nodeOf(network.sourceNegative) == node) {
                potential = 0;
                return true;
            }
            return false;
        };
        double plus = 0;
        double minus = 0;
        const bool plusKnown = side(network.positive[k], network.negative[k], plus);
        const bool minusKnown = side(network.negative[k], network.positive[k], minus);
        if (plusKnown && minusKnown) {
            const double v = plus - minus;
            const std::optional<MeterOutcome> outcome = outcomeOf(v, rangeOf(meter));
            if (outcome) {
                appendMeterPiece(display, meter, *outcome, v);
                // A reversed voltmeter keeps the picture it has.
                if (*outcome != MeterOutcome::Reversed) {
                    if (const std::optional<int> p = meterPicture(meter, *outcome, v)) {
                        display.showPicture(meter, *p);
                        display.combine();
                    }
                }
            }
        }
        display.markDone(meter.name);
    }
}

// --- voltmeter, solved circuit ---------------------------------------------

void readVoltmeter(Display& display, const Network& network, const ResultIndex& results, int k) {
    const model::Component& meter = network.components[at(k)];
    // The potential of the node of a terminal: the last record in order with
    // a terminal in that node ("∨" after "∧" within one record).
    const auto side = [&](int terminal, double& potential) {
        const int node = network.conductorNodes.nodeOf(terminal);
        if (node < 0)
            return false;
        int last = -1;
        network.conductorNodes.forEachMember(node, [&](int member) {
            for (const ResultIndex::Touch& touch : results.touching(member)) {
                const int key = touch.record * 2 + (touch.positive ? 0 : 1);
                if (key > last) {
                    last = key;
                    const RecordValues& v = results.values(touch.record);
                    potential = touch.positive ? v.va : v.vb;
                }
            }
        });
        return last >= 0;
    };
    double plus = 0;
    double minus = 0;
    const bool plusKnown = side(network.positive[at(k)], plus);
    const bool minusKnown = side(network.negative[at(k)], minus);
    if (plusKnown && minusKnown) {
        const double v = plus - minus;
        if (const std::optional<MeterOutcome> outcome = outcomeOf(v, rangeOf(meter)))
            showMeter(display, meter, *outcome, v);
    } else if (plusKnown || minusKnown) {
        showMeter(display, meter, MeterOutcome::OneEndOpen, 0);
    }
}

// --- ammeter, solved circuit -----------------------------------------------

namespace {

// Ammeter nodes: the plain node list with every other plain conductor joined
// and the terminals that cannot carry a record (but the ammeter's) taken out.
struct AmmeterView {
    NodeList nodes;
    std::vector<char> removed; // per terminal

    std::vector<int> parts(int node) const {
        std::vector<int> list;
        nodes.forEachMember(node, [&](int t) {
            if (!removed[at(t)])
                list.push_back(t);
        });
        return list;
    }
};

AmmeterView ammeterView(const Network& network, int k) {
    const QString& name = network.components[at(k)].name;
    AmmeterView view{network.wireNodes, std::vector<char>(at(network.terminals.size()), 0)};
    for (std::size_t i = 0; i < network.components.size(); ++i) {
        const model::Component& c = network.components[i];
        if (c.name != name && joinsInAmmeterView(c))
            view.nodes.join(network.positive[i], network.negative[i]);
    }
    for (std::size_t i = 0; i < network.components.size(); ++i) {
        const model::Component& c = network.components[i];
        if (c.name != name && leavesAmmeterView(c)) {
            view.removed[at(network.positive[i])] = 1;
            view.removed[at(network.negative[i])] = 1;
        }
    }
    return view;
}

} // namespace

namespace {

// At a node of the ammeter's view that holds one of its terminals and one
// other terminal: the current of the first record at that other terminal,
// counted into the ammeter (a neighbour's "∧" at the ammeter's "∧" gives -I,
// its "∨" +I; at the ammeter's "∨" the other way round), 0 when no record is
// there. None when neither of the ammeter's terminals is in the node.
std::optional<double> currentFromNeighbour(const std::vector<int>& parts, int plusTerminal,
                                           int minusTerminal, const ResultIndex& results) {
    int neighbour = -1;
    bool atPlus = true;
    if (parts[0] == plusTerminal) {
        neighbour = parts[1];
    } else if (parts[1] == plusTerminal) {
        neighbour = parts[0];
    } else {
        atPlus = false;
        if (parts[1] == minusTerminal)
            neighbour = parts[0];
        else if (parts[0] == minusTerminal)
            neighbour = parts[1];
    }
    if (neighbour < 0)
        return std::nullopt;
    const std::span<const ResultIndex::Touch> touches = results.touching(neighbour);
    if (touches.empty())
        return 0.0;
    const double current = results.current(touches.front().record);
    const double intoPositive = touches.front().positive ? -current : current;
    return atPlus ? intoPositive : -intoPositive;
}

// At a junction of the ammeter's view holding its terminal: the currents of
// every record touching the junction, summed as they flow into that terminal.
// None when no record touches it, or when the ammeter's other terminal is
// wired to nothing, so no current can pass.
std::optional<double> currentAtJunction(const std::vector<int>& parts, bool atPlus,
                                        bool otherEndWired, const ResultIndex& results) {
    double sum = 0;
    bool touched = false;
    for (const int t : parts)
        for (const ResultIndex::Touch& touch : results.touching(t)) {
            const double current = results.current(touch.record);
            sum += touch.positive == atPlus ? -current : current;
            touched = true;
        }
    if (!touched || !otherEndWired)
        return std::nullopt;
    return sum;
}

} // namespace

// The ammeter reads the current that its neighbours' records carry into it:
// at the first node of its view, in list order, that holds one of its
// terminals and neither of the source's, and that tells a current.
void readAmmeter(Display& display, const Network& network, const ResultIndex& results, int k) {
    const model::Component& meter = network.components[at(k)];
    const int plusTerminal = network.positive[at(k)];
    const int minusTerminal = network.negative[at(k)];
    const AmmeterView view = ammeterView(network, k);
    const bool plusWired = view.nodes.nodeOf(plusTerminal) >= 0;
    const bool minusWired = view.nodes.nodeOf(minusTerminal) >= 0;

    std::vector<int> nodes;
    for (const int t : {plusTerminal, minusTerminal}) {
        const int node = view.nodes.nodeOf(t);
        if (node >= 0 && std::find(nodes.begin(), nodes.end(), node) == nodes.end())
            nodes.push_back(node);
    }
    std::sort(nodes.begin(), nodes.end());

    std::optional<double> current;
    for (const int node : nodes) {
        const std::vector<int> parts = view.parts(node);
        const auto holds = [&parts](int t) {
            return t >= 0 && std::find(parts.begin(), parts.end(), t) != parts.end();
        };
        if (holds(network.sourcePositive) || holds(network.sourceNegative))
            continue;
        if (parts.size() == 2) {
            current = currentFromNeighbour(parts, plusTerminal, minusTerminal, results);
        } else if (parts.size() >= 3) {
            if (holds(plusTerminal))
                current = currentAtJunction(parts, true, minusWired, results);
            if (!current && holds(minusTerminal))
                current = currentAtJunction(parts, false, plusWired, results);
        }
        if (current)
            break;
    }

    if (!current) {
        showMeter(display, meter, MeterOutcome::OneEndOpen, 0);
        return;
    }
    if (const std::optional<MeterOutcome> outcome = outcomeOf(*current, rangeOf(meter)))
        showMeter(display, meter, *outcome, *current);
}

} // namespace ampery::analysis
