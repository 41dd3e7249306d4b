#pragma once

#include "model/experiment_snapshot.h"

#include <QUndoCommand>

namespace ampery::area {

class ExperimentController;

// One step of the history: the experiment before and after a change. The
// change itself has already been made when the step is recorded, so the
// first redo, which QUndoStack runs on push, does nothing.
class SnapshotCommand : public QUndoCommand {
public:
    SnapshotCommand(const QString& label, model::ExperimentSnapshot before,
                    model::ExperimentSnapshot after, ExperimentController& controller);

    void undo() override;
    void redo() override;

private:
    model::ExperimentSnapshot m_before;
    model::ExperimentSnapshot m_after;
    ExperimentController& m_controller;
    bool m_done = true;
};

} // namespace ampery::area
