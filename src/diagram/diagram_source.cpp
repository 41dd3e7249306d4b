#include "diagram_source.h"

#include "analysis/analysis_outcome.h"
#include "model/component_type.h"
#include "model/experiment.h"
#include "model/picture_choice.h"
#include "model/record_scan.h"
#include "model/separators.h"

#include <QHash>

#include <utility>

namespace ampery::diagram {

namespace {

using analysis::DisplayStep;

// The lamps and motors as the last analysis left them on the area.
QHash<int, SymbolLook> looksShown(const analysis::AnalysisOutcome& outcome) {
    QHash<int, SymbolLook> looks;
    for (const DisplayStep& step : outcome.steps) {
        switch (step.kind) {
        case DisplayStep::Kind::ShowPicture:
            if (step.picture == model::picture::lampDim)
                looks[step.componentNumber] = SymbolLook::LampDim;
            else if (step.picture == model::picture::lampBright)
                looks[step.componentNumber] = SymbolLook::LampBright;
            else if (step.picture == model::picture::lampBroken)
                looks[step.componentNumber] = SymbolLook::LampBroken;
            else if (step.picture == model::picture::lampDark)
                looks.remove(step.componentNumber);
            break;
        case DisplayStep::Kind::StopAllMotors:
            for (auto it = looks.begin(); it != looks.end();)
                it = it.value() == SymbolLook::MotorRunning ? looks.erase(it) : std::next(it);
            break;
        case DisplayStep::Kind::SetMotorSlot:
            if (step.interval > 0)
                looks[step.componentNumber] = SymbolLook::MotorRunning;
            else
                looks.remove(step.componentNumber);
            break;
        case DisplayStep::Kind::Combine:
            break;
        }
    }
    return looks;
}

QString withUnit(const QString& number, const QString& unit) {
    return number.isEmpty() ? QString() : number + unit;
}

QString valueOf(const model::Experiment::ReadRecord& read,
                const QHash<QString, QString>& readings) {
    const model::Component& component = read.component;
    switch (component.type) {
    case model::Source:
        return withUnit(model::fieldText(read.record, model::Field::Voltage).toString(),
                        QStringLiteral("V"));
    case model::Lamp:
    case model::Resistor:
    case model::Rheostat:
    case model::Motor:
        return withUnit(model::fieldText(read.record, model::Field::Resistance).toString(),
                        QStringLiteral("Ω"));
    case model::Ammeter:
    case model::Voltmeter:
        return readings.value(component.name);
    default:
        return {};
    }
}

} // namespace

DiagramSource diagramSource(const model::Experiment& experiment,
                            const analysis::AnalysisOutcome& outcome) {
    DiagramSource source;
    const QHash<int, SymbolLook> looks = looksShown(outcome);
    QHash<QString, QString> readings;
    for (const analysis::MeterReading& reading : outcome.readings)
        readings.insert(reading.name, reading.text);
    for (const model::Experiment::ReadRecord& read : experiment.componentRecords()) {
        const model::Component& c = read.component;
        source.parts.append({c.number, c.name, c.type, c.state,
                             looks.value(c.number, SymbolLook::Normal), valueOf(read, readings)});
    }

    const QString& text = experiment.text();
    for (qsizetype at = text.indexOf(model::sep::wireStart); at >= 0;
         at = text.indexOf(model::sep::wireStart, at + 1)) {
        const model::WireTerminals ends = model::wireTerminals(QStringView(text).mid(at));
        // Which end a wire was started at joins nothing different, and a drag
        // turns the wires at the dragged component to start there.
        if (ends.trackStart < 0)
            continue;
        QString first = ends.start.toString();
        QString second = ends.end.toString();
        if (second < first)
            std::swap(first, second);
        source.wires.append({std::move(first), std::move(second)});
    }
    return source;
}

} // namespace ampery::diagram
