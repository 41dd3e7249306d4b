#pragma once

#include <QString>

namespace ampery::area {

// The palette buttons, in the order the tool state looks at them.
enum class PaletteButton {
    Select, // 单选框_选择
    Move,   // 单选框_移动
    Delete, // 单选框_删除
    Wire,   // 单选框_导线
    Source, // 单选框_电源 ... 单选框_电压器 follow in type-code order
    Switch,
    Lamp,
    Resistor,
    Rheostat,
    Motor,
    Ammeter,
    Voltmeter,
};

// What the experiment area needs from the rest of the main window: the
// status line, the settings panel, the palette and message boxes. The window
// implements it; the area never sees the window itself.
class AreaHost {
public:
    virtual ~AreaHost() = default;

    // 提示编辑框
    virtual void showStatus(const QString& text) = 0;
    // The analysis gave up: the "提示：" box, shown before the status text.
    virtual void showGiveUpMessage() = 0;
    // A refused placement (second source, eleventh motor).
    virtual void showLimitMessage(const QString& text) = 0;
    // The full redraw found no component: the whole new-experiment reset.
    virtual void startNewExperiment() = 0;

    // Settings panel.
    virtual void showComponentInPanel(int number) = 0;
    virtual void showSwitchForToggle(const QString& name) = 0;
    virtual void clearPanel() = 0;
    virtual void setDescription(const QString& text) = 0;
    virtual QString panelCategory() const = 0;
    virtual QString panelMinimum() const = 0;
    virtual QString panelMaximum() const = 0;
    virtual void setPanelResistance(const QString& text) = 0;

    // Palette.
    virtual PaletteButton checkedPaletteButton() const = 0;
    virtual int rememberedToolCode() const = 0;
    virtual void selectSelectTool() = 0;
};

} // namespace ampery::area
