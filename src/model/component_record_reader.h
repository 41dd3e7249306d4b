#pragma once

#include "component_record.h"
#include "string_blocks.h"

#include <QStringView>

#include <array>
#include <utility>

namespace ampery::model {

// Reads the component records of an experiment text in text order, as the
// full redraw finds them (from every "№" to the next "‖"; a "№" with no "‖"
// after it gives none) and as parseComponentRecord() reads each of them.
//
// A stray "№" nests one record inside another, and nested records share the
// text after it. Searching and reading that text again for every record would
// make a file of many "№" take quadratic time to open. So a separator is
// searched for from a record start only when no earlier search found it at or
// after this start, or found it missing up to the "‖" that ends this record;
// and a field text shared with the previous record is read once.
//
// The analysis reads every record at each step of a drag, so a record
// starting past all separators found so far is first read in one pass that
// expects the separators in the order the program writes them and reads the
// short whole numbers on the way; any other record is searched for each
// separator still wanted, up to its "‖".
class ComponentRecordReader {
public:
    // The text must outlive the reader.
    explicit ComponentRecordReader(QStringView text);

    // Moves to the next record; false when there is none.
    bool next();

    // Where the record's "№" is in the text.
    qsizetype start() const { return m_start; }
    // The record from its "№" up to and including its "‖".
    QStringView record() const { return m_text.sliced(m_start, m_end + 1 - m_start); }
    // The number's text as stored, which decides whether the record is
    // reachable by its number.
    QStringView numberText() const { return m_numberText; }
    const Component& component() const { return m_component; }
    // The component, moved out where that is cheaper than a copy; the reader
    // must then move on with next(). A long name stays shared with the nested
    // records that may share its text; a short one is read again.
    Component takeComponent() {
        if (m_nameText.size() > shortText)
            return m_component;
        m_nameTaken = true;
        return std::move(m_component);
    }
    // runningNumber() of the record's name for its type, read when asked.
    int runningNumber();

private:
    // The separators searched for after a record's "№", each in a slot.
    static constexpr std::size_t slotCount = 12;
    // Texts up to this long are read again rather than remembered.
    static constexpr qsizetype shortText = 16;

    template <typename T> struct Remembered {
        QStringView text;
        T value{};
        bool known = false;
    };

    qsizetype nextStart() const;
    void searchSeparators();
    // Finds the separators of a record laid out as the program writes it,
    // reading its short whole numbers on the way, or that no "‖" follows;
    // false for any other record, left to the general search.
    bool searchInOrder();
    bool hit(std::size_t slot) const { return (m_hits >> slot & 1u) != 0; }
    QStringView between(std::size_t opening, std::size_t closing) const;
    template <typename T, typename Read>
    T readField(std::size_t opening, std::size_t closing, Remembered<T>& remembered, Read read);
    int wholeNumber(Field field);
    double number(Field field);

    QStringView m_text;
    // Where the names are copied to.
    StringBlocks m_names;
    qsizetype m_start = -1;
    qsizetype m_end = -1;
    // No "№" lies after the start and before this: searchInOrder() found
    // none in the record.
    qsizetype m_noStartBefore = 0;
    // Per slot, where a search for its separator from some record start
    // stopped: at the separator when its bit in m_hits is set, else without
    // it at the first "‖" or the end of the text.
    std::array<qsizetype, slotCount> m_at;
    unsigned m_hits = 0;
    // Per slot, the value of the field text that ends at the slot's
    // separator when searchInOrder() found it and the one before, and the
    // text is up to nine digits alone; else -1.
    std::array<int, slotCount> m_digits;

    QStringView m_numberText;
    // The text the component's name was read from.
    QStringView m_nameText;
    Component m_component;
    bool m_nameTaken = false;

    Remembered<int> m_type;
    // Per field, indexed by Field: x, y and the state are whole numbers.
    std::array<Remembered<int>, 9> m_wholeFields;
    std::array<Remembered<double>, 9> m_fields;
    Remembered<int> m_running;
    int m_runningType = 0;
};

} // namespace ampery::model
