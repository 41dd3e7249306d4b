#pragma once

#include "circuit.h"

#include "analysis/circuit_checks.h"
#include "analysis/network.h"
#include "analysis/reduction.h"
#include "analysis/working_network.h"
#include "model/number_text.h"

#include <optional>

// The checks and the reduction on a circuit, kept for looking at the lists
// they leave.
class ReductionRun {
public:
    explicit ReductionRun(Circuit& circuit) {
        circuit.experiment().recount();
        m_extraction = ampery::analysis::extractNetwork(circuit.experiment());
        ampery::analysis::Network& network = m_extraction.network;
        m_work.emplace(network, network.terminals);
        m_shortFree = ampery::analysis::removeShortedComponents(*m_work);
        ampery::analysis::removeOpenSwitchesAndVoltmeters(*m_work);
        m_reduction = ampery::analysis::reduce(*m_work, network);
    }
    ReductionRun(const ReductionRun&) = delete;
    ReductionRun& operator=(const ReductionRun&) = delete;

    const ampery::analysis::Reduction& reduction() const { return m_reduction; }
    QStringList definitions() const {
        QStringList list;
        for (const auto& e : m_reduction.equivalents)
            list.append(e.name() + ' ' + e.definition(m_extraction.network.components) + ' ' +
                        ampery::model::numberToText(e.resistance));
        return list;
    }
    QStringList workingNodes() const { return m_work->nodeTexts(); }
    QStringList fullNodes() const {
        return m_extraction.network.conductorNodes.texts(m_extraction.network.terminals);
    }

private:
    ampery::analysis::Extraction m_extraction;
    std::optional<ampery::analysis::WorkingNetwork> m_work;
    bool m_shortFree = true;
    ampery::analysis::Reduction m_reduction;
};

// A ladder of k stages on a source: stage i is a series resistor from the
// previous junction to junction i and a shunt from junction i to the
// source's "∨". Each pass reduces the last stage: k passes in all.
inline void buildLadder(Circuit& c, int stages) {
    const QString s = c.source();
    QString junction = pos(s);
    for (int i = 0; i < stages; ++i) {
        const QString series = c.resistor(QString::number(10 + i % 7));
        const QString shunt = c.resistor(QString::number(20 + i % 5));
        c.wires({junction, pos(series), neg(series), pos(shunt), neg(shunt), neg(s)});
        junction = neg(series);
    }
}
