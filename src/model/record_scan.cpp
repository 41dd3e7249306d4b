#include "record_scan.h"

#include "number_text.h"
#include "separators.h"

#include <algorithm>

namespace ampery::model {

namespace {

QPoint readPoint(QStringView point) {
    const qsizetype bar = point.indexOf(QChar(sep::bar));
    if (bar < 0)
        return QPoint(textToInt(point), 0);
    return QPoint(textToInt(point.first(bar)), textToInt(point.mid(bar + 1)));
}

// The next occurrence of a character at or after positions that only move
// forward, so that no stretch of the text is searched twice.
class ForwardSearch {
public:
    ForwardSearch(QStringView text, char16_t character) : m_text(text), m_character(character) {}

    // The first position at or after from, or the text's size when none.
    qsizetype from(qsizetype from) {
        if (m_found < from) {
            m_found = m_text.indexOf(QChar(m_character), from);
            if (m_found < 0)
                m_found = m_text.size();
        }
        return m_found;
    }

private:
    QStringView m_text;
    char16_t m_character;
    qsizetype m_found = -1;
};

} // namespace

WireTerminals wireTerminals(QStringView record) {
    WireTerminals t;
    const qsizetype bar = record.indexOf(QChar(sep::bar));
    const qsizetype marker = record.indexOf(QChar(sep::track));
    if (bar < 1 || marker < bar)
        return t;
    t.start = record.mid(1, bar - 1);
    t.end = record.mid(bar + 1, marker - bar - 1);
    t.trackStart = marker + 1;
    return t;
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
    for (const QStringView point : track.split(QChar(sep::point)))
        points.append(readPoint(point));
    return points;
}

QList<QList<QPoint>> wireLines(QStringView text) {
    QList<QList<QPoint>> lines;
    ForwardSearch ends(text, sep::recordEnd);
    ForwardSearch points(text, sep::point);
    ForwardSearch bars(text, sep::bar);
    qsizetype nestEnd = -1;
    // Nested tracks share the text after their first "┇", and those after
    // their first "|" the y of the first point: both are read once.
    qsizetype secondAt = -1;
    QPoint second;
    qsizetype yAt = -1;
    int y = 0;
    for (qsizetype marker = text.indexOf(QChar(sep::track)); marker >= 0;
         marker = text.indexOf(QChar(sep::track), marker + 1)) {
        const qsizetype start = marker + 1;
        const qsizetype end = ends.from(start);
        if (end == text.size())
            break; // no "‖" after this "¤", nor after any later one
        if (end == start)
            continue;
        const bool nested = end == nestEnd;
        nestEnd = end;
        if (!nested) {
            lines.append(trackPoints(text.mid(start, end - start)));
            continue;
        }
        const qsizetype point = points.from(start);
        if (point >= end)
            continue; // one point draws nothing
        if (point != secondAt) {
            qsizetype next = text.indexOf(QChar(sep::point), point + 1);
            if (next < 0 || next > end)
                next = end;
            second = readPoint(text.mid(point + 1, next - point - 1));
            secondAt = point;
        }
        const qsizetype bar = bars.from(start);
        QPoint first(textToInt(text.mid(start, std::min(bar, point) - start)), 0);
        if (bar < point) {
            if (bar != yAt) {
                y = textToInt(text.mid(bar + 1, point - bar - 1));
                yAt = bar;
            }
            first.setY(y);
        }
        lines.append({first, second});
    }
    return lines;
}

} // namespace ampery::model
