#pragma once

#include <QStringView>

#include <vector>

namespace ampery::analysis {

// The two terminals a wire joins, as its record names them.
struct WireEnds {
    QStringView start;
    QStringView end;
};

// The wires of an experiment text in text order: after every "⊙" the text up
// to the next "|", and from there to the next "|" or the record's end, with
// every track (from its "¤" up to the next "‖") left out of the text first.
// A "⊙" inside a track is no wire, and an unclosed track ends the text.
//
// The ends are views of the text, read in one pass without copying it.
std::vector<WireEnds> wireEndsOf(QStringView text);

} // namespace ampery::analysis
