#pragma once

#include "working_network.h"

#include "model/component_record.h"

#include <QString>

#include <functional>
#include <vector>

namespace ampery::analysis {

struct Network;

// One equivalent resistor: its definition taken apart, as the components
// inside it are found and the potentials handed down to them.
struct Equivalent {
    int serial = 0; // n of its name 拟电阻n, from 1
    double resistance = 0;
    bool series = false;
    PartRef a; // the part named first in the definition
    PartRef b;
    bool aPositive = true;          // s1 is "∧"
    bool bPositive = true;          // s2 is "∧"
    double aResistance = 0;         // series: part A's resistance, written as RA
    double aResistanceReadBack = 0; // series: RA as read back from its text

    QString name() const;
    // The definition text, for example ∧电灯1&10—∨电阻2, with the names of
    // the physical components from the component lists.
    QString definition(const std::vector<model::Component>& components) const;
};

enum class ReductionEnd {
    Reduced,      // fewer than 3 working components remain
    NoClosedLoop, // a pass left the source without a closed loop
    Stalled,      // a pass changed nothing: no series or parallel step is left
};

struct Reduction {
    ReductionEnd end = ReductionEnd::Reduced;
    int passes = 0;
    std::vector<Equivalent> equivalents;
};

// Called with the working network and the scans before the reduction's first
// step and after each step (a removal or a combination), as the step left
// it: the analysis tests compare the scans' answers there.
using StepCheck = std::function<void(WorkingNetwork&, ReductionScans&)>;

// Reduces the working network step by step: components left with a terminal
// alone or in no node carry nothing and go, pairs in series and in parallel
// become equivalents, until three components are left or a pass changes
// nothing. The questions are answered by the scans given, or else by a
// ScanIndex. A component that loses its current path carries nothing and has
// no voltage across it: its terminals are joined in network.conductorNodes, where the
// meters read the potentials.
Reduction reduce(WorkingNetwork& work, Network& network, const StepCheck& afterStep = {});
Reduction reduce(WorkingNetwork& work, Network& network, ReductionScans& scans,
                 const StepCheck& afterStep = {});

// The physical components inside a part, depth first (component-list
// indices).
std::vector<int> componentsInside(PartRef part, const std::vector<Equivalent>& equivalents);

// Removing a component that has lost its current path: out of every working
// node and the working lists, and the terminals of each physical component
// inside it joined in network.conductorNodes.
void removeDead(WorkingNetwork& work, Network& network, const std::vector<Equivalent>& equivalents,
                int component);

} // namespace ampery::analysis
