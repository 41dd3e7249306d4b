#pragma once

#include <QList>
#include <QPoint>
#include <QStringView>

namespace ampery::model {

// The start and end terminal of a wire record beginning at "⊙", and where its
// track begins (just after "¤"); all empty when the record has no "|" before
// its "¤".
struct WireTerminals {
    QStringView start;
    QStringView end;
    qsizetype trackStart = -1;
};
WireTerminals wireTerminals(QStringView record);

// Wire tracks as the full redraw finds them: the non-empty text from every
// "¤" to the next "‖", in text order.
QList<QStringView> wireTrackTexts(QStringView text);

// The points of a track: split at "┇", each point at "|", read as integers.
QList<QPoint> trackPoints(QStringView track);

// The lines the full redraw draws for the wire tracks of a text, each given
// as the points to join in order: every track's trackPoints(), in text order.
// A stray "¤" nests tracks inside one another, and nested tracks end in the
// same points. Those shared lines come once, with the first track of the
// nest, and every later track adds only the line from its own first point to
// the next: a file of many "¤" would otherwise give quadratically many lines.
QList<QList<QPoint>> wireLines(QStringView text);

} // namespace ampery::model
