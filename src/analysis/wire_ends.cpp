#include "wire_ends.h"

#include "model/separators.h"

namespace ampery::analysis {

namespace sep = model::sep;

namespace {

// A wire's text runs to its record's "‖" or to its track's "¤", whichever
// comes first: left out, the track takes the text up to the "‖" with it.
qsizetype endOfWireText(QStringView text, qsizetype from) {
    for (qsizetype i = from; i < text.size(); ++i)
        if (text[i] == sep::recordEnd || text[i] == sep::track)
            return i;
    return text.size();
}

WireEnds split(QStringView body) {
    const qsizetype bar = body.indexOf(QChar(sep::bar));
    if (bar < 0)
        return {body, QStringView(u"")};
    const qsizetype secondBar = body.indexOf(QChar(sep::bar), bar + 1);
    return {body.first(bar),
            secondBar < 0 ? body.mid(bar + 1) : body.mid(bar + 1, secondBar - bar - 1)};
}

} // namespace

std::vector<WireEnds> wireEndsOf(QStringView text) {
    std::vector<WireEnds> wires;
    qsizetype at = 0;
    while (at < text.size()) {
        const char16_t c = text[at].unicode();
        if (c == sep::track) {
            at = text.indexOf(QChar(sep::recordEnd), at);
            if (at < 0)
                break;
            continue;
        }
        if (c == sep::wireStart)
            wires.push_back(split(text.mid(at + 1, endOfWireText(text, at + 1) - at - 1)));
        ++at;
    }
    return wires;
}

} // namespace ampery::analysis
