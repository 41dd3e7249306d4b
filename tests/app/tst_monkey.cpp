#include "window_fixture.h"

#include "app/palette.h"
#include "area/area_geometry.h"
#include "area/area_interaction.h"
#include "model/gbk.h"
#include "model/separators.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>
#include <QUndoStack>

using namespace ampery;

namespace {

// Seeds and events per seed; AMPERY_MONKEY_SEED and AMPERY_MONKEY_EVENTS
// choose a longer run.
QList<quint32> seeds() {
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("AMPERY_MONKEY_SEED").toUInt(&ok);
    return ok ? QList<quint32>{seed} : QList<quint32>{1, 2, 3};
}

int eventsPerSeed() {
    bool ok = false;
    const int events = qEnvironmentVariableIntValue("AMPERY_MONKEY_EVENTS", &ok);
    return ok && events > 0 ? events : 1000;
}

// What went wrong with the experiment text, or empty text when it is sound.
QString grammarFault(const model::Experiment& experiment) {
    using namespace model;
    const QString& text = experiment.text();
    static const QList<char16_t> fieldOrder = {
        sep::x,           sep::y,          sep::name,    sep::type,    sep::state,
        sep::voltage,     sep::resistance, sep::minimum, sep::maximum, sep::ratedVoltage,
        sep::ratedCurrent};
    QSet<QString> names;
    QSet<int> numbers;
    int highest = 0;
    for (const QStringView record :
         QStringView(text).split(QChar(sep::recordEnd), Qt::SkipEmptyParts)) {
        if (record.startsWith(QChar(sep::recordStart))) {
            qsizetype at = 0;
            for (char16_t separator : fieldOrder) {
                at = record.indexOf(QChar(separator), at);
                if (at < 0)
                    return "incomplete record " + record.toString();
            }
            const Component c = parseComponentRecord(record);
            if (names.contains(c.name) || numbers.contains(c.number))
                return "duplicate " + c.name;
            names.insert(c.name);
            numbers.insert(c.number);
            highest = std::max(highest, c.number);
        }
    }
    if (experiment.highestNumber() < highest)
        return QString("highest number %1 below %2").arg(experiment.highestNumber()).arg(highest);
    for (const QStringView record :
         QStringView(text).split(QChar(sep::recordEnd), Qt::SkipEmptyParts)) {
        if (!record.startsWith(QChar(sep::wireStart)))
            continue;
        const qsizetype bar = record.indexOf(QChar(sep::bar));
        const qsizetype track = record.indexOf(QChar(sep::track));
        if (bar < 0 || track < bar)
            return "broken wire " + record.toString();
        for (const QStringView terminal :
             {record.mid(1, bar - 1), record.mid(bar + 1, track - bar - 1)})
            if (!names.contains(terminal.chopped(1).toString()))
                return "wire to a missing component " + record.toString();
    }
    if (!text.isEmpty() && !text.endsWith(QChar(sep::recordEnd)))
        return "text does not end with a record";
    const std::optional<QByteArray> bytes = encodeGbk(text);
    if (!bytes || decodeGbk(*bytes) != text)
        return "text does not survive saving";
    return {};
}

class Monkey {
public:
    Monkey(WindowFixture& f, quint32 seed) : m_f(f), m_random(seed) {
        m_area = f.find<QWidget>("画板1");
    }

    QString step() {
        switch (m_random.bounded(22)) {
        case 18:
        case 19:
            QTest::keyClick(m_area, Qt::Key_Z, Qt::ControlModifier);
            return "undo";
        case 20:
            QTest::keyClick(m_area, Qt::Key_Y, Qt::ControlModifier);
            return "redo";
        case 21:
            QTest::keyClick(m_area, Qt::Key_Escape);
            return "escape";
        case 16:
        case 17:
            drawWire();
            return "wire";
        case 0:
        case 1:
            choosePaletteButton();
            return "palette";
        case 2:
        case 3:
        case 4:
        case 5:
            QTest::mouseClick(m_area, Qt::LeftButton, {}, pointOnArea());
            return "click";
        case 6:
        case 7:
        case 8:
            hover(pointOnArea());
            return "hover";
        case 9:
        case 10:
            drag();
            return "drag";
        case 11: {
            const QPoint p = pointOnArea();
            QTest::mouseClick(m_area, Qt::LeftButton, {}, p);
            QTest::mouseDClick(m_area, Qt::LeftButton, {}, p);
            return "double click";
        }
        case 12:
            QTest::mouseClick(m_area, Qt::RightButton, {}, pointOnArea());
            return "right click";
        case 13:
            editPanel();
            return "panel edit";
        case 14: {
            // Leaving the area for another control.
            QWidget* label = m_f.find<QWidget>("提示编辑框");
            QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), label->mapToGlobal(QPointF(3, 3)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(label, &move);
            return "leave";
        }
        default:
            if (m_random.bounded(20) == 0) {
                m_f.window->startExperiment();
                return "start";
            }
            hover(pointOnArea());
            return "hover";
        }
    }

private:
    void choosePaletteButton() {
        const auto button =
            static_cast<area::PaletteButton>(m_random.bounded(app::Palette::buttonCount));
        QTest::mouseClick(m_f.window->palette().button(button), Qt::LeftButton);
    }

    // Mostly near posts and boxes of existing components, so wires get made.
    QPoint pointOnArea() {
        const std::vector<model::Component> all = m_f.experiment().components();
        const QSize size = m_area->size();
        if (all.empty() || m_random.bounded(3) == 0)
            return {m_random.bounded(-10, size.width() + 10),
                    m_random.bounded(-10, size.height() + 10)};
        const model::Component& c =
            all[static_cast<std::size_t>(m_random.bounded(int(all.size())))];
        return {c.x + m_random.bounded(-12, 90), c.y + m_random.bounded(-16, 80)};
    }

    // A post of a random component, found the way a click finds it.
    std::optional<QPoint> randomPost() {
        const std::vector<model::Component> all = m_f.experiment().components();
        if (all.empty())
            return std::nullopt;
        const model::Component& c =
            all[static_cast<std::size_t>(m_random.bounded(int(all.size())))];
        for (int tries = 0; tries < 50; ++tries) {
            const QPoint p(c.x + m_random.bounded(-12, 90), c.y + m_random.bounded(-16, 80));
            if (const auto hit = area::hitTerminal(c.type, {c.x, c.y}, p))
                return hit->attach;
        }
        return std::nullopt;
    }

    void drawWire() {
        QTest::mouseClick(m_f.window->palette().button(area::PaletteButton::Wire), Qt::LeftButton);
        const std::optional<QPoint> from = randomPost();
        const std::optional<QPoint> to = randomPost();
        if (!from || !to)
            return;
        QTest::mouseClick(m_area, Qt::LeftButton, {}, *from);
        for (int k = m_random.bounded(0, 6); k > 0; --k)
            hover(pointOnArea());
        QTest::mouseClick(m_area, Qt::LeftButton, {}, *to);
    }

    void hover(QPoint p) {
        QMouseEvent move(QEvent::MouseMove, p, m_area->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(m_area, &move);
    }

    void drag() {
        QPoint p = pointOnArea();
        QTest::mousePress(m_area, Qt::LeftButton, {}, p);
        for (int k = m_random.bounded(1, 6); k > 0; --k) {
            p += QPoint(m_random.bounded(-60, 61), m_random.bounded(-60, 61));
            QTest::mouseMove(m_area, p);
        }
        QTest::mouseRelease(m_area, Qt::LeftButton, {}, p);
    }

    void editPanel() {
        static const QStringList boxes = {"电压编辑框",   "电阻值编辑框", "最小值编辑框",
                                          "最大值编辑框", "额压编辑框",   "额流编辑框"};
        static const QStringList entries = {"0",   "0.0", "5",  "12.5",     "100",      "abc", "-3",
                                            "1e9", "7|8", "9‖", "0.000001", "99999999", "2"};
        const QString entry = entries[m_random.bounded(int(entries.size()))];
        const bool confirm = m_random.bounded(4) != 0;
        QTimer::singleShot(0, [entry, confirm] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->findChild<QLineEdit*>("参数编辑框")->setText(entry);
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                if (b->text() == (confirm ? "确定" : "取消"))
                    b->click();
            if (dialog->isVisible())
                dialog->reject(); // a refused entry keeps it open
        });
        QLineEdit* box = m_f.find<QLineEdit>(boxes[m_random.bounded(int(boxes.size()))]);
        QTest::mouseClick(box, Qt::LeftButton);
    }

    WindowFixture& m_f;
    QRandomGenerator m_random;
    QWidget* m_area = nullptr;
};

// Undoing every step there is and redoing as many must give back the
// experiment as it stood, byte for byte; with the whole history kept, the
// undone experiment is the one the history started from. Empty text when it
// holds.
QString historyFault(WindowFixture& f, const std::optional<model::Experiment>& start) {
    QUndoStack& history = f.window->controller().history();
    // A wire or drag still going on ends first, as undo ends it.
    f.window->interaction().cancel();
    const model::Experiment now = f.experiment();
    const int steps = history.index();
    while (history.canUndo())
        f.window->undo();
    if (start && history.count() < area::ExperimentController::historyLimit &&
        !f.experiment().hasSameStateAs(*start))
        return "undoing every step does not give the starting experiment";
    for (int k = 0; k < steps; ++k)
        f.window->redo();
    if (!f.experiment().hasSameStateAs(now))
        return "redoing every step does not give the same experiment:\n" + now.text() + "\n" +
               f.experiment().text();
    if (f.experiment().isModified() != now.isModified())
        return "the modified flag changed across undo and redo";
    return {};
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomUseKeepsTheExperimentSound() {
        for (const quint32 seed : seeds()) {
            WindowFixture f;
            f.window->interaction().placeTool().setLimitPause(std::chrono::milliseconds(0));
            Monkey monkey(f, seed);
            const int events = eventsPerSeed();
            std::optional<model::Experiment> start = f.experiment();
            for (int k = 0; k < events; ++k) {
                const QString what = monkey.step();
                if (f.window->controller().history().count() == 0)
                    start = f.experiment(); // a new history
                QString fault = grammarFault(f.experiment());
                if (fault.isEmpty() && k % 50 == 49)
                    fault = historyFault(f, start);
                if (!fault.isEmpty())
                    QFAIL(qPrintable(
                        QString("seed %1, event %2 (%3): %4").arg(seed).arg(k).arg(what, fault)));
            }
            qInfo("seed %u: %d events, ended with %d components and %lld wires", seed, events,
                  int(f.experiment().components().size()),
                  f.experiment().text().count(QChar(model::sep::wireStart)));
        }
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
