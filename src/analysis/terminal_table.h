#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

#include <vector>

namespace ampery::analysis {

// The last character of a terminal name.
enum class Mark { Positive, Negative, Other };

// Terminal names as small integer ids, so that the node lists compare and
// index integers instead of splitting texts. Equal names have equal ids.
class TerminalTable {
public:
    // The id of the name, entered when it is new.
    int intern(QStringView name);
    // The id of the name, or -1.
    int find(QStringView name) const;
    // A fresh id that find() never returns, named base + mark: the terminals
    // of an equivalent resistor, which never meet a terminal of the
    // experiment.
    int addUnlisted(const QString& base, Mark mark);

    int size() const { return static_cast<int>(m_names.size()); }
    QString name(int id) const;
    Mark mark(int id) const { return m_marks[static_cast<std::size_t>(id)]; }

private:
    // Keys view the texts held in m_names, whose buffers never move.
    QHash<QStringView, int> m_ids;
    std::vector<QString> m_names; // unlisted ids: the base name
    std::vector<Mark> m_marks;
    std::vector<bool> m_unlisted;
};

} // namespace ampery::analysis
