#pragma once

#include "component_record.h"

#include <QList>
#include <QString>

#include <array>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace ampery::model {

inline constexpr int motorSlotCount = 10;

// The experiment text and the numbering state that travels with it. Every
// method changes the text and this state only: drawing and analysis are the
// caller's business.
class Experiment {
public:
    enum class WriteResult { Written, NoSuchComponent, InvalidValue };

    const QString& text() const { return m_text; }
    // Replaces the text as it stands (opening a file); the rest of the state
    // is left to reset() and recount().
    void setText(QString text) { m_text = std::move(text); }
    // In-place edits by the wire operations, which keep every other byte.
    QString& editableText() { return m_text; }

    int highestNumber() const { return m_highestNumber; }
    const QList<int>& freeNumbers() const { return m_freeNumbers; }
    int highestRunningNumber(int type) const;
    double sourceVoltage() const { return m_sourceVoltage; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    const std::array<QString, motorSlotCount>& motorSlots() const { return m_motorSlots; }
    void setMotorSlot(int index, const QString& name);
    // The slot a new motor takes: the last free one, as the motors' timers
    // were always handed out; -1 when all are taken.
    int lastFreeMotorSlot() const;

    // New experiment: empty text, numbering and motor slots cleared.
    void reset();
    // Opening: the text as it stands with its motor slots, everything else
    // as after reset(); the full redraw brings the numbering up to date.
    void load(QString text);

    // Whether two experiments hold the same text and numbering state; the
    // modified flag is not part of it.
    enum class Compare { Everything, AllButText };
    bool hasSameStateAs(const Experiment& other, Compare what = Compare::Everything) const;

    // Placing: raises the type's running number and names the component.
    QString nameNewComponent(int type);
    // Allocates a number (oldest freed number first), appends the record with
    // the type's defaults and returns the number.
    int addComponent(int x, int y, const QString& name, int type);

    // The 0-based index of the record's "№", found by "№" + number + "□".
    qsizetype findComponentRecord(int number) const;
    std::optional<Component> readComponent(int number) const;
    // The raw text of one field, as stored (the settings panel shows it).
    QString readFieldText(int number, Field field) const;
    // Every readable component, in number order: the records that
    // findComponentRecord() reaches.
    std::vector<Component> components() const;
    // The same, each with its record's text (valid while the text is not
    // changed), for reading field texts in one pass.
    struct ReadRecord {
        Component component;
        QStringView record;
    };
    std::vector<ReadRecord> componentRecords() const;

    // Writes one or two fields; only the text between the separators changes.
    // A value holding a separator or a character GBK cannot encode is refused.
    WriteResult setFields(int number, Field field, const QString& value);
    WriteResult setFields(int number, Field field1, const QString& value1, Field field2,
                          const QString& value2);

    // What the full redraw keeps up to date: the highest component number,
    // the highest-number table (only raised) and the source voltage. Returns
    // whether any component record was found.
    bool recount();

    // Removes the component with its wires and frees its number. Returns the
    // motor slots it emptied (0-based), whose timers the caller stops.
    QList<int> deleteComponent(int number);

    // Motor slots of an opened file: each "◇电动机" name takes the first free
    // slot; names past the tenth get none.
    void rebuildMotorSlots();

private:
    WriteResult writeFields(int number,
                            std::initializer_list<std::pair<Field, const QString&>> fields);
    WriteResult writeField(qsizetype recordStart, Field field, const QString& value);

    QString m_text;
    int m_highestNumber = 0;
    QList<int> m_freeNumbers;
    std::array<int, 8> m_highestRunning{};
    double m_sourceVoltage = 0.0;
    bool m_modified = false;
    std::array<QString, motorSlotCount> m_motorSlots;
};

} // namespace ampery::model
