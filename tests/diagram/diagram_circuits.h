#pragma once

#include "model/component_type.h"
#include "model/experiment.h"
#include "model/separators.h"
#include "model/wire_edits.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <numeric>
#include <vector>

// Random experiments for the diagram tests, built through the model's own
// API from a seed: series-parallel networks with meters, open and closed
// switches, dead branches, shorted parts, unwired parts, repeated wires and
// separate groups; bridges; and anything at all.
namespace diagram_circuits {

using namespace ampery::model;

enum class Shape {
    SeriesParallel, // drawn without a crossing
    Bridge,         // a bridge in the source's loop, the rest series-parallel
    Any,            // extra parts and wires anywhere
};

class Generator {
public:
    explicit Generator(quint32 seed) : m_random(seed) {}

    Experiment generate(Shape shape) {
        m_parts.clear();
        m_parent.clear();
        const int top = newNode();
        const int bottom = newNode();
        if (!chance(8))
            add(Source, top, bottom);
        if (shape == Shape::Bridge)
            bridge(top, bottom, 1);
        else
            network(top, bottom, 0);
        for (int k = bounded(0, 3); k > 0; --k)
            deadBranch();
        for (int k = bounded(0, 3); k > 0; --k)
            voltmeterAcrossAPart();
        if (chance(12))
            shortAPart();
        if (chance(20)) {
            const int a = newNode();
            const int b = newNode();
            network(a, b, 2);
            network(a, b, 3);
        }
        if (shape == Shape::Any) {
            for (int k = bounded(1, 5); k > 0; --k)
                add(anyType(), bounded(0, nodeCount()), bounded(0, nodeCount()));
            for (int k = bounded(0, 3); k > 0; --k)
                merge(bounded(0, nodeCount()), bounded(0, nodeCount()));
        }
        for (int k = bounded(0, 3); k > 0; --k)
            add(anyType(), newNode(), newNode());
        return build();
    }

private:
    struct Part {
        int type;
        int state;
        int plus;
        int minus;
    };

    int bounded(int low, int high) { return m_random.bounded(low, high); }
    bool chance(int percent) { return bounded(0, 100) < percent; }
    int nodeCount() const { return int(m_parent.size()); }
    int newNode() {
        m_parent.push_back(nodeCount());
        return nodeCount() - 1;
    }
    int root(int node) const {
        while (m_parent[std::size_t(node)] != node)
            node = m_parent[std::size_t(node)];
        return node;
    }
    void merge(int a, int b) { m_parent[std::size_t(root(a))] = root(b); }

    int anyType() {
        static const int types[] = {Switch, Lamp, Resistor, Rheostat, Motor, Ammeter, Voltmeter};
        return types[bounded(0, 7)];
    }
    int loadType() {
        static const int types[] = {Switch, Lamp, Lamp, Resistor, Rheostat, Motor, Ammeter};
        return types[bounded(0, 7)];
    }
    void add(int type, int plus, int minus) {
        const int state = type == Switch ? bounded(0, 2) : type == Rheostat ? bounded(0, 5) : 0;
        if (chance(50))
            std::swap(plus, minus);
        m_parts.push_back({type, state, plus, minus});
    }

    void network(int a, int b, int depth) {
        const int pick = depth >= 3 ? 0 : bounded(0, 10);
        if (pick < 4) {
            add(loadType(), a, b);
        } else if (pick < 7) {
            int from = a;
            for (int k = bounded(2, 4); k > 1; --k) {
                const int to = newNode();
                network(from, to, depth + 1);
                from = to;
            }
            network(from, b, depth + 1);
        } else {
            for (int k = bounded(2, 4); k > 0; --k)
                network(a, b, depth + 1);
        }
    }

    void bridge(int a, int d, int depth) {
        const int b = newNode();
        const int c = newNode();
        network(a, b, depth + 1);
        network(b, d, depth + 1);
        network(a, c, depth + 1);
        network(c, d, depth + 1);
        network(b, c, depth + 1);
    }

    void deadBranch() {
        int from = bounded(0, nodeCount());
        for (int k = bounded(1, 3); k > 0; --k) {
            const int to = newNode();
            add(loadType(), from, to);
            from = to;
        }
    }

    void voltmeterAcrossAPart() {
        if (m_parts.empty())
            return;
        const Part across = m_parts[std::size_t(bounded(0, int(m_parts.size())))];
        add(Voltmeter, across.plus, across.minus);
    }

    // A wire straight across a part.
    void shortAPart() {
        const Part part = m_parts[std::size_t(bounded(0, int(m_parts.size())))];
        if (part.type != Source)
            merge(part.plus, part.minus);
    }

    Experiment build() {
        Experiment experiment;
        QList<QList<QString>> terminals(nodeCount());
        for (const Part& part : m_parts) {
            const QString name = experiment.nameNewComponent(part.type);
            const int number = experiment.addComponent(10, 10, name, part.type);
            if (part.type == Switch || part.type == Rheostat)
                experiment.setFields(number, Field::State, QString::number(part.state));
            terminals[root(part.plus)].append(terminalName(name, true));
            terminals[root(part.minus)].append(terminalName(name, false));
        }
        int ghost = 900;
        for (const QList<QString>& node : terminals) {
            for (qsizetype k = 1; k < node.size(); ++k) {
                const QString& earlier = node[bounded(0, int(k))];
                appendWire(experiment, node[k], earlier, QStringLiteral("0|0┇5|5"));
                // A file may hold a wire twice, and wires to posts long gone.
                if (chance(8))
                    experiment.editableText() +=
                        QStringLiteral("⊙%1|%2¤1|1┇6|6‖").arg(earlier, node[k]);
                if (chance(4))
                    appendWire(experiment, node[k],
                               terminalName(QStringLiteral("电灯%1").arg(++ghost), true),
                               QStringLiteral("2|2┇7|7"));
            }
        }
        experiment.recount();
        return experiment;
    }

    QRandomGenerator m_random;
    std::vector<Part> m_parts;
    std::vector<int> m_parent;
};

} // namespace diagram_circuits
