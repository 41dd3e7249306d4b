#include "settings_panel.h"

#include "panel_texts.h"

#include "model/component_type.h"
#include "model/experiment.h"
#include "model/number_text.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace ampery::app {

namespace {

// What a value box shows for a component type.
enum class Shown { Empty, Record, Zero, Infinity };

struct BoxContent {
    Shown shown = Shown::Empty;
    bool enabled = false;
};

// Boxes in ParameterKind order: voltage, resistance, minimum, maximum, rated
// voltage, rated current.
using TypeContent = std::array<BoxContent, std::size(allParameterKinds)>;

constexpr BoxContent empty{};
constexpr BoxContent editable{Shown::Record, true};
constexpr BoxContent fixedRecord{Shown::Record, false};
constexpr BoxContent fixedZero{Shown::Zero, false};
constexpr BoxContent fixedInfinity{Shown::Infinity, false};

// Indexed by type code − 1.
constexpr std::array<TypeContent, model::typeCount> contentByType = {{
    {editable, fixedZero, empty, empty, empty, empty},      // source
    {empty, empty, empty, empty, empty, empty},             // switch
    {empty, editable, empty, empty, editable, empty},       // lamp
    {empty, editable, empty, empty, empty, empty},          // resistor
    {empty, fixedRecord, editable, editable, empty, empty}, // rheostat
    {empty, editable, empty, empty, editable, empty},       // motor
    {empty, fixedZero, empty, empty, empty, editable},      // ammeter
    {empty, fixedInfinity, empty, empty, editable, empty},  // voltmeter
}};

TypeContent contentOf(int type) {
    return model::isComponentType(type) ? contentByType[static_cast<std::size_t>(type - 1)]
                                        : TypeContent{};
}

QLabel* makeLabel(QWidget* parent, const QString& unitName, const QString& caption,
                  QRect geometry) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(unitName);
    label->setGeometry(geometry);
    return label;
}

// A label at the left edge and its read-only box filling the rest of the row.
struct RowDesign {
    const char16_t* labelName;
    const QString& caption;
    const char16_t* boxName;
    int top;
    int labelWidth;
};

QLineEdit* makeRow(QWidget* parent, const RowDesign& row) {
    constexpr int left = 4;
    constexpr int width = 124;
    constexpr int height = 20;
    makeLabel(parent, QString::fromUtf16(row.labelName), row.caption,
              {left, row.top, row.labelWidth, height});
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromUtf16(row.boxName));
    box->setGeometry(left + row.labelWidth, row.top, width - row.labelWidth, height);
    box->setReadOnly(true);
    return box;
}

} // namespace

SettingsPanel::SettingsPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("分组框1"));
    resize(132, 404);

    makeLabel(this, QStringLiteral("标签_设置"), panel_texts::heading, {4, 8, 124, 24});
    m_name = makeRow(this, {u"名称标签", panel_texts::nameLabel, u"名称编辑框", 32, 36});
    m_category = makeRow(this, {u"类别标签", panel_texts::categoryLabel, u"类别编辑框", 52, 36});
    // In ParameterKind order.
    const RowDesign valueRows[] = {
        {u"电压标签", panel_texts::voltageLabel, u"电压编辑框", 72, 56},
        {u"电阻值标签", panel_texts::resistanceLabel, u"电阻值编辑框", 92, 56},
        {u"最小值标签", panel_texts::minimumLabel, u"最小值编辑框", 112, 68},
        {u"最大值标签", panel_texts::maximumLabel, u"最大值编辑框", 132, 68},
        {u"额压标签", panel_texts::ratedVoltageLabel, u"额压编辑框", 152, 76},
        {u"额流标签", panel_texts::ratedCurrentLabel, u"额流编辑框", 172, 76},
    };
    static_assert(std::size(valueRows) == std::size(allParameterKinds));
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_values[i] = makeRow(this, valueRows[i]);
    QLabel* rule = makeLabel(this, QStringLiteral("标签3"), {}, {4, 192, 124, 4});
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    makeLabel(this, QStringLiteral("标签_说明"), panel_texts::descriptionHeading,
              {4, 196, 124, 24});
    m_description = makeLabel(this, QStringLiteral("元件说明标签"), {}, {6, 236, 120, 148});
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (QLineEdit* box : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
        box->installEventFilter(this);
}

void SettingsPanel::showComponent(const model::Experiment& experiment, int number) {
    const std::optional<model::Component> component = experiment.readComponent(number);
    if (!component) {
        clear();
        return;
    }
    m_name->setText(component->name);
    m_category->setText(model::typeWord(component->type));
    const TypeContent content = contentOf(component->type);
    for (const ParameterKind kind : allParameterKinds) {
        const BoxContent& cell = content[static_cast<std::size_t>(kind)];
        QString text;
        switch (cell.shown) {
        case Shown::Empty:
            break;
        case Shown::Record:
            text = model::numberToText(
                model::textToNumber(experiment.readFieldText(number, recordField(kind))));
            break;
        case Shown::Zero:
            text = panel_texts::zeroResistance;
            break;
        case Shown::Infinity:
            text = panel_texts::infiniteResistance;
            break;
        }
        box(kind)->setText(text);
        box(kind)->setEnabled(cell.enabled);
    }
    m_description->setText(panel_texts::description(component->type));
}

void SettingsPanel::showSwitchForToggle(const QString& name) {
    m_name->setText(name);
    m_category->setText(model::typeWord(model::Switch));
    for (QLineEdit* value : m_values) {
        value->clear();
        value->setEnabled(false);
    }
    m_description->setText(panel_texts::switchToggleDescription);
}

void SettingsPanel::clear() {
    m_name->clear();
    m_category->clear();
    for (QLineEdit* value : m_values)
        value->clear();
    m_description->clear();
}

void SettingsPanel::setDescription(const QString& text) {
    m_description->setText(text);
}

QString SettingsPanel::name() const {
    return m_name->text();
}

QString SettingsPanel::category() const {
    return m_category->text();
}

QString SettingsPanel::minimumText() const {
    return box(ParameterKind::Minimum)->text();
}

QString SettingsPanel::maximumText() const {
    return box(ParameterKind::Maximum)->text();
}

void SettingsPanel::setResistanceText(const QString& text) {
    box(ParameterKind::Resistance)->setText(text);
}

void SettingsPanel::setParameterText(ParameterKind kind, const QString& text) {
    box(kind)->setText(text);
}

bool SettingsPanel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == m_name || watched == m_category)
            emit focusToAreaRequested();
        break;
    case QEvent::MouseButtonPress:
        // A disabled box still hears the press through its filter; it must
        // not open the dialog.
        for (const ParameterKind kind : allParameterKinds) {
            if (watched == box(kind) && box(kind)->isEnabled()) {
                emit editRequested(kind);
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QGroupBox::eventFilter(watched, event);
}

QLineEdit* SettingsPanel::box(ParameterKind kind) const {
    return m_values[static_cast<std::size_t>(kind)];
}

} // namespace ampery::app
