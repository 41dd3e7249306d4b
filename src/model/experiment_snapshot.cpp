#include "experiment_snapshot.h"

#include "separators.h"

#include <QHashFunctions>

#include <unordered_map>

namespace ampery::model {

namespace {

// The text cut after every "‖", keeping it; text after the last "‖" is a
// piece of its own.
template <typename Visit> void forEachRecord(QStringView text, Visit visit) {
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype end = text.indexOf(QChar(sep::recordEnd), from);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        visit(text.mid(from, next - from));
        from = next;
    }
}

// Qt's QHash, inlined at a link-time optimised link, makes GCC warn of an
// impossible allocation size; the standard table does not.
struct ViewHash {
    std::size_t operator()(QStringView text) const noexcept { return qHash(text); }
};

} // namespace

ExperimentSnapshot::ExperimentSnapshot(const Experiment& experiment,
                                       const ExperimentSnapshot* previous)
    : m_rest(experiment) {
    m_rest.setText(QString());
    m_rest.setModified(false);
    // A copy of each record in the previous snapshot, whose text this one
    // shares.
    std::unordered_map<QStringView, qsizetype, ViewHash> earlier;
    if (previous) {
        earlier.reserve(static_cast<std::size_t>(previous->m_records.size()));
        for (qsizetype k = 0; k < previous->m_records.size(); ++k)
            earlier.insert_or_assign(previous->m_records[k], k);
    }
    forEachRecord(experiment.text(), [&](QStringView record) {
        const auto shared = earlier.find(record);
        m_records.append(shared == earlier.end() ? record.toString()
                                                 : previous->m_records[shared->second]);
    });
}

Experiment ExperimentSnapshot::experiment() const {
    Experiment restored = m_rest;
    QString text;
    qsizetype size = 0;
    for (const QString& record : m_records)
        size += record.size();
    text.reserve(size);
    for (const QString& record : m_records)
        text += record;
    restored.setText(std::move(text));
    return restored;
}

bool ExperimentSnapshot::matches(const Experiment& experiment) const {
    if (!experiment.hasSameStateAs(m_rest, Experiment::Compare::AllButText))
        return false;
    qsizetype k = 0;
    bool same = true;
    forEachRecord(experiment.text(), [&](QStringView record) {
        same = same && k < m_records.size() && m_records[k] == record;
        ++k;
    });
    return same && k == m_records.size();
}

} // namespace ampery::model
