#pragma once

#include <QString>

// The analysis's own texts, character for character.
namespace ampery::analysis::texts {

inline QString noSource() {
    return QStringLiteral("提示：电源没有加入,没有形成电路。");
}
inline QString sourceUnwired() {
    return QStringLiteral("提示：电源没有形成通路。");
}
inline QString sourceShorted() {
    return QStringLiteral("错误：电源正负极短接！");
}
inline QString noClosedLoop() {
    return QStringLiteral("提示：电源没有形成回路。");
}
inline QString beyondAnalysis() {
    return QStringLiteral("提示：电路结构超出程序的分析能力。");
}
inline QString circuitClosed() {
    return QStringLiteral("提示：电路畅通。");
}

// The give-up message box that the caller shows before the status text.
inline QString giveUpTitle() {
    return QStringLiteral("提示：");
}
inline QString giveUpMessage() {
    return QStringLiteral("由于电路处理较为复杂，现仅支持含一个电源的电路形式，\r\n"
                          "计划以后升级为支持任意数量的任意元件。见谅！");
}

// A meter's reading in the circuit diagram when it shows no true value.
inline QString readingOverRange() {
    return QStringLiteral("超量程");
}
inline QString readingReversed() {
    return QStringLiteral("反接");
}

// Pieces of the meter display rules; every piece begins with three spaces.
inline QString pieceLead() {
    return QStringLiteral("   ");
}
inline QString measured() {
    return QStringLiteral("测量值为：");
}
inline QString volts() {
    return QStringLiteral("伏特");
}
inline QString amperes() {
    return QStringLiteral("安培");
}
inline QString voltageBeyond() {
    return QStringLiteral("两端电压超出了");
}
inline QString currentBeyond() {
    return QStringLiteral("电流超出了");
}
inline QString rangeEnd() {
    return QStringLiteral("的测量范围！");
}
inline QString voltmeterReversed() {
    return QStringLiteral("负极电势大于正极电势，无法测得真实结果！");
}
inline QString currentAgainst() {
    return QStringLiteral("电流与");
}
inline QString ammeterReversedEnd() {
    return QStringLiteral("的规定电流方向相反，无法测得真实结果！");
}
inline QString oneEndOpen() {
    return QStringLiteral("某端空接或者与无效电路连接。");
}

// Names the analysis looks for and makes.
inline QString sourceName() {
    return QStringLiteral("电源1");
}
inline QString equivalentWord() {
    return QStringLiteral("拟电阻");
}
// 拟电阻 and the serial number.
inline QString equivalentName(int serial) {
    return equivalentWord() + QString::number(serial);
}

} // namespace ampery::analysis::texts
