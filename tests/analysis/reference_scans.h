#pragma once

#include "analysis/reduction_scans.h"
#include "analysis/terminal_table.h"
#include "analysis/working_network.h"
#include "model/component_type.h"

#include <QString>

#include <optional>
#include <vector>

// The reduction's scans as the rule reads, started from the top of the
// working lists every time: each looks at the lists as they stand and keeps
// nothing between calls. The working network answers the same questions from
// its index; the tests hold the two against each other.
namespace reference {

using ampery::analysis::ParallelMatch;
using ampery::analysis::SeriesMatch;
using ampery::analysis::WorkingComponent;
using ampery::analysis::WorkingNetwork;

// Where each terminal lies, read off the node lists: a node id or -1.
inline std::vector<int> nodeOfEachTerminal(const WorkingNetwork& work) {
    std::vector<int> where(static_cast<std::size_t>(work.terminals().size()), -1);
    const std::vector<std::vector<int>>& nodes = work.allNodes();
    for (std::size_t n = 0; n < nodes.size(); ++n)
        for (const int t : nodes[n])
            where[static_cast<std::size_t>(t)] = static_cast<int>(n);
    return where;
}

inline int nodeOf(const std::vector<int>& where, int terminal) {
    return where[static_cast<std::size_t>(terminal)];
}

inline std::size_t sizeOfNodeHolding(const WorkingNetwork& work, const std::vector<int>& where,
                                     int terminal) {
    const int n = nodeOf(where, terminal);
    return n < 0 ? 0 : work.allNodes()[static_cast<std::size_t>(n)].size();
}

// The component a terminal in a node belongs to: the first one in the
// working lists that has it, or -1.
inline int componentOf(const WorkingNetwork& work, int terminal) {
    const std::vector<WorkingComponent>& list = work.components();
    for (std::size_t c = 0; c < list.size(); ++c)
        if (list[c].present && (list[c].positive == terminal || list[c].negative == terminal))
            return static_cast<int>(c);
    return -1;
}

// Still in the lists and not the source: the scans pass over the source.
inline bool takesPart(const WorkingNetwork& work, int component) {
    if (component < 0)
        return false;
    const WorkingComponent& c = work.components()[static_cast<std::size_t>(component)];
    return c.present && c.type != ampery::model::Source;
}

inline int otherEnd(const WorkingNetwork& work, int component, int terminal) {
    const WorkingComponent& c = work.components()[static_cast<std::size_t>(component)];
    return terminal == c.positive ? c.negative : c.positive;
}

// The first component with a terminal alone in its node.
inline int firstLone(const WorkingNetwork& work) {
    const std::vector<int> where = nodeOfEachTerminal(work);
    const std::vector<WorkingComponent>& list = work.components();
    for (std::size_t c = 0; c < list.size(); ++c)
        if (takesPart(work, static_cast<int>(c)) &&
            (sizeOfNodeHolding(work, where, list[c].positive) == 1 ||
             sizeOfNodeHolding(work, where, list[c].negative) == 1))
            return static_cast<int>(c);
    return -1;
}

// The first component with a terminal in no node.
inline int firstUnconnected(const WorkingNetwork& work) {
    const std::vector<int> where = nodeOfEachTerminal(work);
    const std::vector<WorkingComponent>& list = work.components();
    for (std::size_t c = 0; c < list.size(); ++c)
        if (takesPart(work, static_cast<int>(c)) &&
            (nodeOf(where, list[c].positive) < 0 || nodeOf(where, list[c].negative) < 0))
            return static_cast<int>(c);
    return -1;
}

// The first node of exactly two terminals of two different components, the
// first the one earlier in the lists, whose other terminals do not lie in one
// node (that pair is the parallel step's).
inline std::optional<SeriesMatch> firstSeries(const WorkingNetwork& work) {
    const std::vector<int> where = nodeOfEachTerminal(work);
    const std::vector<std::vector<int>>& all = work.allNodes();
    for (std::size_t n = 0; n < all.size(); ++n) {
        if (all[n].size() != 2)
            continue;
        const int a = componentOf(work, all[n][0]);
        const int b = componentOf(work, all[n][1]);
        if (!takesPart(work, a) || !takesPart(work, b) || a == b)
            continue;
        const int node = static_cast<int>(n);
        const SeriesMatch match = a < b ? SeriesMatch{node, a, b, all[n][0], all[n][1]}
                                        : SeriesMatch{node, b, a, all[n][1], all[n][0]};
        const int firstFar = nodeOf(where, otherEnd(work, match.first, match.firstMiddle));
        const int secondFar = nodeOf(where, otherEnd(work, match.second, match.secondMiddle));
        if (firstFar >= 0 && firstFar == secondFar)
            continue;
        return match;
    }
    return std::nullopt;
}

// The first node holding terminals of two components whose other terminals
// lie together in a far node; of the pairs there, the lowest first component,
// then the lowest second.
inline std::optional<ParallelMatch> firstParallel(const WorkingNetwork& work) {
    const std::vector<int> where = nodeOfEachTerminal(work);
    const std::vector<std::vector<int>>& all = work.allNodes();
    for (std::size_t n = 0; n < all.size(); ++n) {
        const int node = static_cast<int>(n);
        std::optional<ParallelMatch> best;
        for (const int here : all[n]) {
            const int first = componentOf(work, here);
            if (!takesPart(work, first))
                continue;
            const int far = nodeOf(where, otherEnd(work, first, here));
            if (far < 0 || far == node)
                continue;
            for (const int there : all[n]) {
                const int second = componentOf(work, there);
                if (!takesPart(work, second) || second <= first ||
                    nodeOf(where, otherEnd(work, second, there)) != far)
                    continue;
                if (!best || first < best->first || (first == best->first && second < best->second))
                    best = ParallelMatch{node, first, second, here, there, far};
            }
        }
        if (best)
            return best;
    }
    return std::nullopt;
}

// Texts for failure messages, with the terminals' names.
inline QString text(const WorkingNetwork& work, int component) {
    if (component < 0)
        return QStringLiteral("none");
    return QStringLiteral("%1 (%2)").arg(component).arg(
        work.terminals().name(work.components()[static_cast<std::size_t>(component)].positive));
}

inline QString text(const WorkingNetwork& work, const std::optional<SeriesMatch>& match) {
    if (!match)
        return QStringLiteral("none");
    const ampery::analysis::TerminalTable& t = work.terminals();
    return QStringLiteral("node %1: first %2 at %3, second %4 at %5")
        .arg(match->node)
        .arg(match->first)
        .arg(t.name(match->firstMiddle))
        .arg(match->second)
        .arg(t.name(match->secondMiddle));
}

inline QString text(const WorkingNetwork& work, const std::optional<ParallelMatch>& match) {
    if (!match)
        return QStringLiteral("none");
    const ampery::analysis::TerminalTable& t = work.terminals();
    return QStringLiteral("node %1: first %2 at %3, second %4 at %5, far node %6")
        .arg(match->node)
        .arg(match->first)
        .arg(t.name(match->firstHere))
        .arg(match->second)
        .arg(t.name(match->secondHere))
        .arg(match->farNode);
}

inline bool same(const std::optional<SeriesMatch>& a, const std::optional<SeriesMatch>& b) {
    if (!a || !b)
        return a.has_value() == b.has_value();
    return a->node == b->node && a->first == b->first && a->second == b->second &&
           a->firstMiddle == b->firstMiddle && a->secondMiddle == b->secondMiddle;
}

inline bool same(const std::optional<ParallelMatch>& a, const std::optional<ParallelMatch>& b) {
    if (!a || !b)
        return a.has_value() == b.has_value();
    return a->node == b->node && a->first == b->first && a->second == b->second &&
           a->firstHere == b->firstHere && a->secondHere == b->secondHere &&
           a->farNode == b->farNode;
}

// The reduction's questions answered by the rescans above.
class Rescans final : public ampery::analysis::ReductionScans {
public:
    explicit Rescans(const WorkingNetwork& work) : m_work(work) {}
    int firstLone() override { return reference::firstLone(m_work); }
    int firstUnconnected() override { return reference::firstUnconnected(m_work); }
    std::optional<SeriesMatch> firstSeries() override { return reference::firstSeries(m_work); }
    std::optional<ParallelMatch> firstParallel() override {
        return reference::firstParallel(m_work);
    }

private:
    const WorkingNetwork& m_work;
};

// Every scan of the index against its rescan of the working network; the
// disagreements as texts, none when they agree.
inline QStringList disagreements(const WorkingNetwork& work,
                                 ampery::analysis::ReductionScans& index) {
    QStringList found;
    const int lone = index.firstLone();
    if (lone != firstLone(work))
        found << QStringLiteral("first lone: index %1, rescan %2")
                     .arg(text(work, lone), text(work, firstLone(work)));
    const int unconnected = index.firstUnconnected();
    if (unconnected != firstUnconnected(work))
        found << QStringLiteral("first unconnected: index %1, rescan %2")
                     .arg(text(work, unconnected), text(work, firstUnconnected(work)));
    const std::optional<SeriesMatch> series = index.firstSeries();
    if (!same(series, firstSeries(work)))
        found << QStringLiteral("first series pair: index %1, rescan %2")
                     .arg(text(work, series), text(work, firstSeries(work)));
    const std::optional<ParallelMatch> parallel = index.firstParallel();
    if (!same(parallel, firstParallel(work)))
        found << QStringLiteral("first parallel pair: index %1, rescan %2")
                     .arg(text(work, parallel), text(work, firstParallel(work)));
    return found;
}

} // namespace reference
