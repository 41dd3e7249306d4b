#pragma once

#include "name_index.h"

#include <QString>
#include <QStringView>

#include <utility>
#include <vector>

namespace ampery::analysis {

// The last character of a terminal name; the order gives the ids below.
enum class Mark { Positive, Negative, Other };

// Terminal names as small integer ids, so that the node lists compare and
// index integers instead of splitting texts. Equal names have equal ids.
// Ids come in threes per base name: base∧, base∨ and the bare base (a wire
// end without a mark), so a component's name is looked up once for both of
// its terminals.
class TerminalTable {
public:
    // Room for the names of this many components (wire ends mostly name
    // their terminals; others make the table grow) and as many equivalents.
    void reserve(std::size_t components) {
        m_ids.reserve(components);
        m_bases.reserve(2 * components);
        m_serials.reserve(2 * components);
    }
    // The id of a terminal name, entered when it is new. A new name is kept
    // as a view, not copied, since a file's wire ends can be as long as the
    // file: its text must outlive the table.
    int intern(QStringView terminal);
    // The id of a terminal name, or -1.
    int find(QStringView terminal) const;
    // The ids of name∧ and name∨; the name is kept as a view too.
    std::pair<int, int> componentTerminals(QStringView name);
    // Fresh ids of 拟电阻<serial>∧ and ∨ that find() never returns: the
    // terminals of an equivalent resistor, which never meet a terminal of
    // the experiment. The name is written only when asked for.
    std::pair<int, int> addUnlisted(int serial);

    // Ids per base name: base∧, base∨ and the bare base.
    static constexpr int idsPerBase = 3;
    int size() const { return idsPerBase * static_cast<int>(m_bases.size()); }
    // The ids there can be once equivalents of this many components are
    // added: fewer equivalents than components, each a base of its own.
    std::size_t sizeWithEquivalentsOf(std::size_t components) const {
        return static_cast<std::size_t>(size()) + idsPerBase * components;
    }
    QString name(int id) const;
    Mark mark(int id) const { return static_cast<Mark>(id % idsPerBase); }

private:
    int baseOf(QStringView base);

    NameIndex m_ids;
    std::vector<QStringView> m_bases;
    std::vector<int> m_serials; // per base: an equivalent's serial, 0 for a name
};

} // namespace ampery::analysis
