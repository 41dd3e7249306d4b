#pragma once

#include "component_record.h"

#include <QStringView>

#include <array>

namespace ampery::model {

// Reads the component records of an experiment text in text order, as the
// full redraw finds them (from every "№" to the next "‖"; a "№" with no "‖"
// after it gives none) and as parseComponentRecord() reads each of them.
//
// A stray "№" nests one record inside another, and nested records share the
// text after it. Searching and reading that text again for every record would
// make a file of many "№" take quadratic time to open. So the separators are
// searched for together in one pass from a record start, leaving out each
// that an earlier pass found at or after this start, or found missing up to
// the "‖" that ends this record; and a field text shared with the previous
// record is read once.
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
    // must then move on with next().
    Component takeComponent();
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
    bool hit(std::size_t slot) const { return (m_hits >> slot & 1u) != 0; }
    QStringView between(std::size_t opening, std::size_t closing) const;
    QStringView fieldText(Field field) const;
    template <typename T, typename Read>
    static T readOnce(Remembered<T>& remembered, QStringView text, Read read);
    int wholeNumber(Field field);
    double number(Field field);

    QStringView m_text;
    qsizetype m_start = -1;
    qsizetype m_end = -1;
    // Per slot, where a search for its separator from some record start
    // stopped: at the separator when its bit in m_hits is set, else without
    // it at the first "‖" or the end of the text.
    std::array<qsizetype, slotCount> m_at;
    unsigned m_hits = 0;

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
