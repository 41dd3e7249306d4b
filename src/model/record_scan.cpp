#include "record_scan.h"

#include "number_text.h"
#include "separators.h"

namespace ampery::model {

QList<RecordSpan> componentRecordSpans(QStringView text) {
    QList<RecordSpan> spans;
    qsizetype from = 0;
    for (;;) {
        const qsizetype s = text.indexOf(QChar(sep::recordStart), from);
        if (s < 0)
            break;
        const qsizetype e = text.indexOf(QChar(sep::recordEnd), s);
        if (e < 0)
            break;
        spans.append({s, e + 1 - s});
        from = s + 1;
    }
    return spans;
}

QList<QStringView> wireTrackTexts(QStringView text) {
    QList<QStringView> tracks;
    qsizetype from = 0;
    for (;;) {
        const qsizetype marker = text.indexOf(QChar(sep::track), from);
        if (marker < 0)
            break;
        const qsizetype s = marker + 1;
        const qsizetype e = text.indexOf(QChar(sep::recordEnd), s);
        if (e > s)
            tracks.append(text.mid(s, e - s));
        from = s;
    }
    return tracks;
}

QList<QPoint> trackPoints(QStringView track) {
    QList<QPoint> points;
    for (const QStringView point : track.split(QChar(sep::point))) {
        const qsizetype bar = point.indexOf(QChar(sep::bar));
        if (bar < 0)
            points.append(QPoint(textToInt(point), 0));
        else
            points.append(QPoint(textToInt(point.first(bar)), textToInt(point.mid(bar + 1))));
    }
    return points;
}

} // namespace ampery::model
