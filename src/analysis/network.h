#pragma once

#include "node_list.h"
#include "terminal_table.h"

#include "model/component_record.h"

#include <vector>

namespace ampery::model {
class Experiment;
}

namespace ampery::analysis {

// What the analysis takes from the experiment text: the component
// lists, the terminals, the wires, and the nodes with and without the conductors joined.
struct Network {
    // The experiment text (shared, not copied) and the component lists, in
    // component-number order. The terminal table views the wire ends' names
    // in the one and the components' names in the other, so both are
    // declared before the table and left unchanged.
    QString text;
    std::vector<model::Component> components;
    TerminalTable terminals;
    // Per component: the ids of its "∧" and "∨" terminals.
    std::vector<int> positive;
    std::vector<int> negative;
    // Per terminal id: the first component whose terminal it is, or -1.
    std::vector<int> owner;
    // Whether an ammeter or a voltmeter is among the components: only then
    // are the nodes joined by wire alone built.
    bool hasMeters = false;
    // The nodes with the plain conductors joined: from the conductors'
    // terminals and all wires; components found dead join it too.
    NodeList conductorNodes;
    // The nodes joined by wire alone, for the meters; empty without meters.
    NodeList wireNodes;
    // Ids of "电源1∧" and "电源1∨", -1 when no wire or component names them.
    int sourcePositive = -1;
    int sourceNegative = -1;
};

// The early stops before the network is built.
enum class ExtractionStop { None, NoWire, NoSource, SourceUnwired };

struct Extraction {
    ExtractionStop stop = ExtractionStop::None;
    Network network; // filled only when stop is None
};

Extraction extractNetwork(const model::Experiment& experiment);

// The records that Read component reaches for the numbers 1 to the highest
// component number, in number order.
std::vector<model::Component> readableComponents(const model::Experiment& experiment);

} // namespace ampery::analysis
