#pragma once

#include "analysis/analyse.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/wire_edits.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

#include <utility>

// Builds experiments for the analysis tests through the model's own API.
// Component n is placed at (100 n, 10 n), so that display steps show where
// they draw.
class Circuit {
public:
    using Field = ampery::model::Field;

    // Places a component with its type's defaults, then writes the fields.
    QString add(int type, const QList<std::pair<Field, QString>>& fields = {}) {
        const QString name = m_experiment.nameNewComponent(type);
        return addNamed(name, type, fields);
    }
    // The same with a name of the test's choosing.
    QString addNamed(const QString& name, int type,
                     const QList<std::pair<Field, QString>>& fields = {}) {
        const int number = m_experiment.addComponent(0, 0, name, type);
        m_experiment.setFields(number, Field::X, QString::number(100 * number), Field::Y,
                               QString::number(10 * number));
        for (const auto& [field, value] : fields)
            m_experiment.setFields(number, field, value);
        return name;
    }
    QString source(const QString& volts = QStringLiteral("6")) {
        return add(ampery::model::Source, {{Field::Voltage, volts}});
    }
    QString resistor(const QString& ohms) {
        return add(ampery::model::Resistor, {{Field::Resistance, ohms}});
    }
    QString lamp(const QString& ohms = QStringLiteral("10"),
                 const QString& rated = QStringLiteral("6")) {
        return add(ampery::model::Lamp, {{Field::Resistance, ohms}, {Field::RatedVoltage, rated}});
    }
    QString motor(const QString& ohms = QStringLiteral("20"),
                  const QString& rated = QStringLiteral("6")) {
        const QString name =
            add(ampery::model::Motor, {{Field::Resistance, ohms}, {Field::RatedVoltage, rated}});
        // Placing a motor gives it the last free slot.
        m_experiment.setMotorSlot(m_experiment.lastFreeMotorSlot(), name);
        return name;
    }
    QString ammeter(const QString& range = QStringLiteral("1")) {
        return add(ampery::model::Ammeter, {{Field::RatedCurrent, range}});
    }
    QString voltmeter(const QString& range = QStringLiteral("10")) {
        return add(ampery::model::Voltmeter, {{Field::RatedVoltage, range}});
    }
    QString closedSwitch() { return add(ampery::model::Switch, {{Field::State, "1"}}); }
    QString openSwitch() { return add(ampery::model::Switch); }

    // A wire between two terminals; the track does not matter to the analysis.
    bool wire(const QString& start, const QString& end,
              const QString& track = QStringLiteral("10|10┇20|20")) {
        return ampery::model::appendWire(m_experiment, start, end, track);
    }
    // Wires a chain of terminals pairwise: a-b, c-d, ...
    void wires(const QStringList& ends) {
        for (qsizetype i = 0; i + 1 < ends.size(); i += 2)
            QVERIFY2(wire(ends[i], ends[i + 1]), qPrintable(ends[i] + " " + ends[i + 1]));
    }

    ampery::analysis::AnalysisOutcome analyse() {
        m_experiment.recount();
        return ampery::analysis::analyse(m_experiment);
    }

    ampery::model::Experiment& experiment() { return m_experiment; }

    // The display steps as short texts: "show 电灯1 3 @100,10", "combine",
    // "stop motors", "slot 9 电动机1 @400,40 dir 1 interval 250".
    QStringList steps(const ampery::analysis::AnalysisOutcome& outcome) const {
        using Kind = ampery::analysis::DisplayStep::Kind;
        QStringList list;
        for (const ampery::analysis::DisplayStep& s : outcome.steps) {
            const auto component = m_experiment.readComponent(s.componentNumber);
            const QString name = component ? component->name : QStringLiteral("?");
            const QString at = QStringLiteral(" @%1,%2").arg(s.x).arg(s.y);
            switch (s.kind) {
            case Kind::ShowPicture:
                list.append(QStringLiteral("show %1 %2").arg(name).arg(s.picture) + at);
                break;
            case Kind::Combine:
                list.append(QStringLiteral("combine"));
                break;
            case Kind::StopAllMotors:
                list.append(QStringLiteral("stop motors"));
                break;
            case Kind::SetMotorSlot:
                list.append(QStringLiteral("slot %1 %2").arg(s.slot).arg(name) + at +
                            QStringLiteral(" dir %1 interval %2").arg(s.direction).arg(s.interval));
                break;
            }
        }
        return list;
    }

    // "show name picture @x,y" for a component of this circuit.
    QString show(const QString& name, int picture) const {
        const int number = numberOf(name);
        return QStringLiteral("show %1 %2 @%3,%4")
            .arg(name)
            .arg(picture)
            .arg(100 * number)
            .arg(10 * number);
    }
    QString slot(int slot, const QString& name, int direction, int interval) const {
        const int number = numberOf(name);
        return QStringLiteral("slot %1 %2 @%3,%4 dir %5 interval %6")
            .arg(slot)
            .arg(name)
            .arg(100 * number)
            .arg(10 * number)
            .arg(direction)
            .arg(interval);
    }
    int numberOf(const QString& name) const {
        for (const ampery::model::Component& c : m_experiment.components())
            if (c.name == name)
                return c.number;
        return 0;
    }

private:
    ampery::model::Experiment m_experiment;
};

inline QString pos(const QString& name) {
    return name + QStringLiteral("∧");
}
inline QString neg(const QString& name) {
    return name + QStringLiteral("∨");
}

// "name@Va@Vb@I" for each result record.
inline QStringList recordTexts(const ampery::analysis::AnalysisOutcome& outcome) {
    QStringList list;
    for (const ampery::analysis::ResultRecord& r : outcome.results)
        list.append(r.name + '@' + r.potentialA.toString() + '@' + r.potentialB.toString() + '@' +
                    r.current.toString());
    return list;
}

inline const QString combineStep = QStringLiteral("combine");
inline const QString stopMotors = QStringLiteral("stop motors");
