#include "snapshot_command.h"

#include "experiment_controller.h"

namespace ampery::area {

SnapshotCommand::SnapshotCommand(const QString& label, model::ExperimentSnapshot before,
                                 model::ExperimentSnapshot after, ExperimentController& controller)
    : QUndoCommand(label), m_before(std::move(before)), m_after(std::move(after)),
      m_controller(controller) {}

void SnapshotCommand::undo() {
    m_controller.restore(m_before);
    m_done = false;
}

void SnapshotCommand::redo() {
    if (m_done)
        return;
    m_controller.restore(m_after);
    m_done = true;
}

} // namespace ampery::area
