#pragma once

#include "circuit_generator.h"

#include "analysis/analysis_outcome.h"
#include "analysis/meter_display.h"
#include "model/component_type.h"
#include "model/number_text.h"
#include "model/picture_choice.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

// What the analysis of a closed circuit should report, held against what it
// reported: the result records, then each meter's status piece and picture.
// The expected values come from the test's own solution of the circuit.
namespace closed_circuit {

using ampery::analysis::AnalysisOutcome;
using ampery::analysis::DisplayStep;
using ampery::analysis::ResultRecord;
using random_circuits::Part;
namespace model = ampery::model;

// The analysis compares doubles with this tolerance.
inline constexpr double epsilon = 1e-7;

inline const QString& closedHeading() {
    static const QString heading = QStringLiteral("提示：电路畅通。");
    return heading;
}

// How far a value the analysis wrote may lie from the expected one.
using Slack = double (*)(double expected);

// A part's record as it should be: its two terminal potentials and its
// current, or no record at all.
struct ExpectedRecord {
    struct Values {
        double va = 0;
        double vb = 0;
        double current = 0;
    };
    const Part* part = nullptr;
    std::optional<Values> values;
};

inline QStringList checkRecords(const QList<ResultRecord>& results,
                                const QList<ExpectedRecord>& expected, Slack slack) {
    QStringList errors;
    QHash<QString, int> seen;
    for (const ResultRecord& record : results)
        ++seen[record.name];
    const auto near = [slack](const ampery::analysis::DecimalText& text, double value) {
        return std::abs(model::textToNumber(text.toString()) - value) <= slack(value);
    };
    for (const ExpectedRecord& e : expected) {
        const QString& name = e.part->name;
        if (!e.values) {
            if (seen.contains(name))
                errors << QStringLiteral("%1 has a result record").arg(name);
            continue;
        }
        if (seen.value(name) != 1) {
            errors << QStringLiteral("%1 has %2 result records").arg(name).arg(seen.value(name));
            continue;
        }
        const ResultRecord& record = *std::find_if(
            results.begin(), results.end(), [&](const ResultRecord& r) { return r.name == name; });
        const ExpectedRecord::Values& v = *e.values;
        if (!near(record.potentialA, v.va) || !near(record.potentialB, v.vb) ||
            !near(record.current, v.current))
            errors << QStringLiteral("%1: record %2@%3@%4, expected %5@%6@%7")
                          .arg(name, record.potentialA.toString(), record.potentialB.toString(),
                               record.current.toString())
                          .arg(v.va, 0, 'g', 15)
                          .arg(v.vb, 0, 'g', 15)
                          .arg(v.current, 0, 'g', 15);
    }
    return errors;
}

enum class Outcome { Reading, OverRange, Reversed, OneEndOpen };

// The outcomes a value may give; both sides of a threshold when the value lies
// within the slack of it.
inline QList<Outcome> outcomesFor(double v, double range, double slack) {
    QList<Outcome> outcomes;
    const auto reading = [&](double x) { return x >= -epsilon && x - range <= epsilon; };
    const auto over = [&](double x) { return x >= -epsilon && x - range > epsilon; };
    for (const double x : {v - slack, v, v + slack}) {
        const Outcome o = reading(x) ? Outcome::Reading
                          : over(x)  ? Outcome::OverRange
                                     : Outcome::Reversed;
        if (!outcomes.contains(o))
            outcomes.append(o);
    }
    return outcomes;
}

struct MeterPiece {
    Outcome outcome = Outcome::Reading;
    QString value; // the reading's decimal text
};

// Reads one status piece back: the meter's name, then one of the fixed texts.
inline std::optional<MeterPiece> parsePiece(const QString& piece, const Part& meter) {
    const QString& n = meter.name;
    if (!piece.startsWith(n))
        return std::nullopt;
    const QString rest = piece.mid(n.size());
    const bool voltmeter = meter.type == model::Voltmeter;
    const QString unit = voltmeter ? QStringLiteral("伏特") : QStringLiteral("安培");
    const QString lead = QStringLiteral("测量值为：");
    if (rest.startsWith(lead) && rest.endsWith(unit))
        return MeterPiece{Outcome::Reading, rest.mid(lead.size()).chopped(unit.size())};
    const QString over = voltmeter ? QStringLiteral("两端电压超出了%1的测量范围！").arg(n)
                                   : QStringLiteral("电流超出了%1的测量范围！").arg(n);
    const QString reversed =
        voltmeter ? QStringLiteral("负极电势大于正极电势，无法测得真实结果！")
                  : QStringLiteral("电流与%1的规定电流方向相反，无法测得真实结果！").arg(n);
    if (rest == over)
        return MeterPiece{Outcome::OverRange, {}};
    if (rest == reversed)
        return MeterPiece{Outcome::Reversed, {}};
    if (rest == QStringLiteral("某端空接或者与无效电路连接。"))
        return MeterPiece{Outcome::OneEndOpen, {}};
    return std::nullopt;
}

// What a meter should show.
struct ExpectedMeter {
    const Part* meter = nullptr;
    bool shown = true;           // false: no status piece and no picture
    std::optional<double> value; // none: one end open
    double slack = 0;            // how far the reading may lie from the value
    // A meter that carries nothing may also be read as reading zero.
    bool mayReadZero = false;
};

// The pictures the meter may show for the outcome its piece gives.
inline QList<int> meterPictures(const ExpectedMeter& e, Outcome outcome, double range) {
    const bool voltmeter = e.meter->type == model::Voltmeter;
    const int zero = voltmeter ? model::picture::voltmeterFirst : model::picture::ammeterFirst;
    if (outcome == Outcome::OverRange)
        return {zero + 3};
    if (outcome != Outcome::Reading)
        return {zero};
    QList<int> pictures;
    const double v = e.value.value_or(0);
    for (const double x : {v - e.slack, v, v + e.slack})
        if (const std::optional<int> p = ampery::analysis::needlePicture(voltmeter, x, range))
            pictures.append(*p);
    return pictures;
}

// The status line's meter pieces in component-number order, and each meter's
// picture steps.
inline QStringList checkMeters(const AnalysisOutcome& outcome, QList<ExpectedMeter> expected) {
    if (!outcome.status.startsWith(closedHeading()))
        return {QStringLiteral("status does not begin with the closed-circuit heading")};
    const QStringList pieces =
        outcome.status.mid(closedHeading().size()).split(QStringLiteral("   "), Qt::SkipEmptyParts);
    std::sort(expected.begin(), expected.end(), [](const ExpectedMeter& a, const ExpectedMeter& b) {
        return a.meter->number < b.meter->number;
    });

    QStringList errors;
    qsizetype next = 0;
    for (const ExpectedMeter& e : std::as_const(expected)) {
        const QString& name = e.meter->name;
        QList<int> pictures;
        QStringList pictureTexts;
        for (const DisplayStep& s : outcome.steps) {
            if (s.kind == DisplayStep::Kind::ShowPicture && s.componentNumber == e.meter->number) {
                pictures.append(s.picture);
                pictureTexts.append(QString::number(s.picture));
            }
        }
        if (!e.shown) {
            if (!pictures.isEmpty())
                errors << QStringLiteral("%1 shows a picture without a reading").arg(name);
            continue;
        }
        if (next == pieces.size()) {
            errors << QStringLiteral("no status piece for %1").arg(name);
            continue;
        }
        const QString& text = pieces[next++];
        const std::optional<MeterPiece> piece = parsePiece(text, *e.meter);
        if (!piece) {
            errors << QStringLiteral("\"%1\" is not one of %2's pieces").arg(text, name);
            continue;
        }
        const double range =
            e.meter->field(e.meter->type == model::Voltmeter ? model::Field::RatedVoltage
                                                             : model::Field::RatedCurrent);
        QList<Outcome> allowed =
            e.value ? outcomesFor(*e.value, range, e.slack) : QList{Outcome::OneEndOpen};
        if (e.mayReadZero)
            allowed.append(Outcome::Reading);
        const QString expectation =
            e.value ? QString::number(*e.value, 'g', 15) : QStringLiteral("one end open");
        if (!allowed.contains(piece->outcome))
            errors << QStringLiteral("%1: \"%2\", expected %3").arg(name, text, expectation);
        else if (piece->outcome == Outcome::Reading &&
                 std::abs(model::textToNumber(piece->value) - e.value.value_or(0)) > e.slack)
            errors
                << QStringLiteral("%1 reads %2, expected %3").arg(name, piece->value, expectation);
        else if (pictures.size() != 1 ||
                 !meterPictures(e, piece->outcome, range).contains(pictures.front()))
            errors << QStringLiteral("%1 \"%2\" shows pictures [%3]")
                          .arg(name, text, pictureTexts.join(u' '));
    }
    if (next != pieces.size())
        errors << QStringLiteral("%1 meter pieces, expected %2").arg(pieces.size()).arg(next);
    return errors;
}

} // namespace closed_circuit
