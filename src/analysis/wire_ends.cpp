#include "wire_ends.h"

#include "model/char_search.h"
#include "model/separators.h"

#include <algorithm>

namespace ampery::analysis {

namespace sep = model::sep;

namespace {

// The first place of a character at or after a place that only moves
// forward: the one found is kept until it is passed.
class ForwardSearch {
public:
    ForwardSearch(QStringView text, char16_t c) : m_text(text), m_c(c) {}
    qsizetype from(qsizetype place) {
        if (m_found == -2 || (m_found >= 0 && m_found < place))
            m_found = model::firstOf(m_text, m_c, place);
        return m_found;
    }

private:
    QStringView m_text;
    char16_t m_c;
    qsizetype m_found = -2; // -1: none after the last place; -2: not looked yet
};

// The ends of the wire whose "⊙" is at wire and whose text ends at end, given
// the first two bars after the "⊙" (-1, or at or past end, for none there).
WireEnds endsOf(QStringView text, qsizetype wire, qsizetype bar, qsizetype secondBar,
                qsizetype end) {
    if (bar < 0 || bar >= end)
        return {text.mid(wire + 1, end - wire - 1), QStringView(u"")};
    const qsizetype stop = secondBar >= 0 && secondBar < end ? secondBar : end;
    return {text.mid(wire + 1, bar - wire - 1), text.mid(bar + 1, stop - bar - 1)};
}

// A wire record as the program writes it, "⊙" start "|" end and then its
// track "¤…‖" or its "‖", read in one look along it: the place of the "‖"
// that closes it, or -1 for anything else (a "⊙" inside it, a record longer
// than a look, no "‖"), which the general reading below takes.
qsizetype readPlainWire(QStringView text, qsizetype wire, std::vector<WireEnds>& wires) {
    constexpr qsizetype look = 256;
    const qsizetype limit = std::min(text.size(), wire + 1 + look);
    qsizetype bars[2] = {-1, -1};
    qsizetype end = wire + 1;
    for (;; ++end) {
        if (end == limit)
            return -1;
        const char16_t c = text[end].unicode();
        if (c == sep::recordEnd || c == sep::track)
            break;
        if (c == sep::wireStart)
            return -1;
        if (c == sep::bar && bars[1] < 0)
            bars[bars[0] < 0 ? 0 : 1] = end;
    }
    const qsizetype close =
        text[end] == sep::track ? model::firstOf(text, sep::recordEnd, end) : end;
    if (close < 0)
        return -1;
    wires.push_back(endsOf(text, wire, bars[0], bars[1], end));
    return close;
}

// The first "⊙" or "¤" at or after a place. The places asked for only move
// forward past each one found, so the text is looked through once.
qsizetype nextWireOrTrack(QStringView text, qsizetype place) {
    return model::firstOfAny(text, place, sep::wireStart, sep::track);
}

} // namespace

// Wire and track starts are taken in text order. A track is left out up to
// its "‖", with any wire start inside it. Every search only moves forward, so
// a damaged text of many "⊙" and no "‖" or "|" is still read in one pass.
std::vector<WireEnds> wireEndsOf(QStringView text) {
    std::vector<WireEnds> wires;
    // A wire record is some twenty characters or more: room for most texts'
    // wires at once, instead of growing the list a few times each analysis.
    wires.reserve(static_cast<std::size_t>(std::min<qsizetype>(text.size() / 20, 4096)));
    ForwardSearch tracks(text, sep::track);
    ForwardSearch recordEnd(text, sep::recordEnd);
    ForwardSearch firstBar(text, sep::bar);
    ForwardSearch secondBar(text, sep::bar);
    for (qsizetype at = nextWireOrTrack(text, 0); at >= 0;) {
        if (text[at] == sep::track) {
            const qsizetype close = recordEnd.from(at);
            if (close < 0)
                break;
            at = nextWireOrTrack(text, close);
            continue;
        }
        const qsizetype wire = at;
        if (const qsizetype close = readPlainWire(text, wire, wires); close >= 0) {
            at = nextWireOrTrack(text, close);
            continue;
        }
        // The wire's text runs to its record's "‖" or to its track's "¤",
        // whichever comes first: left out, the track takes the text up to
        // the "‖" with it.
        qsizetype end = recordEnd.from(wire + 1);
        if (end < 0)
            end = text.size();
        if (const qsizetype track = tracks.from(wire + 1); track >= 0 && track < end)
            end = track;
        const qsizetype bar = firstBar.from(wire + 1);
        // The second bar is looked for only past a first one inside the
        // wire's text, so that its search keeps moving forward.
        const qsizetype second = bar >= 0 && bar < end ? secondBar.from(bar + 1) : -1;
        wires.push_back(endsOf(text, wire, bar, second, end));
        // A "⊙" in the wire's text starts another wire.
        at = nextWireOrTrack(text, wire + 1);
    }
    return wires;
}

} // namespace ampery::analysis
