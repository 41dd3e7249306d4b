#include "recovery_writer.h"

#include "recovery_store.h"

namespace ampery::app {

RecoveryWriter::RecoveryWriter(RecoveryStore& store, std::function<QString()> currentText,
                               QObject* parent)
    : QObject(parent), m_store(store), m_currentText(std::move(currentText)) {
    m_pending.setSingleShot(true);
    connect(&m_pending, &QTimer::timeout, this, &RecoveryWriter::write);
}

void RecoveryWriter::setInterval(std::chrono::milliseconds interval) {
    m_interval = interval;
}

void RecoveryWriter::experimentChanged(bool unsavedChanges) {
    if (!unsavedChanges) {
        m_pending.stop();
        m_store.discard();
        return;
    }
    // The waiting write reads the text when it runs, so it takes this change too.
    if (m_pending.isActive())
        return;
    if (m_sinceWrite.isValid()) {
        const std::chrono::milliseconds since{m_sinceWrite.elapsed()};
        if (since < m_interval) {
            m_pending.start(m_interval - since);
            return;
        }
    }
    write();
}

void RecoveryWriter::flush() {
    if (!m_pending.isActive())
        return;
    m_pending.stop();
    write();
}

void RecoveryWriter::write() {
    const model::FileResult result = m_store.write(m_currentText());
    m_sinceWrite.start();
    if (result.ok) {
        m_failing = false;
        return;
    }
    // The change is not safe yet: try again rather than wait for the next one.
    m_pending.start(m_interval);
    if (!m_failing) {
        m_failing = true;
        emit writeFailed(result.error);
    }
}

} // namespace ampery::app
