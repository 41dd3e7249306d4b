#include "wire_ends.h"

#include "model/separators.h"

#include <algorithm>

namespace ampery::analysis {

namespace sep = model::sep;

namespace {

// The first place of c at or after from, or -1. Wire records are short and
// tracks long: the next few characters are looked at in a plain loop before
// the text search, whose call costs more than such a look.
qsizetype findChar(QStringView text, char16_t c, qsizetype from) {
    const qsizetype near = std::min(text.size(), from + 32);
    for (qsizetype i = from; i < near; ++i)
        if (text[i] == c)
            return i;
    return near >= text.size() ? -1 : text.indexOf(QChar(c), near);
}

// The first place of a character at or after a place that only moves
// forward: the one found is kept until it is passed. Searched for with
// findChar(), or only with the text search where the caller has looked at
// the next characters already.
class ForwardSearch {
public:
    enum class Look { NearFirst, Far };
    ForwardSearch(QStringView text, char16_t c, Look look = Look::NearFirst)
        : m_text(text), m_c(c), m_look(look) {}
    qsizetype from(qsizetype place) {
        if (m_found == -2 || (m_found >= 0 && m_found < place))
            m_found = m_look == Look::NearFirst ? findChar(m_text, m_c, place)
                                                : m_text.indexOf(QChar(m_c), place);
        return m_found;
    }

private:
    QStringView m_text;
    char16_t m_c;
    Look m_look;
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
    const qsizetype close = text[end] == sep::track ? findChar(text, sep::recordEnd, end) : end;
    if (close < 0)
        return -1;
    wires.push_back(endsOf(text, wire, bars[0], bars[1], end));
    return close;
}

// The first "⊙" or "¤" at or after a place that only moves forward: the next
// few characters are looked at for either, and past them each is searched
// for on its own, kept until passed.
class WireOrTrackSearch {
public:
    explicit WireOrTrackSearch(QStringView text)
        : m_text(text), m_wires(text, sep::wireStart, ForwardSearch::Look::Far),
          m_tracks(text, sep::track, ForwardSearch::Look::Far) {}
    qsizetype from(qsizetype place) {
        const qsizetype near = std::min(m_text.size(), place + 8);
        for (qsizetype i = place; i < near; ++i)
            if (const char16_t c = m_text[i].unicode(); c == sep::wireStart || c == sep::track)
                return i;
        if (near >= m_text.size())
            return -1;
        const qsizetype wire = m_wires.from(near);
        const qsizetype track = m_tracks.from(near);
        return wire < 0 ? track : track < 0 ? wire : std::min(wire, track);
    }

private:
    QStringView m_text;
    ForwardSearch m_wires;
    ForwardSearch m_tracks;
};

} // namespace

// Wire and track starts are taken in text order. A track is left out up to
// its "‖", with any wire start inside it. Every search only moves forward, so
// a damaged text of many "⊙" and no "‖" or "|" is still read in one pass.
std::vector<WireEnds> wireEndsOf(QStringView text) {
    std::vector<WireEnds> wires;
    // A wire record is some twenty characters or more: room for most texts'
    // wires at once, instead of growing the list a few times each analysis.
    wires.reserve(static_cast<std::size_t>(std::min<qsizetype>(text.size() / 20, 4096)));
    WireOrTrackSearch next(text);
    ForwardSearch tracks(text, sep::track);
    ForwardSearch recordEnd(text, sep::recordEnd);
    ForwardSearch firstBar(text, sep::bar);
    ForwardSearch secondBar(text, sep::bar);
    for (qsizetype at = next.from(0); at >= 0;) {
        if (text[at] == sep::track) {
            const qsizetype close = recordEnd.from(at);
            if (close < 0)
                break;
            at = next.from(close);
            continue;
        }
        const qsizetype wire = at;
        if (const qsizetype close = readPlainWire(text, wire, wires); close >= 0) {
            at = next.from(close);
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
        at = next.from(wire + 1);
    }
    return wires;
}

} // namespace ampery::analysis
