#include "reduction.h"

#include "decimal_text.h"
#include "network.h"
#include "scan_index.h"
#include "status_texts.h"

#include "model/number_text.h"
#include "model/separators.h"

#include <algorithm>

namespace ampery::analysis {

namespace sep = model::sep;

namespace {

constexpr int equivalentType = 11;

QChar markOf(bool positive) {
    return QChar(positive ? sep::positive : sep::negative);
}

class Reducer {
public:
    Reducer(WorkingNetwork& work, Network& network, ReductionScans& scans,
            const StepCheck& afterStep)
        : m_work(work), m_network(network), m_scans(scans), m_afterStep(afterStep) {}

    Reduction run();

private:
    const WorkingComponent& entry(int c) const {
        return m_work.components()[static_cast<std::size_t>(c)];
    }
    void stepDone() {
        if (m_afterStep)
            m_afterStep(m_work, m_scans);
    }
    // The next equivalent of the two, numbered in turn; the caller adds its marks
    // and resistance.
    Equivalent startEquivalent(const WorkingComponent& first, const WorkingComponent& second,
                               bool series) const;
    int appendEquivalent(Equivalent equivalent);
    void combineSeries(const SeriesMatch& match);
    void combineParallel(const ParallelMatch& match);

    WorkingNetwork& m_work;
    Network& m_network;
    ReductionScans& m_scans;
    const StepCheck& m_afterStep;
    Reduction m_result;
};

Reduction Reducer::run() {
    m_result.equivalents.reserve(static_cast<std::size_t>(m_work.count()));
    stepDone();
    // Every step takes at least one entry out of the working lists, so the
    // passes end; one without a step leaves the next one nothing either.
    while (m_work.count() >= 3) {
        const int before = m_work.count();
        for (int c = m_scans.firstLone(); c >= 0; c = m_scans.firstLone()) {
            removeDead(m_work, m_network, m_result.equivalents, c);
            stepDone();
        }
        for (int c = m_scans.firstUnconnected(); c >= 0; c = m_scans.firstUnconnected()) {
            removeDead(m_work, m_network, m_result.equivalents, c);
            stepDone();
        }
        while (const std::optional<SeriesMatch> match = m_scans.firstSeries()) {
            combineSeries(*match);
            stepDone();
        }
        while (const std::optional<ParallelMatch> match = m_scans.firstParallel()) {
            combineParallel(*match);
            stepDone();
        }
        if (m_work.sourceWithoutLoop()) {
            m_result.end = ReductionEnd::NoClosedLoop;
            return std::move(m_result);
        }
        ++m_result.passes;
        if (m_work.count() == before) {
            m_result.end = ReductionEnd::Stalled;
            return std::move(m_result);
        }
    }
    m_result.end = ReductionEnd::Reduced;
    return std::move(m_result);
}

Equivalent Reducer::startEquivalent(const WorkingComponent& first, const WorkingComponent& second,
                                    bool series) const {
    Equivalent e;
    e.serial = static_cast<int>(m_result.equivalents.size()) + 1;
    e.series = series;
    e.a = first.part;
    e.b = second.part;
    return e;
}

int Reducer::appendEquivalent(Equivalent equivalent) {
    const int index = static_cast<int>(m_result.equivalents.size());
    m_result.equivalents.push_back(std::move(equivalent));
    const Equivalent& e = m_result.equivalents.back();
    return m_work.appendEntry(equivalentType, e.resistance, PartRef{true, index});
}

// The two become one equivalent between their far terminals; the middle
// node goes. The list entries are read before the equivalent is appended,
// which may move them.
void Reducer::combineSeries(const SeriesMatch& match) {
    const WorkingComponent& first = entry(match.first);
    const WorkingComponent& second = entry(match.second);
    const int firstFar = m_work.otherTerminal(match.firstMiddle);
    const int secondFar = m_work.otherTerminal(match.secondMiddle);

    Equivalent e = startEquivalent(first, second, true);
    e.aPositive = firstFar == first.positive;
    e.bPositive = match.secondMiddle == second.positive;
    e.aResistance = first.resistance;
    e.aResistanceReadBack = readBack(first.resistance);
    e.resistance = first.resistance + second.resistance;
    const int added = appendEquivalent(std::move(e));

    m_work.deleteNode(match.node);
    m_work.replaceTerminal(firstFar, entry(added).positive);
    m_work.replaceTerminal(secondFar, entry(added).negative);
    m_work.removeEntry(match.second);
    m_work.removeEntry(match.first);
}

// The two become one equivalent across the two nodes, in the first's
// terminals; the second's terminals leave their nodes.
void Reducer::combineParallel(const ParallelMatch& match) {
    const WorkingComponent& first = entry(match.first);
    const WorkingComponent& second = entry(match.second);
    const bool firstPositiveHere = match.firstHere == first.positive;
    const bool secondPositiveHere = match.secondHere == second.positive;

    // The four ways round: the definition's marks and which of the first's
    // terminals the equivalent's "∧" takes. Turned alike, both are marked and
    // "∧" takes the first's positive; turned apart with the first's positive
    // here, the second is unmarked; with the second's positive here, the
    // first is unmarked and "∧" takes the first's negative.
    const bool onlyFirstPositiveHere = firstPositiveHere && !secondPositiveHere;
    const bool onlySecondPositiveHere = !firstPositiveHere && secondPositiveHere;
    const bool plusTakesFirstPositive = !onlySecondPositiveHere;

    Equivalent e = startEquivalent(first, second, false);
    e.aPositive = !onlySecondPositiveHere;
    e.bPositive = !onlyFirstPositiveHere;
    e.resistance = first.resistance * second.resistance / (first.resistance + second.resistance);
    const int plusTerminal = plusTakesFirstPositive ? first.positive : first.negative;
    const int minusTerminal = plusTakesFirstPositive ? first.negative : first.positive;
    const int secondPositive = second.positive;
    const int secondNegative = second.negative;
    const int added = appendEquivalent(std::move(e));

    m_work.replaceTerminal(plusTerminal, entry(added).positive);
    m_work.replaceTerminal(minusTerminal, entry(added).negative);
    m_work.dropTerminal(secondPositive);
    m_work.dropTerminal(secondNegative);
    m_work.removeEntry(match.second);
    m_work.removeEntry(match.first);
}

} // namespace

QString Equivalent::name() const {
    return texts::equivalentName(serial);
}

QString Equivalent::definition(const std::vector<model::Component>& components) const {
    // An equivalent part is the one of its list position, whose serial is one more.
    const auto nameOf = [&components](PartRef part) {
        return part.equivalent ? texts::equivalentName(part.index + 1)
                               : components[static_cast<std::size_t>(part.index)].name;
    };
    const QString first = markOf(aPositive) + nameOf(a);
    const QString second = markOf(bPositive) + nameOf(b);
    if (series)
        return first + QLatin1Char('&') + model::numberToText(aResistance) + QChar(u'—') + second;
    return first + QLatin1Char('|') + second;
}

Reduction reduce(WorkingNetwork& work, Network& network, const StepCheck& afterStep) {
    ScanIndex index(work);
    return reduce(work, network, index, afterStep);
}

Reduction reduce(WorkingNetwork& work, Network& network, ReductionScans& scans,
                 const StepCheck& afterStep) {
    return Reducer(work, network, scans, afterStep).run();
}

void removeDead(WorkingNetwork& work, Network& network, const std::vector<Equivalent>& equivalents,
                int component) {
    const WorkingComponent& dead = work.components()[static_cast<std::size_t>(component)];
    work.dropTerminal(dead.positive);
    work.dropTerminal(dead.negative);
    for (const int x : componentsInside(dead.part, equivalents))
        network.conductorNodes.addWire(network.positive[static_cast<std::size_t>(x)],
                                       network.negative[static_cast<std::size_t>(x)]);
    work.removeEntry(component);
}

std::vector<int> componentsInside(PartRef part, const std::vector<Equivalent>& equivalents) {
    std::vector<int> dead;
    std::vector<PartRef> pending{part};
    while (!pending.empty()) {
        const PartRef next = pending.back();
        pending.pop_back();
        if (!next.equivalent) {
            dead.push_back(next.index);
            continue;
        }
        const Equivalent& e = equivalents[static_cast<std::size_t>(next.index)];
        pending.push_back(e.b);
        pending.push_back(e.a);
    }
    return dead;
}

} // namespace ampery::analysis
