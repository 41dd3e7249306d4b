#include "palette.h"

#include "app_texts.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

namespace ampery::app {

using area::PaletteButton;

namespace {

struct ButtonDesign {
    PaletteButton button;
    const char16_t* unitName;
    const char16_t* caption;
    QRect geometry;
};

// Component buttons run down from y = 134 every 24 pixels.
constexpr QRect componentRow(int row) {
    return {117, 134 + 24 * row, 77, 24};
}

const std::array<ButtonDesign, Palette::buttonCount> designs = {{
    {PaletteButton::Select, u"单选框_选择", u"选择", {21, 94, 77, 24}},
    {PaletteButton::Move, u"单选框_移动", u"移动", {21, 126, 77, 24}},
    {PaletteButton::Delete, u"单选框_删除", u"删除", {21, 158, 77, 24}},
    {PaletteButton::Wire, u"单选框_导线", u"导线", {117, 108, 77, 24}},
    {PaletteButton::Source, u"单选框_电源", u"电源", componentRow(0)},
    {PaletteButton::Switch, u"单选框_开关", u"开关", componentRow(1)},
    {PaletteButton::Lamp, u"单选框_电灯", u"电灯", componentRow(2)},
    {PaletteButton::Resistor, u"单选框_电阻", u"电阻", componentRow(3)},
    {PaletteButton::Rheostat, u"单选框_变阻器", u"变阻器", componentRow(4)},
    {PaletteButton::Motor, u"单选框_电动机", u"电动机", componentRow(5)},
    {PaletteButton::Ammeter, u"单选框_电流器", u"电流器", componentRow(6)},
    {PaletteButton::Voltmeter, u"单选框_电压器", u"电压器", componentRow(7)},
}};

QLabel* makeLabel(QWidget* parent, const QString& unitName, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(unitName);
    label->setGeometry(geometry);
    return label;
}

} // namespace

Palette::Palette(QWidget* parent) : QObject(parent), m_group(new QButtonGroup(this)) {
    // Backgrounds first, so the buttons stand on them.
    QLabel* toolsBack = makeLabel(parent, QStringLiteral("工具箱底标签"), {}, {16, 65, 85, 135});
    QLabel* componentsBack =
        makeLabel(parent, QStringLiteral("元件箱底标签"), {}, {112, 66, 85, 260});
    for (QLabel* back : {toolsBack, componentsBack})
        back->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QLabel* toolsHeading =
        makeLabel(parent, QStringLiteral("标签_工具箱1"), texts::generalTools, {24, 66, 72, 24});
    m_componentHeading =
        makeLabel(parent, QStringLiteral("标签_元件箱"), texts::componentBox, {116, 75, 75, 24});
    for (QLabel* heading : {toolsHeading, m_componentHeading}) {
        heading->setAlignment(Qt::AlignCenter);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
    }
    m_widgets = {toolsBack, componentsBack, toolsHeading, m_componentHeading};

    m_group->setExclusive(true);
    for (const ButtonDesign& design : designs) {
        auto* radio = new QRadioButton(QString::fromUtf16(design.caption), parent);
        radio->setObjectName(QString::fromUtf16(design.unitName));
        radio->setGeometry(design.geometry);
        m_group->addButton(radio, static_cast<int>(design.button));
        m_buttons[static_cast<std::size_t>(design.button)] = radio;
        m_widgets.append(radio);
        const PaletteButton which = design.button;
        connect(radio, &QRadioButton::clicked, this, [this, which] {
            const int code = area::toolCodeOf(which);
            if (code != 0)
                setRememberedToolCode(code);
            emit clicked(which);
        });
    }
    setRememberedToolCode(1);
}

PaletteButton Palette::checked() const {
    const int id = m_group->checkedId();
    return id < 0 ? PaletteButton::Select : static_cast<PaletteButton>(id);
}

void Palette::check(PaletteButton which) {
    button(which)->setChecked(true);
}

QRadioButton* Palette::button(PaletteButton which) const {
    return m_buttons[static_cast<std::size_t>(which)];
}

int Palette::rememberedToolCode() const {
    return m_componentHeading->property("tag").toString().toInt();
}

void Palette::setRememberedToolCode(int code) {
    m_componentHeading->setProperty("tag", QString::number(code));
}

QList<QWidget*> Palette::widgets() const {
    return m_widgets;
}

} // namespace ampery::app
