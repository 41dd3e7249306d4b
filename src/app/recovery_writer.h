#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace ampery::app {

class RecoveryStore;

// Keeps the store's recovery copy up to date with the experiment without
// writing on every single change: at most one write per interval. A change
// after a quiet interval is written at once; changes soon after a write are
// gathered into one write at the end of the interval, of the text as it is
// then.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    RecoveryWriter(RecoveryStore& store, std::function<QString()> currentText,
                   QObject* parent = nullptr);

    void setInterval(std::chrono::milliseconds interval);

    // To be called after every change of the experiment, saying whether it
    // now differs from the saved file. Without unsaved changes (a new or
    // opened experiment, a save, undo back to the saved state) there is
    // nothing to recover: a waiting write is dropped and the copy discarded.
    void experimentChanged(bool unsavedChanges);
    // Writes a waiting change now, e.g. before the program is closed.
    void flush();

signals:
    // A write failed after the last one succeeded; further failures are
    // quiet until a write succeeds again. The writer keeps trying once per
    // interval while changes are unsaved.
    void writeFailed(const QString& reason);

private:
    void write();

    RecoveryStore& m_store;
    std::function<QString()> m_currentText;
    std::chrono::milliseconds m_interval{2000};
    QTimer m_pending;
    QElapsedTimer m_sinceWrite;
    bool m_failing = false;
};

} // namespace ampery::app
