#pragma once

namespace ampery::area {

// The tools the user can choose, one per palette button, in the order the
// palette shows them.
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

// The tool code a choice stands for: 1 to 8 for the component buttons (their
// type codes), 9 for the wire, 0 for select, move and delete.
constexpr int toolCodeOf(PaletteButton button) {
    switch (button) {
    case PaletteButton::Select:
    case PaletteButton::Move:
    case PaletteButton::Delete:
        return 0;
    case PaletteButton::Wire:
        return 9;
    default:
        return static_cast<int>(button) - static_cast<int>(PaletteButton::Source) + 1;
    }
}

// The cursors the area shows.
enum class AreaCursor { Hand, SizeAll, Eraser, Cross };

} // namespace ampery::area
