#include "network.h"

#include "conductors.h"
#include "status_texts.h"
#include "wire_ends.h"

#include "model/component_type.h"
#include "model/experiment.h"
#include "model/separators.h"

namespace ampery::analysis {

namespace sep = model::sep;

std::vector<model::Component> readableComponents(const model::Experiment& experiment) {
    std::vector<model::Component> list = experiment.components();
    const int highest = experiment.highestNumber();
    while (!list.empty() && list.back().number > highest)
        list.pop_back();
    return list;
}

Extraction extractNetwork(const model::Experiment& experiment) {
    Extraction result;
    const QString& text = experiment.text();
    if (!text.contains(QChar(sep::wireStart))) {
        result.stop = ExtractionStop::NoWire;
        return result;
    }

    Network& net = result.network;
    net.text = text;
    const std::vector<WireEnds> wires = wireEndsOf(net.text);
    const QString sourcePositive = model::terminalName(texts::sourceName(), true);
    const QString sourceNegative = model::terminalName(texts::sourceName(), false);
    bool positiveWired = false;
    bool negativeWired = false;
    for (const WireEnds& w : wires) {
        positiveWired = positiveWired || w.start == sourcePositive || w.end == sourcePositive;
        negativeWired = negativeWired || w.start == sourceNegative || w.end == sourceNegative;
    }
    // A wired source is named in the text; only an unwired one needs the
    // text searched for its name.
    if (!positiveWired || !negativeWired) {
        result.stop = text.contains(texts::sourceName()) ? ExtractionStop::SourceUnwired
                                                         : ExtractionStop::NoSource;
        return result;
    }

    net.components = readableComponents(experiment);
    net.terminals.reserve(net.components.size());
    net.positive.reserve(net.components.size());
    net.negative.reserve(net.components.size());
    for (const model::Component& c : net.components) {
        const auto [positive, negative] = net.terminals.componentTerminals(c.name);
        net.positive.push_back(positive);
        net.negative.push_back(negative);
        net.hasMeters = net.hasMeters || c.type == model::Ammeter || c.type == model::Voltmeter;
    }
    std::vector<std::pair<int, int>> wireIds;
    wireIds.reserve(wires.size());
    for (const WireEnds& w : wires)
        wireIds.emplace_back(net.terminals.intern(w.start), net.terminals.intern(w.end));

    const int terminalCount = net.terminals.size();
    net.owner.assign(static_cast<std::size_t>(terminalCount), -1);
    for (std::size_t i = 0; i < net.components.size(); ++i) {
        for (const int t : {net.positive[i], net.negative[i]})
            if (net.owner[static_cast<std::size_t>(t)] < 0)
                net.owner[static_cast<std::size_t>(t)] = static_cast<int>(i);
    }
    net.sourcePositive = net.terminals.find(sourcePositive);
    net.sourceNegative = net.terminals.find(sourceNegative);

    net.conductorNodes = NodeList(terminalCount);
    for (std::size_t i = 0; i < net.components.size(); ++i)
        if (isPlainConductor(net.components[i]))
            net.conductorNodes.addWire(net.positive[i], net.negative[i]);
    for (const auto& [a, b] : wireIds)
        net.conductorNodes.addWire(a, b);

    net.wireNodes = NodeList(terminalCount);
    if (net.hasMeters)
        for (const auto& [a, b] : wireIds)
            net.wireNodes.addWire(a, b);
    return result;
}

} // namespace ampery::analysis
