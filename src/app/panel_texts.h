#pragma once

#include "model/component_type.h"

#include <QString>

// The settings panel's and the parameter dialog's texts, exactly as the user
// sees them.
namespace ampery::app::panel_texts {

inline const QString heading = QStringLiteral("更改配置");
inline const QString nameLabel = QStringLiteral("名称：");
inline const QString categoryLabel = QStringLiteral("类别：");
// The voltage caption is written with the Roman numeral Ⅴ; the others use a Latin V.
inline const QString voltageLabel = QStringLiteral("电压(Ⅴ)：");
inline const QString resistanceLabel = QStringLiteral("电阻(Ω)：");
inline const QString minimumLabel = QStringLiteral("最小值(Ω)：");
inline const QString maximumLabel = QStringLiteral("最大值(Ω)：");
inline const QString ratedVoltageLabel = QStringLiteral("额定电压(V)：");
inline const QString ratedCurrentLabel = QStringLiteral("额定电流(A)：");
inline const QString descriptionHeading = QStringLiteral("说明");

inline const QString zeroResistance = QStringLiteral("0");
inline const QString infiniteResistance = QStringLiteral("∞");

inline const QString switchDescription = QStringLiteral("  双击可以改变开关的开合状态");
inline const QString lampDescription = QStringLiteral(
    "  电压≤1/3额定电压不亮，＞1/3且≤2/3额定电压低亮，＞2/3且≤1额定电压明亮，＞1额定电压损坏。");
inline const QString rheostatDescription = QStringLiteral("  在动触头的轨迹上点击可改变动触头位置");
inline const QString motorDescription = QStringLiteral(
    "  正向电流顺时针转，负向电流反时针转。\r\n\r\n"
    "  电压≤1/3额定电压不转，＞1/3且≤2/3额定电压慢转，＞2/3且≤1额定电压快转，＞1额定电压高速转。");
// Shown instead of the switch's own description when a double click toggles it.
inline const QString switchToggleDescription = QStringLiteral("  双击闭合/断开");

// The description of a component type; empty for the types that have none.
inline QString description(int type) {
    switch (type) {
    case model::Switch:
        return switchDescription;
    case model::Lamp:
        return lampDescription;
    case model::Rheostat:
        return rheostatDescription;
    case model::Motor:
        return motorDescription;
    default:
        return {};
    }
}

// Parameter dialog.
inline const QString entryLabel = QStringLiteral("请输入参数数值：");
inline const QString okButton = QStringLiteral("确定");
inline const QString cancelButton = QStringLiteral("取消");

inline const QString voltageCaption = QStringLiteral("修改电源电压");
inline const QString resistanceCaption = QStringLiteral("修改电阻值");
inline const QString minimumCaption = QStringLiteral("修改最小电阻");
inline const QString maximumCaption = QStringLiteral("修改最大电阻");
inline const QString ratedVoltageCaption = QStringLiteral("修改额定电压");
inline const QString ratedCurrentCaption = QStringLiteral("修改额定电流");

// Refusals that follow the component's name.
inline const QString zeroVoltage = QStringLiteral("电压不能为零，请重新输入。");
inline const QString zeroResistanceEntry = QStringLiteral("电阻不能为零，请重新输入。");
inline const QString zeroRatedVoltage = QStringLiteral("额定电压不能为零，请重新输入。");
inline const QString zeroRatedCurrent = QStringLiteral("额定电流不能为零，请重新输入。");
inline const QString zeroMaximum = QStringLiteral("最大电阻值不能为零，请重新输入。");
inline const QString unusableCharacters = QStringLiteral("参数中含有不能使用的字符，请重新输入。");
// Refusals on their own.
inline const QString minimumAboveMaximum = QStringLiteral("最小电阻不能大于最大电阻，请重新输入。");
inline const QString maximumBelowMinimum = QStringLiteral("最大电阻不能小于最小电阻，请重新输入。");

} // namespace ampery::app::panel_texts
