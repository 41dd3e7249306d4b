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
// make a file of many "№" take quadratic time to open, so each separator is
// searched for once and a field text shared with the previous record is read
// once.
class ComponentRecordReader {
public:
    // The text must outlive the reader.
    explicit ComponentRecordReader(QStringView text);

    // Moves to the next record; false when there is none.
    bool next();

    // Where the record's "№" is in the text.
    qsizetype start() const { return m_start; }
    // The number's text as stored, which decides whether the record is
    // reachable by its number.
    QStringView numberText() const { return m_numberText; }
    const Component& component() const { return m_component; }
    // runningNumber() of the record's name for its type.
    int runningNumber() const { return m_runningNumber; }

private:
    static constexpr std::size_t separatorCount = 13;
    static constexpr std::size_t fieldCount = 9;

    template <typename T> struct Remembered {
        QStringView text;
        T value{};
        bool known = false;
    };

    qsizetype firstInRecord(char16_t separator);
    QStringView between(char16_t opening, char16_t closing);
    template <typename T, typename Read>
    static const T& readOnce(Remembered<T>& remembered, QStringView text, Read read);
    double numberOf(Remembered<double>& remembered, QStringView text);

    QStringView m_text;
    qsizetype m_start = -1;
    qsizetype m_end = -1;
    // Per separator: its first position at or after some earlier record
    // start, -1 when the rest of the text has none, -2 before the first look.
    std::array<qsizetype, separatorCount> m_found;

    QStringView m_numberText;
    Component m_component;
    int m_runningNumber = 0;

    Remembered<double> m_number;
    Remembered<double> m_type;
    std::array<Remembered<double>, fieldCount> m_fields;
    Remembered<QString> m_name;
    Remembered<int> m_running;
    int m_runningType = 0;
};

} // namespace ampery::model
