#pragma once

#include "circuit_generator.h"

#include "model/component_type.h"

#include <QList>

#include <algorithm>

namespace random_circuits {

using namespace ampery::model;

// Placing a motor gives it the last free slot; motors past the tenth get none.
inline void giveMotorSlots(Circuit& circuit) {
    QList<const Part*> motors;
    for (const Part& p : std::as_const(circuit.parts))
        if (p.type == Motor)
            motors.append(&p);
    std::sort(motors.begin(), motors.end(),
              [](const Part* a, const Part* b) { return a->number < b->number; });
    for (const Part* m : std::as_const(motors))
        circuit.experiment.setMotorSlot(circuit.experiment.lastFreeMotorSlot(), m->name);
}

// A source across a network that is not series-parallel, alone or in series
// or in parallel with a series-parallel one, and dead parts besides: a bridge
// hanging from the circuit by one node or standing apart, open switches,
// shorted loads, and the dangling lamp, ammeter and voltmeters of the base.
class NetworkGenerator : public GeneratorBase {
public:
    explicit NetworkGenerator(quint32 seed) : GeneratorBase(seed) {}

    Circuit generate() {
        Circuit circuit;
        startCircuit(circuit);
        m_balanced.clear();
        const int top = newNode();
        const int bottom = newNode();
        Part source{Source, Role::Source};
        source.fields = {{Field::Voltage, decimal(150, 2400)}};
        orient(source, top, bottom);
        surroundings(top, bottom);
        deadParts();
        hangMeters();
        build(circuit);
        giveMotorSlots(circuit);
        return circuit;
    }

    // The load in the bridge branch of each balanced bridge.
    const QList<qsizetype>& balancedBranches() const { return m_balanced; }

private:
    void surroundings(int a, int b) {
        const int roll = bounded(0, 3);
        if (roll == 0) {
            notSeriesParallel(a, b, 0);
        } else if (roll == 1) {
            const int middle = newNode();
            const bool first = chance(50);
            notSeriesParallel(first ? a : middle, first ? middle : b, 0);
            network(first ? middle : a, first ? b : middle, 3);
        } else {
            notSeriesParallel(a, b, 0);
            network(a, b, 3);
        }
    }

    // A network between two nodes that series and parallel steps cannot
    // reduce; only bridges are nested in a bridge's arm.
    void notSeriesParallel(int a, int b, int depth) {
        const int roll = bounded(0, depth == 0 ? 9 : 5);
        if (roll < 3)
            wheatstone(a, b, depth);
        else if (roll < 5)
            balancedBridge(a, b);
        else if (roll < 7)
            mesh(a, b);
        else
            ladder(a, b);
    }

    Part anyLoad() {
        const int roll = bounded(0, 20);
        return ratedLoad(roll < 7 ? Lamp : roll < 14 ? Resistor : roll < 16 ? Rheostat : Motor);
    }
    Part ratedLoad(int type) {
        Part part = load(type);
        if (type == Lamp || type == Motor)
            part.fields.append({Field::RatedVoltage, pick({"1.5", "2.5", "3.8", "6", "12", "24"})});
        return part;
    }
    Part bridgeLoad() {
        const int roll = bounded(0, 20);
        return ratedLoad(roll < 8 ? Lamp : roll < 13 ? Resistor : roll < 17 ? Motor : Rheostat);
    }
    // Whether the circuit has room for more nodes, so that it stays small.
    bool roomy() const { return m_nodeCount < 16; }

    Part openSwitch() {
        Part part{Switch, Role::Open};
        part.fields = {{Field::State, "0"}};
        return part;
    }

    // A load in series with some conductors, now and then a shorted load (a
    // load with a conductor across it) or an open switch, in random order.
    // Returns the load's index.
    qsizetype chain(int a, int b, const Part& theLoad, bool mayOpen) {
        enum class Piece { Load, Conductor, Shorted, Open };
        QList<Piece> pieces{Piece::Load};
        if (chance(25) && roomy())
            pieces.append(Piece::Conductor);
        if (chance(8) && roomy())
            pieces.append(Piece::Conductor);
        if (chance(6) && roomy())
            pieces.append(Piece::Shorted);
        if (mayOpen && chance(4))
            pieces.append(Piece::Open);
        std::shuffle(pieces.begin(), pieces.end(), m_random);
        qsizetype index = -1;
        int from = a;
        for (qsizetype k = 0; k < pieces.size(); ++k) {
            const int to = k + 1 == pieces.size() ? b : newNode();
            switch (pieces[k]) {
            case Piece::Load:
                index = m_parts->size();
                orient(theLoad, from, to);
                break;
            case Piece::Conductor:
                conductor(from, to);
                break;
            case Piece::Shorted:
                orient(anyLoad(), from, to);
                conductor(from, to);
                break;
            case Piece::Open:
                orient(openSwitch(), from, to);
                break;
            }
            from = to;
        }
        return index;
    }

    // Four arms and a bridge branch; an arm is now and then a bridge itself
    // or a series-parallel network.
    void wheatstone(int a, int b, int depth) {
        const int left = newNode();
        const int right = newNode();
        const std::pair<int, int> arms[] = {{a, left}, {left, b}, {a, right}, {right, b}};
        for (const auto& [x, y] : arms) {
            const int roll = bounded(0, 20);
            if (depth == 0 && roll < 3 && roomy())
                notSeriesParallel(x, y, 1);
            else if (roll < 5 && roomy())
                network(x, y, 3);
            else
                chain(x, y, anyLoad(), true);
        }
        chain(left, right, bridgeLoad(), true);
    }

    // Arms of m1 u, m2 u, m1 w and m2 w ohms: both middle nodes divide the
    // voltage alike, so no current flows in the bridge branch.
    void balancedBridge(int a, int b) {
        const auto unit = [this] { return pick({"0.5", "1", "2", "2.5", "5", "10", "20", "50"}); };
        const int m1 = bounded(1, 21);
        const int m2 = bounded(1, 21);
        const double u = textToNumber(unit());
        const double w = textToNumber(unit());
        const int left = newNode();
        const int right = newNode();
        const auto arm = [&](int x, int y, int m, double size) {
            Part part = anyLoad();
            part.fields[0] = {Field::Resistance, numberToText(m * size)}; // load() writes it first
            chain(x, y, part, false);
        };
        arm(a, left, m1, u);
        arm(left, b, m2, u);
        arm(a, right, m1, w);
        arm(right, b, m2, w);
        m_balanced.append(chain(left, right, bridgeLoad(), false));
    }

    // A grid of 2 × 3 up to 3 × 4 nodes fed at opposite corners.
    void mesh(int a, int b) {
        const int rows = bounded(2, 4);
        const int columns = bounded(3, 5);
        QList<QList<int>> grid(rows, QList<int>(columns));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                grid[r][c] = r == 0 && c == 0                    ? a
                             : r == rows - 1 && c == columns - 1 ? b
                                                                 : newNode();
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                if (c + 1 < columns)
                    chain(grid[r][c], grid[r][c + 1], anyLoad(), true);
                if (r + 1 < rows)
                    chain(grid[r][c], grid[r + 1][c], anyLoad(), true);
            }
        }
    }

    // A ladder of rails and rungs: fed at one end with both diagonals in one
    // cell, or fed at opposite ends, now and then with one diagonal.
    void ladder(int a, int b) {
        const bool sameEnd = chance(50);
        const int columns = sameEnd ? bounded(2, 5) : bounded(3, 5);
        QList<int> upper{a};
        QList<int> lower{sameEnd ? b : newNode()};
        for (int c = 1; c < columns; ++c) {
            upper.append(newNode());
            lower.append(!sameEnd && c + 1 == columns ? b : newNode());
        }
        for (int c = 0; c + 1 < columns; ++c) {
            chain(upper[c], upper[c + 1], anyLoad(), true);
            chain(lower[c], lower[c + 1], anyLoad(), true);
        }
        for (int c = sameEnd ? 1 : 0; c < columns; ++c)
            chain(upper[c], lower[c], anyLoad(), true);
        if (sameEnd && chance(30))
            chain(a, b, anyLoad(), true);
        const int cell = bounded(0, columns - 1);
        if (sameEnd || chance(50))
            chain(upper[cell], lower[cell + 1], anyLoad(), true);
        if (sameEnd)
            chain(upper[cell + 1], lower[cell], anyLoad(), true);
    }

    void deadParts() {
        if (chance(15))
            orient(openSwitch(), anyCircuitNode(), anyCircuitNode());
        if (chance(10)) {
            const int from = anyCircuitNode();
            const int middle = newNode();
            orient(anyLoad(), from, middle);
            orient(openSwitch(), middle, anyCircuitNode());
        }
        if (chance(12) && roomy())
            closedBridge(anyCircuitNode(), newNode());
        if (chance(6) && roomy())
            closedBridge(newNode(), newNode());
    }

    // A bridge with a load across its ends: no node of it joins only two
    // parts, so that it is no series-parallel network even where it hangs.
    void closedBridge(int a, int b) {
        wheatstone(a, b, 1);
        chain(a, b, anyLoad(), false);
    }

    QList<qsizetype> m_balanced;
};

} // namespace random_circuits
