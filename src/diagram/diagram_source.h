#pragma once

#include "circuit_diagram.h"

#include <QList>
#include <QString>

namespace ampery::model {
class Experiment;
}
namespace ampery::analysis {
struct AnalysisOutcome;
}

namespace ampery::diagram {

// One component as the diagram needs it.
struct DiagramPart {
    int number = 0;
    QString name;
    int type = 0;
    int state = 0;
    SymbolLook look = SymbolLook::Normal; // from the analysis: lit, burnt out, turning
    QString value;

    bool operator==(const DiagramPart&) const = default;
};

// Everything the diagram is laid out from: the components in number order
// and the two terminals of every wire in text order, the lesser first. Where
// the components stand and which end a wire was started at are not part of
// it, so a drag, which joins nothing new, leaves it equal.
struct DiagramSource {
    QList<DiagramPart> parts;
    QList<std::pair<QString, QString>> wires;

    bool operator==(const DiagramSource&) const = default;
};

// The experiment with what its last analysis showed.
DiagramSource diagramSource(const model::Experiment& experiment,
                            const analysis::AnalysisOutcome& outcome);

} // namespace ampery::diagram
