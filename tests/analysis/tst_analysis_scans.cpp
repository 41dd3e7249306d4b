// The reduction's scans: the working network's index against a rescan from
// the top of the lists, before the reduction's first step and after every
// step, on random experiments with and without components of one name; and
// the whole analysis with its index against the same analysis asking the
// rescans, outcome for outcome.
#include "circuit.h"
#include "circuit_generator.h"
#include "network_generator.h"
#include "reference_scans.h"

#include "analysis/analyse.h"
#include "analysis/circuit_checks.h"
#include "analysis/network.h"
#include "analysis/reduction.h"
#include "analysis/scan_index.h"
#include "analysis/working_network.h"
#include "model/experiment.h"
#include "model/number_text.h"

#include <QTest>

#include <memory>
#include <optional>
#include <utility>

using namespace ampery;

namespace {

// What a reduction did: how it ended, its equivalents and the nodes it left.
QStringList summary(const analysis::Reduction& reduction, const analysis::Network& network,
                    const analysis::WorkingNetwork& work) {
    QStringList list{QStringLiteral("end %1 after %2 passes")
                         .arg(static_cast<int>(reduction.end))
                         .arg(reduction.passes)};
    for (const analysis::Equivalent& e : reduction.equivalents)
        list.append(e.name() + ' ' + e.definition(network.components) + ' ' +
                    model::numberToText(e.resistance));
    list.append(work.nodeTexts());
    return list;
}

// Everything an outcome shows, as text, for comparing and for the message.
QStringList outcomeTexts(const analysis::AnalysisOutcome& o) {
    QStringList list{o.status, QStringLiteral("solved %1, gave up %2").arg(o.solved).arg(o.gaveUp)};
    for (const analysis::ResultRecord& r : o.results)
        list.append(QStringLiteral("record %1 %2 %3 %4")
                        .arg(r.name, r.potentialA.toString(), r.potentialB.toString(),
                             r.current.toString()));
    for (const analysis::DisplayStep& d : o.steps)
        list.append(QStringLiteral("step %1: picture %2 of %3 at %4,%5, slot %6 direction %7 "
                                   "interval %8")
                        .arg(static_cast<int>(d.kind))
                        .arg(d.picture)
                        .arg(d.componentNumber)
                        .arg(d.x)
                        .arg(d.y)
                        .arg(d.slot)
                        .arg(d.direction)
                        .arg(d.interval));
    for (const analysis::MeterReading& m : o.readings)
        list.append(QStringLiteral("reading %1 %2").arg(m.name, m.text));
    return list;
}

// A second wire between the two terminals of the experiment's first wire, as
// only a file can hold one.
void doubleTheFirstWire(model::Experiment& experiment) {
    QString& text = experiment.editableText();
    const qsizetype start = text.indexOf(u'⊙');
    const qsizetype end = start < 0 ? -1 : text.indexOf(u'‖', start);
    if (end > start)
        text += text.mid(start, end - start + 1);
    experiment.recount();
}

// How many random experiments the whole-analysis comparison takes; more when
// AMPERY_ANALYSIS_COMPARISONS says so, for a long run by hand.
int comparisons() {
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("AMPERY_ANALYSIS_COMPARISONS", &ok);
    return ok && asked > 0 ? asked : 5000;
}

struct Run {
    bool reduced = false; // the checks before the reduction let it run
    int steps = 0;
    QStringList disagreements;
    QStringList summary;
};

// The analysis's checks, then the reduction; with compare, every scan of the
// index is held against its rescan before the first step and after each one.
Run reduceExperiment(const model::Experiment& experiment, bool compare) {
    Run run;
    analysis::Extraction extraction = analysis::extractNetwork(experiment);
    if (extraction.stop != analysis::ExtractionStop::None)
        return run;
    analysis::Network& network = extraction.network;
    analysis::WorkingNetwork work(network, network.terminals);
    if (!analysis::removeShortedComponents(work))
        return run;
    analysis::removeOpenSwitchesAndVoltmeters(work);
    if (work.sourceWithoutLoop())
        return run;
    run.reduced = true;
    analysis::StepCheck check;
    if (compare)
        check = [&run](analysis::WorkingNetwork& w, analysis::ReductionScans& index) {
            if (run.disagreements.isEmpty())
                for (const QString& d : reference::disagreements(w, index))
                    run.disagreements.append(QStringLiteral("after step %1: ").arg(run.steps) + d);
            ++run.steps;
        };
    const analysis::Reduction reduction = analysis::reduce(work, network, check);
    run.summary = summary(reduction, network, work);
    return run;
}

} // namespace

class TestAnalysisScans : public QObject {
    Q_OBJECT
private slots:
    // The property test's random series-parallel experiments as they are,
    // and with one component in twenty, ten or five taking the name of one
    // placed before it, which joins their terminals into other shapes.
    void indexAgreesWithRescan_data() {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("sameNamePercent");
        m_rows = 0;
        for (const auto& [percent, seeds] : mixes) {
            for (quint32 seed = 1; seed <= seeds; ++seed)
                QTest::addRow("%d%% same names, seed %u", percent, seed) << seed << percent;
            m_rows += static_cast<int>(seeds);
        }
    }
    void indexAgreesWithRescan() {
        QFETCH(quint32, seed);
        QFETCH(int, sameNamePercent);
        random_circuits::Circuit circuit =
            random_circuits::CircuitGenerator(seed, sameNamePercent).generate();
        if (QTest::currentTestFailed())
            return;
        const Run compared = reduceExperiment(circuit.experiment, true);
        QVERIFY2(compared.disagreements.isEmpty(),
                 qPrintable(compared.disagreements.join(u'\n') + QStringLiteral("\nexperiment: ") +
                            circuit.experiment.text()));
        // The reduction left alone takes the same steps: asking the index in
        // between changes none of its answers.
        QCOMPARE(reduceExperiment(circuit.experiment, false).summary, compared.summary);

        Tally& tally = sameNamePercent > 0 ? m_sameNames : m_uniqueNames;
        ++tally.rows;
        if (compared.reduced) {
            ++tally.reduced;
            tally.steps += compared.steps;
        }
    }

    // The whole analysis, its reduction asking the index and asking the
    // rescans: the same status, records (as their decimal texts), display
    // steps, motor slots and readings. Series-parallel experiments, with and
    // without shared names, and networks that are not series-parallel, a
    // quarter of each with a wire doubled.
    void wholeAnalysisAgreesWithRescans() {
        const int count = comparisons();
        int solved = 0;
        int reduced = 0;
        for (int row = 0; row < count; ++row) {
            const quint32 seed = static_cast<quint32>(row / 3) + 1;
            random_circuits::Circuit circuit =
                row % 3 == 2
                    ? random_circuits::NetworkGenerator(seed).generate()
                    : random_circuits::CircuitGenerator(seed, row % 3 == 0 ? 0 : 10).generate();
            if (QTest::currentTestFailed())
                return;
            if (row % 4 == 3)
                doubleTheFirstWire(circuit.experiment);
            const analysis::AnalysisOutcome fast = analysis::analyse(circuit.experiment);
            const analysis::AnalysisOutcome plain =
                analysis::analyse(circuit.experiment, [](analysis::WorkingNetwork& work) {
                    return std::make_unique<reference::Rescans>(work);
                });
            const QStringList fastTexts = outcomeTexts(fast);
            const QStringList plainTexts = outcomeTexts(plain);
            if (fastTexts != plainTexts)
                QFAIL(qPrintable(QStringLiteral("row %1 differs\nindex:\n%2\nrescans:\n%3\n"
                                                "experiment: %4")
                                     .arg(row)
                                     .arg(fastTexts.join(u'\n'), plainTexts.join(u'\n'),
                                          circuit.experiment.text())));
            solved += fast.solved ? 1 : 0;
            reduced += fast.results.size() > 2 ? 1 : 0;
        }
        // The comparison compares something: most experiments are solved,
        // with records of many components.
        QVERIFY2(2 * solved >= count, qPrintable(QStringLiteral("%1 solved").arg(solved)));
        QVERIFY2(2 * reduced >= count, qPrintable(QStringLiteral("%1 with records").arg(reduced)));
        qInfo("%d experiments compared, %d solved", count, solved);
    }

    // An entry that leaves the working lists while its terminals still lie in
    // nodes hands them to the next component of its name: here the second
    // 电阻1 then makes the series pair with 电阻2, whether the scans have
    // started or not, and also where the first (of the source's type) made
    // none.
    void leavingEntryHandsOverItsTerminals_data() {
        QTest::addColumn<int>("firstType");
        QTest::addColumn<bool>("scanning");
        QTest::addColumn<int>("pairedBefore"); // the series pair's first before, -1: none
        QTest::addRow("resistor, before the scans start") << int(model::Resistor) << false << 1;
        QTest::addRow("resistor, while the scans run") << int(model::Resistor) << true << 1;
        QTest::addRow("source's type, before the scans start") << int(model::Source) << false << -1;
        QTest::addRow("source's type, while the scans run") << int(model::Source) << true << -1;
    }
    void leavingEntryHandsOverItsTerminals() {
        QFETCH(int, firstType);
        QFETCH(bool, scanning);
        QFETCH(int, pairedBefore);
        ::Circuit c;
        const QString s = c.source();
        c.addNamed(QStringLiteral("电阻1"), firstType, {{model::Field::Resistance, "10"}});
        c.addNamed(QStringLiteral("电阻1"), model::Resistor, {{model::Field::Resistance, "20"}});
        const QString r2 = c.addNamed(QStringLiteral("电阻2"), model::Resistor,
                                      {{model::Field::Resistance, "10"}});
        c.wires(
            {pos(s), QStringLiteral("电阻1∧"), QStringLiteral("电阻1∨"), pos(r2), neg(r2), neg(s)});
        c.experiment().recount();
        analysis::Extraction extraction = analysis::extractNetwork(c.experiment());
        QCOMPARE(int(extraction.stop), int(analysis::ExtractionStop::None));
        analysis::Network& network = extraction.network;
        std::optional<analysis::WorkingNetwork> work(std::in_place, network, network.terminals);
        std::optional<analysis::ScanIndex> index(std::in_place, *work);
        const std::optional<analysis::SeriesMatch> before = index->firstSeries();
        QCOMPARE(before ? before->first : -1, pairedBefore);
        QCOMPARE(reference::disagreements(*work, *index), QStringList());
        if (!scanning) { // the same network afresh, the entry leaving before the first scan
            index.reset();
            work.emplace(network, network.terminals);
        }
        work->removeEntry(1);
        if (!scanning)
            index.emplace(*work);
        const std::optional<analysis::SeriesMatch> after = index->firstSeries();
        QVERIFY(after);
        QCOMPARE(after->first, 2);
        QCOMPARE(after->second, 3);
        QCOMPARE(work->terminals().name(after->firstMiddle), QStringLiteral("电阻1∨"));
        QCOMPARE(reference::disagreements(*work, *index), QStringList());
    }

    // When every row ran: most random experiments reach the reduction and
    // take steps there, with and without shared names, so the comparison
    // above compares something.
    void cleanupTestCase() {
        if (m_uniqueNames.rows + m_sameNames.rows != m_rows)
            return;
        for (const Tally& tally : {m_uniqueNames, m_sameNames}) {
            QVERIFY2(
                2 * tally.reduced >= tally.rows,
                qPrintable(QStringLiteral("%1 of %2 reduced").arg(tally.reduced).arg(tally.rows)));
            QVERIFY2(tally.steps >= 5 * tally.reduced,
                     qPrintable(QStringLiteral("%1 steps").arg(tally.steps)));
        }
    }

private:
    static constexpr std::pair<int, quint32> mixes[] = {{0, 500}, {5, 1000}, {10, 1000}, {20, 500}};
    struct Tally {
        int rows = 0;
        int reduced = 0;
        int steps = 0;
    };
    int m_rows = 0;
    Tally m_uniqueNames, m_sameNames;
};

QTEST_GUILESS_MAIN(TestAnalysisScans)
#include "tst_analysis_scans.moc"
