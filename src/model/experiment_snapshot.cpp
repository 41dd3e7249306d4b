#include "experiment_snapshot.h"

#include "separators.h"

#include <QHash>

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

} // namespace

ExperimentSnapshot::ExperimentSnapshot(const Experiment& experiment,
                                       const ExperimentSnapshot* previous)
    : m_rest(experiment) {
    m_rest.setText(QString());
    m_rest.setModified(false);
    QHash<QStringView, qsizetype> earlier;
    if (previous) {
        earlier.reserve(previous->m_records.size());
        for (qsizetype k = 0; k < previous->m_records.size(); ++k)
            earlier.insert(previous->m_records[k], k);
    }
    forEachRecord(experiment.text(), [&](QStringView record) {
        const auto shared = earlier.constFind(record);
        m_records.append(shared == earlier.cend() ? record.toString()
                                                  : previous->m_records[*shared]);
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
