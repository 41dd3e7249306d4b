#pragma once

#include "area/area_host.h"

#include <QObject>

#include <array>

class QButtonGroup;
class QLabel;
class QRadioButton;
class QWidget;

namespace ampery::app {

// The tool palette: select, move and delete on the left, the wire and the
// eight component buttons on the right, one exclusive group. The component
// box's heading label keeps the remembered tool code in its tag.
class Palette : public QObject {
    Q_OBJECT
public:
    static constexpr int buttonCount = 12;

    // Creates the buttons and labels on the parent at their design places.
    explicit Palette(QWidget* parent);

    area::PaletteButton checked() const;
    // Checks one button; the group unchecks the others.
    void check(area::PaletteButton button);
    QRadioButton* button(area::PaletteButton button) const;

    int rememberedToolCode() const;
    void setRememberedToolCode(int code);

    // Every palette widget: the wire-cancel check watches them.
    QList<QWidget*> widgets() const;

signals:
    // A button was clicked by the user.
    void clicked(ampery::area::PaletteButton button);

private:
    QButtonGroup* m_group;
    QLabel* m_componentHeading;
    std::array<QRadioButton*, buttonCount> m_buttons{};
    QList<QWidget*> m_widgets;
};

} // namespace ampery::app
