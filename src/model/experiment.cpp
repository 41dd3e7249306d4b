#include "experiment.h"

#include "component_record_reader.h"
#include "component_type.h"
#include "gbk.h"
#include "number_text.h"
#include "record_scan.h"
#include "separators.h"

#include <algorithm>
#include <limits>

namespace ampery::model {

int Experiment::highestRunningNumber(int type) const {
    return isComponentType(type) ? m_highestRunning[static_cast<std::size_t>(type - 1)] : 0;
}

void Experiment::setMotorSlot(int index, const QString& name) {
    if (index >= 0 && index < motorSlotCount)
        m_motorSlots[static_cast<std::size_t>(index)] = name;
}

int Experiment::lastFreeMotorSlot() const {
    for (int k = motorSlotCount - 1; k >= 0; --k)
        if (m_motorSlots[static_cast<std::size_t>(k)].isEmpty())
            return k;
    return -1;
}

void Experiment::reset() {
    *this = Experiment();
}

void Experiment::load(QString text) {
    reset();
    m_text = std::move(text);
    rebuildMotorSlots();
}

bool Experiment::hasSameStateAs(const Experiment& other, Compare what) const {
    return (what == Compare::AllButText || m_text == other.m_text) &&
           m_highestNumber == other.m_highestNumber && m_freeNumbers == other.m_freeNumbers &&
           m_highestRunning == other.m_highestRunning && m_sourceVoltage == other.m_sourceVoltage &&
           m_motorSlots == other.m_motorSlots;
}

QString Experiment::nameNewComponent(int type) {
    if (!isComponentType(type))
        return {};
    int& entry = m_highestRunning[static_cast<std::size_t>(type - 1)];
    if (entry < std::numeric_limits<int>::max())
        ++entry;
    return componentName(type, entry);
}

int Experiment::addComponent(int x, int y, const QString& name, int type) {
    int number = 0;
    if (m_freeNumbers.isEmpty()) {
        number = ++m_highestNumber;
    } else {
        number = m_freeNumbers.takeFirst();
        m_highestNumber = std::max(m_highestNumber, number);
    }
    m_text += buildComponentRecord(number, x, y, name, type);
    if (type == Source)
        m_sourceVoltage = 6.0;
    m_modified = true;
    return number;
}

qsizetype Experiment::findComponentRecord(int number) const {
    return m_text.indexOf(recordKey(number));
}

namespace {

// The record starting at start, up to and including its "‖"; empty when the
// record is not closed.
QStringView recordAt(const QString& text, qsizetype start) {
    if (start < 0)
        return {};
    const qsizetype end = text.indexOf(QChar(sep::recordEnd), start);
    if (end < 0)
        return {};
    return QStringView(text).mid(start, end + 1 - start);
}

} // namespace

std::optional<Component> Experiment::readComponent(int number) const {
    const QStringView record = recordAt(m_text, findComponentRecord(number));
    if (record.isEmpty())
        return std::nullopt;
    return parseComponentRecord(record);
}

QString Experiment::readFieldText(int number, Field field) const {
    return fieldText(recordAt(m_text, findComponentRecord(number)), field).toString();
}

namespace {

// Whether the text is the positive number as QString::number() writes it:
// its digits from the last, and no more.
bool isDecimalOf(QStringView text, int number) {
    qsizetype at = text.size();
    for (auto rest = static_cast<unsigned>(number); rest > 0; rest /= 10)
        if (--at < 0 || text[at] != QChar(u'0' + rest % 10))
            return false;
    return at == 0;
}

int numberOf(const Component& component) {
    return component.number;
}
int numberOf(const Experiment::ReadRecord& read) {
    return read.component.number;
}

// The records that findComponentRecord() reaches, in number order, each as
// take() makes it from the reader.
template <typename Record, typename Take>
std::vector<Record> reachableRecords(const QString& text, Take take) {
    std::vector<Record> found;
    // A record is some thirty characters or more, and the wires take their
    // share of the text: room for most experiments' records at once.
    found.reserve(static_cast<std::size_t>(std::min<qsizetype>(text.size() / 48, 512)));
    bool inNumberOrder = true;
    ComponentRecordReader reader(text);
    while (reader.next()) {
        const int n = reader.component().number;
        // Only a record that "№" + n + "□" finds is reachable by number: the
        // first of those with that number text, sorted out below.
        if (n <= 0 || !isDecimalOf(reader.numberText(), n))
            continue;
        inNumberOrder = inNumberOrder && (found.empty() || numberOf(found.back()) < n);
        found.push_back(take(reader));
    }
    // Records are mostly written in number order and then need no sorting.
    // Otherwise records of one number stay in text order, and the first of
    // them is kept.
    if (!inNumberOrder) {
        const auto byNumber = [](const Record& a, const Record& b) {
            return numberOf(a) < numberOf(b);
        };
        std::stable_sort(found.begin(), found.end(), byNumber);
        const auto sameNumber = [](const Record& a, const Record& b) {
            return numberOf(a) == numberOf(b);
        };
        found.erase(std::unique(found.begin(), found.end(), sameNumber), found.end());
    }
    return found;
}

} // namespace

std::vector<Experiment::ReadRecord> Experiment::componentRecords() const {
    return reachableRecords<ReadRecord>(m_text, [](ComponentRecordReader& reader) {
        const QStringView record = reader.record();
        return ReadRecord{reader.takeComponent(), record};
    });
}

std::vector<Component> Experiment::components() const {
    return reachableRecords<Component>(
        m_text, [](ComponentRecordReader& reader) { return reader.takeComponent(); });
}

Experiment::WriteResult Experiment::writeField(qsizetype recordStart, Field field,
                                               const QString& value) {
    const QStringView record = recordAt(m_text, recordStart);
    const QStringView current = fieldText(record, field);
    if (record.isEmpty() || current.data() == nullptr)
        return WriteResult::NoSuchComponent;
    const qsizetype at = current.data() - m_text.constData();
    m_text.replace(at, current.size(), value);
    if (field == Field::Voltage)
        m_sourceVoltage = textToNumber(value);
    return WriteResult::Written;
}

Experiment::WriteResult Experiment::setFields(int number, Field field, const QString& value) {
    return writeFields(number, {{field, value}});
}

Experiment::WriteResult Experiment::setFields(int number, Field field1, const QString& value1,
                                              Field field2, const QString& value2) {
    return writeFields(number, {{field1, value1}, {field2, value2}});
}

Experiment::WriteResult
Experiment::writeFields(int number,
                        std::initializer_list<std::pair<Field, const QString&>> fields) {
    for (const auto& [field, value] : fields)
        if (sep::containsSeparator(value) || !canEncodeGbk(value))
            return WriteResult::InvalidValue;
    const qsizetype start = findComponentRecord(number);
    if (recordAt(m_text, start).isEmpty())
        return WriteResult::NoSuchComponent;
    m_modified = true;
    // Each write changes only text inside the record, after its start, so
    // the record is searched for once (a drag writes x and y at every step).
    for (const auto& [field, value] : fields)
        if (const WriteResult written = writeField(start, field, value);
            written != WriteResult::Written)
            return written;
    return WriteResult::Written;
}

bool Experiment::recount() {
    m_highestNumber = 0;
    ComponentRecordReader reader(m_text);
    while (reader.next()) {
        const Component& c = reader.component();
        m_highestNumber = std::max(m_highestNumber, c.number);
        if (isComponentType(c.type)) {
            int& entry = m_highestRunning[static_cast<std::size_t>(c.type - 1)];
            entry = std::max(entry, reader.runningNumber());
        }
        if (c.type == Source)
            m_sourceVoltage = c.voltage;
    }
    return m_highestNumber > 0;
}

QList<int> Experiment::deleteComponent(int number) {
    const std::optional<Component> component = readComponent(number);
    if (!component)
        return {};
    m_modified = true;
    m_freeNumbers.append(number);
    if (component->type == Source)
        m_highestRunning[Source - 1] = 0;

    QList<int> emptiedSlots;
    if (component->type == Motor) {
        for (int k = 0; k < motorSlotCount; ++k) {
            if (m_motorSlots[static_cast<std::size_t>(k)] == component->name) {
                m_motorSlots[static_cast<std::size_t>(k)].clear();
                emptiedSlots.append(k);
            }
        }
    }

    const QString positive = terminalName(component->name, true);
    const QString negative = terminalName(component->name, false);
    // Its own record and the wires at its posts, by whole names: a component
    // named 乙电灯1 keeps its record and wires when 电灯1 goes.
    const auto isOwn = [&](QStringView piece) {
        if (nameText(piece) == component->name)
            return true;
        const qsizetype start = piece.indexOf(QChar(sep::wireStart));
        if (start < 0)
            return false;
        const WireTerminals wire = wireTerminals(piece.mid(start));
        return wire.start == positive || wire.start == negative || wire.end == positive ||
               wire.end == negative;
    };
    QString kept;
    kept.reserve(m_text.size());
    for (const QStringView piece : QStringView(m_text).split(QChar(sep::recordEnd))) {
        if (piece.isEmpty() || isOwn(piece))
            continue;
        kept += piece;
        kept += QChar(sep::recordEnd);
    }
    m_text = std::move(kept);
    return emptiedSlots;
}

void Experiment::rebuildMotorSlots() {
    const QString marker = QChar(sep::name) + typeWord(Motor);
    qsizetype at = m_text.indexOf(marker);
    while (at >= 0) {
        const auto freeSlot = std::find(m_motorSlots.begin(), m_motorSlots.end(), QString());
        // Names past the tenth get no slot; reading them would only cost time.
        if (freeSlot == m_motorSlots.end())
            break;
        const qsizetype nameStart = at + 1;
        const qsizetype nameEnd = m_text.indexOf(QChar(sep::type), nameStart);
        const QString name =
            nameEnd < 0 ? m_text.mid(nameStart) : m_text.mid(nameStart, nameEnd - nameStart);
        *freeSlot = name;
        at = m_text.indexOf(marker, at + 1);
    }
}

} // namespace ampery::model
