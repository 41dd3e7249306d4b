#pragma once

#include <QList>
#include <QPoint>
#include <QStringView>

namespace ampery::model {

// A stretch of the experiment text: a record from its first character up to
// and including its closing "‖".
struct RecordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
};

// Component records as the full redraw finds them: from every "№" to the next
// "‖", in text order. A "№" with no "‖" after it gives no record.
QList<RecordSpan> componentRecordSpans(QStringView text);

// Wire tracks as the full redraw finds them: the non-empty text from every
// "¤" to the next "‖", in text order.
QList<QStringView> wireTrackTexts(QStringView text);

// The points of a track: split at "┇", each point at "|", read as integers.
QList<QPoint> trackPoints(QStringView track);

} // namespace ampery::model
