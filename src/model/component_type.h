#pragma once

#include <QString>
#include <QStringView>

namespace ampery::model {

// Type codes of the component record.
enum ComponentType : int {
    Source = 1,
    Switch = 2,
    Lamp = 3,
    Resistor = 4,
    Rheostat = 5,
    Motor = 6,
    Ammeter = 7,
    Voltmeter = 8,
};

inline constexpr int typeCount = 8;
// Accepted by Add component: state "0", every value empty. Nothing places one.
inline constexpr int blankTypeCode = 10;

bool isComponentType(int type);

// 电源, 开关, ... for type codes 1 to 8; empty text otherwise.
QString typeWord(int type);

// The type code whose word is the given text, or 0.
int typeForWord(QStringView word);

// The running number of a name: the name without its type word (two
// characters for types 1 to 4, three for 5 to 8), read as an integer.
int runningNumber(QStringView name, int type);

// Component name made of the type word and a running number: 电灯2.
QString componentName(int type, int running);

// name∧ for the positive binding post, name∨ for the negative one.
QString terminalName(QStringView name, bool positive);

// The field texts of a new component of a type (state, then the seven values).
struct ComponentDefaults {
    QString state;
    QString voltage;
    QString resistance;
    QString minimum;
    QString maximum;
    QString ratedVoltage;
    QString ratedCurrent;
};
ComponentDefaults defaultsFor(int type);

} // namespace ampery::model
