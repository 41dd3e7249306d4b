#include "component_type.h"

#include "number_text.h"
#include "separators.h"

#include <array>

namespace ampery::model {

namespace {

const std::array<QString, typeCount>& typeWords() {
    static const std::array<QString, typeCount> words = {
        QStringLiteral("电源"),   QStringLiteral("开关"),   QStringLiteral("电灯"),
        QStringLiteral("电阻"),   QStringLiteral("变阻器"), QStringLiteral("电动机"),
        QStringLiteral("电流器"), QStringLiteral("电压器"),
    };
    return words;
}

} // namespace

bool isComponentType(int type) {
    return type >= Source && type <= Voltmeter;
}

QString typeWord(int type) {
    return isComponentType(type) ? typeWords()[static_cast<std::size_t>(type - 1)] : QString();
}

int typeForWord(QStringView word) {
    for (int type = Source; type <= Voltmeter; ++type)
        if (typeWords()[static_cast<std::size_t>(type - 1)] == word)
            return type;
    return 0;
}

int runningNumber(QStringView name, int type) {
    const qsizetype wordLength = type >= Source && type <= Resistor ? 2 : 3;
    return name.size() > wordLength ? textToInt(name.mid(wordLength)) : 0;
}

QString componentName(int type, int running) {
    return typeWord(type) + QString::number(running);
}

QString terminalName(QStringView name, bool positive) {
    return name.toString() + QChar(positive ? sep::positive : sep::negative);
}

ComponentDefaults defaultsFor(int type) {
    switch (type) {
    case Source:
        return {"", "6", "0", "", "", "", ""};
    case Switch:
        return {"0", "", "", "", "", "", ""};
    case Lamp:
        return {"", "", "10", "", "", "6", "0.6"};
    case Resistor:
        return {"0", "", "100", "", "", "", ""};
    case Rheostat:
        return {"2", "", "25", "0", "50", "", ""};
    case Motor:
        return {"0", "", "20", "", "", "6", "0.3"};
    case Ammeter:
        return {"0", "", "0", "", "", "", "1"};
    case Voltmeter:
        return {"", "∞", "", "", "", "10", ""};
    default:
        return {"0", "", "", "", "", "", ""};
    }
}

} // namespace ampery::model
