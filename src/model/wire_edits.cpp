#include "wire_edits.h"

#include "experiment.h"
#include "number_text.h"
#include "record_scan.h"
#include "separators.h"

#include <QPoint>

namespace ampery::model {

namespace {

QString wireHead(const QString& start, const QString& end) {
    return QChar(sep::wireStart) + start + QChar(sep::bar) + end + QChar(sep::track);
}

// Whether the record's track holds the point text as a whole point.
bool trackHasPoint(QStringView record, QStringView point) {
    qsizetype at = record.indexOf(point);
    while (at >= 0) {
        const qsizetype after = at + point.size();
        const bool startsPoint =
            at > 0 && (record[at - 1] == QChar(sep::track) || record[at - 1] == QChar(sep::point));
        const bool endsPoint = after == record.size() || record[after] == QChar(sep::point) ||
                               record[after] == QChar(sep::recordEnd);
        if (startsPoint && endsPoint)
            return true;
        at = record.indexOf(point, at + 1);
    }
    return false;
}

QString withoutWiresThrough(QStringView text, QStringView point) {
    QString kept;
    kept.reserve(text.size());
    for (const QStringView record : text.split(QChar(sep::recordEnd))) {
        if (record.isEmpty() || trackHasPoint(record, point))
            continue;
        kept += record;
        kept += QChar(sep::recordEnd);
    }
    return kept;
}

QString joinPoints(const QList<QPoint>& points) {
    QString track;
    for (const QPoint& p : points) {
        if (!track.isEmpty())
            track += QChar(sep::point);
        track += QString::number(p.x()) + QChar(sep::bar) + QString::number(p.y());
    }
    return track;
}

// How far point j of a stretched track of n points follows a drag of d: all
// of it at the dragged component (j = 1), none at the other component's post
// (j = n), linear between, so both ends stay on their posts. One division of
// exact integers, so a true half rounds as a half.
int stretchedShift(int d, qsizetype j, qsizetype n) {
    if (n < 2)
        return d;
    return roundHalfAway(static_cast<double>(d) * static_cast<double>(n - j) /
                         static_cast<double>(n - 1));
}

bool belongsTo(QStringView terminal, QStringView name) {
    return !terminal.isEmpty() && terminal.chopped(1) == name;
}

} // namespace

bool appendWire(Experiment& experiment, const QString& start, const QString& end,
                const QString& track) {
    const QString& text = experiment.text();
    if (start == end || text.contains(wireHead(start, end)) || text.contains(wireHead(end, start)))
        return false;
    experiment.editableText() += wireHead(start, end) + track + QChar(sep::recordEnd);
    experiment.setModified(true);
    return true;
}

bool deleteWiresAtPoint(Experiment& experiment, int x, int y) {
    const QString copy = experiment.text();
    QStringView lastHit;
    for (const QStringView track : wireTrackTexts(copy)) {
        for (const QStringView point : track.split(QChar(sep::point))) {
            const qsizetype bar = point.indexOf(QChar(sep::bar));
            const double px = textToNumber(bar < 0 ? point : point.first(bar));
            const double py = bar < 0 ? 0.0 : textToNumber(point.mid(bar + 1));
            if (x - 8 <= px && px <= x + 8 && y - 8 <= py && py <= y + 8)
                lastHit = point;
        }
    }
    if (lastHit.isNull())
        return false;
    experiment.setText(withoutWiresThrough(copy, lastHit));
    experiment.setModified(true);
    return true;
}

AttachedWires collectAttachedWires(Experiment& experiment, const QString& name) {
    AttachedWires wires;
    QString& text = experiment.editableText();
    for (const bool positive : {true, false}) {
        const QString terminal = name + QChar(positive ? sep::positive : sep::negative);

        const QString starting = QChar(sep::wireStart) + terminal + QChar(sep::bar);
        for (qsizetype at = text.indexOf(starting); at >= 0; at = text.indexOf(starting, at + 1)) {
            const qsizetype end = text.indexOf(QChar(sep::recordEnd), at);
            const QStringView record =
                QStringView(text).mid(at, end < 0 ? text.size() - at : end - at);
            const WireTerminals t = wireTerminals(record);
            (belongsTo(t.end, name) ? wires.rigid : wires.stretched).append(record.toString());
        }

        const QString ending = QChar(sep::bar) + terminal + QChar(sep::track);
        for (qsizetype at = text.indexOf(ending); at >= 0; at = text.indexOf(ending, at + 1)) {
            const qsizetype begin = text.lastIndexOf(QChar(sep::wireStart), at);
            if (begin < 0)
                continue;
            const qsizetype end = text.indexOf(QChar(sep::recordEnd), at);
            const qsizetype length = (end < 0 ? text.size() : end) - begin;
            const QStringView record = QStringView(text).mid(begin, length);
            const WireTerminals t = wireTerminals(record);
            if (belongsTo(t.start, name) || t.trackStart < 0)
                continue;
            QList<QStringView> points = record.mid(t.trackStart).split(QChar(sep::point));
            std::reverse(points.begin(), points.end());
            QString turned = wireHead(terminal, t.start.toString());
            for (qsizetype k = 0; k < points.size(); ++k) {
                if (k > 0)
                    turned += QChar(sep::point);
                turned += points[k];
            }
            text.replace(begin, length, turned);
            wires.stretched.append(turned);
        }
    }
    return wires;
}

void moveAttachedWires(Experiment& experiment, const AttachedWires& wires, int dx, int dy) {
    QString& text = experiment.editableText();
    const auto rewrite = [&text](const QString& record, const QList<QPoint>& moved) {
        const qsizetype marker = record.indexOf(QChar(sep::track));
        if (marker < 0)
            return;
        const QStringView head = QStringView(record).first(marker + 1);
        const qsizetype at = text.indexOf(head);
        if (at < 0)
            return;
        const qsizetype end = text.indexOf(QChar(sep::recordEnd), at);
        const qsizetype length = (end < 0 ? text.size() : end) - at;
        text.replace(at, length, head.toString() + joinPoints(moved));
    };
    const auto trackOf = [](const QString& record) {
        const qsizetype marker = record.indexOf(QChar(sep::track));
        return trackPoints(QStringView(record).mid(marker + 1));
    };

    for (const QString& record : wires.rigid) {
        QList<QPoint> points = trackOf(record);
        for (QPoint& p : points)
            p += QPoint(dx, dy);
        rewrite(record, points);
    }
    for (const QString& record : wires.stretched) {
        QList<QPoint> points = trackOf(record);
        const qsizetype n = points.size();
        for (qsizetype j = 1; j <= n; ++j) {
            points[j - 1] += QPoint(stretchedShift(dx, j, n), stretchedShift(dy, j, n));
        }
        rewrite(record, points);
    }
    experiment.setModified(true);
}

} // namespace ampery::model
