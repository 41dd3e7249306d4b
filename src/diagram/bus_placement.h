#pragma once

#include "fragment.h"

#include <QList>

namespace ampery::diagram {

// Any circuit at all: the parts upright side by side, each net a bus above
// or below them with a riser to each of its posts, and a column at the right
// for a net that has posts on both sides. Wires may cross but never touch
// another net or pass through a symbol.
Fragment placeBuses(const DiagramGraph& graph, const QList<int>& group);

} // namespace ampery::diagram
