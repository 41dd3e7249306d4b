#include "terminal_table.h"

#include "model/separators.h"

namespace ampery::analysis {

namespace sep = model::sep;

namespace {

Mark markOf(QStringView name) {
    if (name.endsWith(QChar(sep::positive)))
        return Mark::Positive;
    if (name.endsWith(QChar(sep::negative)))
        return Mark::Negative;
    return Mark::Other;
}

} // namespace

int TerminalTable::intern(QStringView name) {
    const auto found = m_ids.constFind(name);
    if (found != m_ids.constEnd())
        return found.value();
    const int id = size();
    m_names.push_back(name.toString());
    m_marks.push_back(markOf(name));
    m_unlisted.push_back(false);
    m_ids.insert(QStringView(m_names.back()), id);
    return id;
}

int TerminalTable::find(QStringView name) const { return m_ids.value(name, -1); }

int TerminalTable::addUnlisted(const QString& base, Mark mark) {
    const int id = size();
    m_names.push_back(base);
    m_marks.push_back(mark);
    m_unlisted.push_back(true);
    return id;
}

QString TerminalTable::name(int id) const {
    const std::size_t i = static_cast<std::size_t>(id);
    if (!m_unlisted[i])
        return m_names[i];
    const Mark mark = m_marks[i];
    if (mark == Mark::Other)
        return m_names[i];
    return m_names[i] + QChar(mark == Mark::Positive ? sep::positive : sep::negative);
}

} // namespace ampery::analysis
