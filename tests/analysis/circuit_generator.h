#pragma once

#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"
#include "model/wire_edits.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <initializer_list>
#include <numeric>
#include <optional>
#include <utility>

// Random experiments for the analysis tests, built through
// the model's own API from a seed.
namespace random_circuits {

using namespace ampery::model;

enum class Role {
    Source,
    Load,      // carries a resistance into the network
    Conductor, // closed switch, ammeter or a resistance within epsilon of zero
    Voltmeter,
    Open, // an open switch, which carries nothing
};

struct Part {
    Part() = default;
    Part(int partType, Role partRole) : type(partType), role(partRole) {}

    int type = 0;
    Role role = Role::Load;
    bool dangling = false;  // hangs from the circuit by one terminal
    bool onDeadEnd = false; // a dangling ammeter hung from the dangling lamp's free end
    int plus = -1;          // wire node of the "∧" terminal
    int minus = -1;         // wire node of the "∨" terminal
    QList<std::pair<Field, QString>> fields;
    QString name;
    int number = 0;

    // The field's text in the part's record: as written, else the type's default.
    QString textOf(Field key) const {
        for (const auto& [f, text] : fields)
            if (f == key)
                return text;
        const ComponentDefaults d = defaultsFor(type);
        switch (key) {
        case Field::State:
            return d.state;
        case Field::Voltage:
            return d.voltage;
        case Field::Resistance:
            return d.resistance;
        case Field::Minimum:
            return d.minimum;
        case Field::Maximum:
            return d.maximum;
        case Field::RatedVoltage:
            return d.ratedVoltage;
        case Field::RatedCurrent:
            return d.ratedCurrent;
        case Field::X:
        case Field::Y:
            break;
        }
        return {};
    }
    double field(Field key) const { return textToNumber(textOf(key)); }
};

struct Circuit {
    QList<Part> parts;
    int nodeCount = 0;
    Experiment experiment;
};

// The random choices, the parts and the placing and wiring that the
// generators share.
class GeneratorBase {
protected:
    explicit GeneratorBase(quint32 seed, int sameNamePercent = 0)
        : m_random(seed), m_sameNamePercent(sameNamePercent) {}

    void startCircuit(Circuit& circuit) {
        m_parts = &circuit.parts;
        m_nodeCount = 0;
        m_circuitNodes.clear();
    }

    int bounded(int low, int high) { return m_random.bounded(low, high); }
    bool chance(int percent) { return bounded(0, 100) < percent; }
    QString pick(std::initializer_list<const char*> texts) {
        return QString::fromLatin1(texts.begin()[bounded(0, int(texts.size()))]);
    }
    // A decimal text of low / 100 up to high / 100 with at most two decimals.
    QString decimal(int low, int high) { return numberToText(bounded(low, high) / 100.0); }

    int newNode() {
        m_circuitNodes.append(m_nodeCount);
        return m_nodeCount++;
    }
    int anyCircuitNode() { return m_circuitNodes[bounded(0, int(m_circuitNodes.size()))]; }
    int voltmeterLead(std::optional<int> freeEnd) {
        const int roll = bounded(0, 100);
        if (roll < 12)
            return m_nodeCount++; // a lead without a wire
        if (roll < 24 && freeEnd)
            return *freeEnd;
        return anyCircuitNode();
    }

    void orient(Part part, int a, int b) {
        const bool flip = chance(50);
        part.plus = flip ? b : a;
        part.minus = flip ? a : b;
        m_parts->append(std::move(part));
    }

    Part load(int type) {
        Part part{type, Role::Load};
        part.fields = {{Field::Resistance, decimal(10, 100000)}};
        if (type == Rheostat)
            part.fields.append({Field::State, QString::number(bounded(0, 5))});
        return part;
    }

    void conductor(int a, int b) {
        const int roll = bounded(0, 3);
        if (roll == 0) {
            Part part{Switch, Role::Conductor};
            part.fields = {{Field::State, "1"}};
            orient(part, a, b);
        } else if (roll == 1) {
            Part part{Ammeter, Role::Conductor};
            part.fields = {{Field::RatedCurrent, pick({"0.001", "0.01", "0.1", "1000", "1000"})}};
            if (chance(20)) // an ammeter conducts whatever resistance it is given
                part.fields.append({Field::Resistance, "2.5"});
            orient(part, a, b);
        } else {
            Part part{bounded(Lamp, Ammeter), Role::Conductor};
            part.fields = {{Field::Resistance, pick({"0", "0.00000005"})}};
            orient(part, a, b);
        }
    }

    // A random series-parallel network between two nodes, a tree of series
    // and parallel compositions; every branch holds at least one load, so
    // that it never shorts its two nodes and every load carries current.
    void network(int a, int b, int depth) {
        // Leaves grow likelier with depth, so that most circuits nest a few levels.
        const int roll = depth >= 4 ? 0 : bounded(0, 20);
        if (roll < 2 + 4 * depth) {
            orient(load(bounded(Lamp, Ammeter)), a, b);
        } else if (roll == 19) {
            bridge(a, b);
        } else if (roll % 2 == 0) {
            series(a, b, depth);
        } else {
            const int branches = bounded(2, 4);
            for (int k = 0; k < branches; ++k)
                network(a, b, depth + 1);
        }
    }

    void series(int a, int b, int depth) {
        QList<bool> isConductor(bounded(1, 4), false);
        isConductor.append(QList<bool>(bounded(isConductor.size() == 1 ? 1 : 0, 3), true));
        std::shuffle(isConductor.begin(), isConductor.end(), m_random);
        int from = a;
        for (qsizetype k = 0; k < isConductor.size(); ++k) {
            const int to = k + 1 == isConductor.size() ? b : newNode();
            if (isConductor[k])
                conductor(from, to);
            else
                network(from, to, depth + 1);
            from = to;
        }
    }

    // Four loads with an ammeter across the middle, which joins the two
    // middle nodes into one.
    void bridge(int a, int b) {
        const int left = newNode();
        const int right = newNode();
        orient(load(Resistor), a, left);
        orient(load(Resistor), left, b);
        orient(load(Lamp), a, right);
        orient(load(Lamp), right, b);
        Part ammeter{Ammeter, Role::Conductor};
        ammeter.fields = {{Field::RatedCurrent, "1000"}};
        orient(ammeter, left, right);
    }

    // Parts that hang from the circuit: a lamp by one terminal, an ammeter
    // by one terminal (sometimes from the lamp's free end) and voltmeters
    // between circuit nodes, the lamp's free end and unwired leads.
    void hangMeters() {
        std::optional<int> freeEnd;
        if (chance(70)) {
            Part lamp = load(Lamp);
            lamp.dangling = true;
            const int attached = anyCircuitNode();
            freeEnd = m_nodeCount++;
            orient(lamp, attached, *freeEnd);
        }
        if (chance(30)) {
            Part ammeter(Ammeter, Role::Conductor);
            ammeter.dangling = true;
            ammeter.fields = {{Field::RatedCurrent, "1000"}};
            ammeter.onDeadEnd = freeEnd && chance(25);
            const int attached = ammeter.onDeadEnd ? *freeEnd : anyCircuitNode();
            orient(ammeter, attached, m_nodeCount++);
        }
        const int voltmeters = bounded(0, 4);
        for (int k = 0; k < voltmeters; ++k) {
            Part meter{Voltmeter, Role::Voltmeter};
            meter.fields = {{Field::RatedVoltage, pick({"0.5", "3", "10", "1000", "1000"})}};
            const int a = voltmeterLead(freeEnd);
            const int b = voltmeterLead(freeEnd);
            orient(meter, a, b);
        }
    }

    // Places the parts in random order, then wires every node along a random
    // spanning tree of its terminals and appends the wires in random order.
    //
    // With a share of same names, that share of the parts other than the
    // source takes the name of a part placed before it, as a hand-edited file
    // can hold: the two then share their terminals, the circuit is no longer
    // the tree it was built as, and a wire that would repeat one is left out.
    void build(Circuit& circuit) {
        circuit.nodeCount = m_nodeCount;
        Experiment& e = circuit.experiment;
        QList<qsizetype> order(circuit.parts.size());
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), m_random);
        QStringList placed;
        for (const qsizetype k : order) {
            Part& part = circuit.parts[k];
            part.name = e.nameNewComponent(part.type);
            if (m_sameNamePercent > 0 && part.role != Role::Source && !placed.isEmpty() &&
                chance(m_sameNamePercent))
                part.name = placed[bounded(0, int(placed.size()))];
            placed.append(part.name);
            const int x = bounded(0, 400);
            const int y = bounded(0, 300);
            part.number = e.addComponent(x, y, part.name, part.type);
            for (const auto& [field, text] : part.fields)
                QVERIFY(e.setFields(part.number, field, text) == Experiment::WriteResult::Written);
        }

        QList<QStringList> terminals(circuit.nodeCount);
        for (const Part& part : std::as_const(circuit.parts)) {
            terminals[part.plus].append(terminalName(part.name, true));
            terminals[part.minus].append(terminalName(part.name, false));
        }
        QList<std::pair<QString, QString>> wires;
        for (QStringList& node : terminals) {
            node.removeDuplicates();
            std::shuffle(node.begin(), node.end(), m_random);
            for (qsizetype k = 1; k < node.size(); ++k) {
                QString a = node[k];
                QString b = node[bounded(0, int(k))];
                if (chance(50))
                    std::swap(a, b);
                wires.append({a, b});
            }
        }
        std::shuffle(wires.begin(), wires.end(), m_random);
        for (const auto& [a, b] : wires) {
            const bool added = appendWire(e, a, b,
                                          QStringLiteral("%1|%2┇%3|%4")
                                              .arg(bounded(0, 400))
                                              .arg(bounded(0, 300))
                                              .arg(bounded(0, 400))
                                              .arg(bounded(0, 300)));
            QVERIFY(added || m_sameNamePercent > 0);
        }
        e.recount();
    }

    QRandomGenerator m_random;
    int m_sameNamePercent = 0;
    QList<Part>* m_parts = nullptr;
    int m_nodeCount = 0;
    QList<int> m_circuitNodes;
};

// Random series-parallel circuits: a source across a series-parallel
// network, with parts hanging from it.
class CircuitGenerator : public GeneratorBase {
public:
    explicit CircuitGenerator(quint32 seed, int sameNamePercent = 0)
        : GeneratorBase(seed, sameNamePercent) {}

    Circuit generate() {
        Circuit circuit;
        startCircuit(circuit);
        const int top = newNode();
        const int bottom = newNode();
        Part source{Source, Role::Source};
        source.fields = {{Field::Voltage, decimal(10, 2400)}};
        orient(source, top, bottom);
        network(top, bottom, 0);
        hangMeters();
        build(circuit);
        return circuit;
    }
};

} // namespace random_circuits
