#include "nodal_solution.h"

#include "current_paths.h"
#include "list_index.h"
#include "network.h"
#include "node_potentials.h"
#include "working_network.h"

#include "model/component_type.h"

namespace ampery::analysis {

NodalSolution solveByNodes(WorkingNetwork& work, Network& network,
                           const std::vector<Equivalent>& equivalents, double sourceVoltage) {
    std::vector<int> parts; // the working entries present, in list order
    std::vector<Branch> branches;
    int source = -1;
    int sources = 0;
    for (int c = 0; c < static_cast<int>(work.components().size()); ++c) {
        const WorkingComponent& w = work.components()[at(c)];
        if (!w.present)
            continue;
        if (w.type == model::Source) {
            ++sources;
            source = static_cast<int>(parts.size());
        }
        parts.push_back(c);
        branches.push_back({work.nodeOf(w.positive), work.nodeOf(w.negative)});
    }
    // Only the one source 电源1 drives the network.
    if (sources != 1 ||
        work.components()[at(parts[at(source)])].positive != network.sourcePositive ||
        branches[at(source)].from < 0 || branches[at(source)].to < 0)
        return {};

    // The parts that can carry current stay; the others are dead.
    const int nodeCount = work.nodeCount();
    const std::vector<bool> live = onClosedPathThrough(branches, nodeCount, source);
    std::vector<std::size_t> carrying;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (static_cast<int>(k) == source)
            continue;
        if (live[k])
            carrying.push_back(k);
        else
            removeDead(work, network, equivalents, parts[k]);
    }
    if (work.sourceWithoutLoop())
        return {NodalEnd::NoClosedLoop, {}};

    std::vector<Conductance> conductances;
    for (const std::size_t k : carrying)
        conductances.push_back(
            {branches[k].from, branches[k].to, 1.0 / work.components()[at(parts[k])].resistance});
    const Branch& held = branches[at(source)];
    const std::optional<std::vector<double>> potentials =
        nodePotentials(nodeCount, conductances, {{held.from, sourceVoltage}, {held.to, 0.0}});
    if (!potentials)
        return {};

    NodalSolution result{NodalEnd::Solved, {}};
    RecordWriter writer(network, equivalents, result.solution);
    for (const std::size_t k : carrying)
        writer.write(work.components()[at(parts[k])].part, (*potentials)[at(branches[k].from)],
                     (*potentials)[at(branches[k].to)]);
    return result;
}

} // namespace ampery::analysis
