#pragma once

#include "experiment.h"

#include <QList>
#include <QString>

namespace ampery::model {

// The experiment as it stood after one change: its text and the numbering
// state that travels with it, without the modified flag, which belongs to the
// history rather than to the experiment. The text is kept record by record,
// and records equal to the previous snapshot's share its memory, so a long
// history of small edits to a large experiment holds little more than one
// copy of it.
class ExperimentSnapshot {
public:
    ExperimentSnapshot() = default;
    explicit ExperimentSnapshot(const Experiment& experiment,
                                const ExperimentSnapshot* previous = nullptr);

    // The experiment put back as it was, marked unmodified.
    Experiment experiment() const;
    // Whether the experiment stands exactly as this snapshot has it.
    bool matches(const Experiment& experiment) const;

private:
    QList<QString> m_records; // each with its "‖"; a last piece may lack it
    Experiment m_rest;        // everything but the text
};

} // namespace ampery::model
