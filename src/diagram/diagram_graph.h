#pragma once

#include "diagram_source.h"

#include <QList>
#include <QStringList>

namespace ampery::diagram {

// The circuit as a graph: the nodes are the nets (terminals joined by wire
// only; a closed switch or an ammeter is a part, not a wire), the edges are
// the parts, each between the net of its "∧" post and the net of its "∨" post.
// A post without a wire is a net of its own.
struct DiagramGraph {
    QList<DiagramPart> parts;
    QList<int> positiveNet;          // per part
    QList<int> negativeNet;          // per part
    QList<QStringList> netTerminals; // per net: the drawn terminals in it, sorted
    QList<int> netPosts;             // per net: how many posts of parts lie in it

    int partCount() const { return int(parts.size()); }
    int netCount() const { return int(netTerminals.size()); }
    bool isWired(int part) const {
        return netPosts[positiveNet[part]] > 1 || netPosts[negativeNet[part]] > 1;
    }
    int otherNet(int part, int net) const {
        return positiveNet[part] == net ? negativeNet[part] : positiveNet[part];
    }
};

DiagramGraph diagramGraph(const DiagramSource& source);

// The wired parts in groups joined by wires or parts, each in part order;
// the group of the main source first, then those of other sources, then
// the rest, each kind by its first part.
QList<QList<int>> connectedGroups(const DiagramGraph& graph);

// The part a group's loop is drawn round: the main source, else the
// group's first source, else its first part.
int groupRoot(const DiagramGraph& graph, const QList<int>& group);

} // namespace ampery::diagram
