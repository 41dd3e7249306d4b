#include "analysis_report.h"

#include "display_summary.h"
#include "json.h"

namespace ampery::cli {

namespace {

QString resultsJson(const QList<analysis::ResultRecord>& results) {
    QStringList values;
    for (const analysis::ResultRecord& record : results)
        values.append(
            json::object({{QStringLiteral("name"), json::string(record.name)},
                          {QStringLiteral("va"), json::decimal(record.potentialA.toString())},
                          {QStringLiteral("vb"), json::decimal(record.potentialB.toString())},
                          {QStringLiteral("i"), json::decimal(record.current.toString())}}));
    return json::array(values);
}

QString optionalInteger(const std::optional<int>& value) {
    return value ? json::integer(*value) : json::null();
}

QString componentsJson(const QList<ComponentSummary>& components) {
    QStringList values;
    for (const ComponentSummary& component : components)
        values.append(
            json::object({{QStringLiteral("number"), json::integer(component.number)},
                          {QStringLiteral("name"), json::string(component.name)},
                          {QStringLiteral("type"), json::integer(component.type)},
                          {QStringLiteral("picture"), optionalInteger(component.picture)}}));
    return json::array(values);
}

QString motorsJson(const QList<MotorSummary>& motors) {
    QStringList values;
    for (const MotorSummary& motor : motors) {
        const bool slotted = motor.slot.has_value();
        values.append(json::object(
            {{QStringLiteral("number"), json::integer(motor.number)},
             {QStringLiteral("name"), json::string(motor.name)},
             {QStringLiteral("slot"), optionalInteger(motor.slot)},
             {QStringLiteral("interval"), slotted ? json::integer(motor.interval) : json::null()},
             {QStringLiteral("direction"),
              slotted ? json::integer(motor.direction) : json::null()}}));
    }
    return json::array(values);
}

} // namespace

QString analysisReport(const model::Experiment& experiment,
                       const std::optional<analysis::AnalysisOutcome>& outcome) {
    const analysis::AnalysisOutcome none;
    const analysis::AnalysisOutcome& shown = outcome ? *outcome : none;
    const DisplaySummary display =
        outcome ? summariseDisplay(experiment, *outcome) : DisplaySummary{};
    return json::object({{QStringLiteral("status"), json::string(shown.status)},
                         {QStringLiteral("solved"), json::boolean(shown.solved)},
                         {QStringLiteral("gaveUp"), json::boolean(shown.gaveUp)},
                         {QStringLiteral("results"), resultsJson(shown.results)},
                         {QStringLiteral("components"), componentsJson(display.components)},
                         {QStringLiteral("motors"), motorsJson(display.motors)}});
}

} // namespace ampery::cli
