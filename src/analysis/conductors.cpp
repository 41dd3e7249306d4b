#include "conductors.h"

#include "tolerance.h"

#include "model/component_type.h"

#include <cmath>

namespace ampery::analysis {

using namespace model;

namespace {
bool zeroResistance(const Component& c) {
    return std::abs(c.resistance) <= epsilon;
}
} // namespace

bool isPlainConductor(const Component& c) {
    if (c.type == Switch)
        return c.state == 1;
    if (c.type == Ammeter)
        return true;
    return zeroResistance(c) && c.type != Source && c.type != Voltmeter && c.type != blankTypeCode;
}

bool joinsAsConductor(const Component& c) {
    return c.type != Source && c.type != Voltmeter && !(c.type == Switch && c.state == 0);
}

bool joinsInAmmeterView(const Component& c) {
    return c.type == Ammeter || (c.type == Switch && c.state == 1) ||
           (zeroResistance(c) && c.type != Source && c.type != Switch && c.type != Voltmeter);
}

bool leavesAmmeterView(const Component& c) {
    return c.type == Ammeter || c.type == Voltmeter || c.type == Switch ||
           (zeroResistance(c) && c.type != Source);
}

} // namespace ampery::analysis
