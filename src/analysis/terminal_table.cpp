#include "terminal_table.h"

#include "status_texts.h"

#include "model/separators.h"

namespace ampery::analysis {

namespace sep = model::sep;

namespace {

struct Split {
    QStringView base;
    Mark mark;
};

Split split(QStringView terminal) {
    if (terminal.endsWith(QChar(sep::positive)))
        return {terminal.chopped(1), Mark::Positive};
    if (terminal.endsWith(QChar(sep::negative)))
        return {terminal.chopped(1), Mark::Negative};
    return {terminal, Mark::Other};
}

int idOf(int base, Mark mark) {
    return TerminalTable::idsPerBase * base + static_cast<int>(mark);
}

} // namespace

int TerminalTable::baseOf(QStringView base) {
    const int index = static_cast<int>(m_bases.size());
    const auto [found, entered] = m_ids.insert(base, index);
    if (!entered)
        return found;
    m_bases.push_back(base);
    m_serials.push_back(0);
    return index;
}

int TerminalTable::intern(QStringView terminal) {
    const Split s = split(terminal);
    return idOf(baseOf(s.base), s.mark);
}

int TerminalTable::find(QStringView terminal) const {
    const Split s = split(terminal);
    const int base = m_ids.find(s.base);
    return base < 0 ? -1 : idOf(base, s.mark);
}

std::pair<int, int> TerminalTable::componentTerminals(QStringView name) {
    const int base = baseOf(name);
    return {idOf(base, Mark::Positive), idOf(base, Mark::Negative)};
}

std::pair<int, int> TerminalTable::addUnlisted(int serial) {
    const int index = static_cast<int>(m_bases.size());
    m_bases.emplace_back();
    m_serials.push_back(serial);
    return {idOf(index, Mark::Positive), idOf(index, Mark::Negative)};
}

QString TerminalTable::name(int id) const {
    const std::size_t b = static_cast<std::size_t>(id / idsPerBase);
    const QString base =
        m_serials[b] > 0 ? texts::equivalentName(m_serials[b]) : m_bases[b].toString();
    switch (mark(id)) {
    case Mark::Positive:
        return base + QChar(sep::positive);
    case Mark::Negative:
        return base + QChar(sep::negative);
    case Mark::Other:
        break;
    }
    return base;
}

} // namespace ampery::analysis
