#include "block_reduction.h"

#include <QHash>

#include <algorithm>
#include <utility>

namespace ampery::diagram {

namespace {

struct Edge {
    int u = 0;
    int v = 0;
    Block block; // drawn from u to v
    bool alive = true;
};

// Reduces the edges node by node from a work list, so that each reduction
// looks only at the edges of the nodes it touched.
class Reducer {
public:
    Reducer(int s, int t, int nodeCount) : m_s(s), m_t(t), m_at(std::size_t(nodeCount)) {}

    void add(Block block) {
        const int u = block.left;
        const int v = block.right;
        m_edges.push_back({u, v, std::move(block), true});
        m_at[std::size_t(u)].push_back(m_edges.size() - 1);
        if (v != u)
            m_at[std::size_t(v)].push_back(m_edges.size() - 1);
        m_work.push_back(u);
        m_work.push_back(v);
    }

    std::optional<ReducedLoop> run() {
        while (!m_work.empty()) {
            const int node = m_work.back();
            m_work.pop_back();
            reduceAt(node);
        }
        ReducedLoop loop;
        for (Edge& edge : m_edges) {
            if (!edge.alive)
                continue;
            if (loop.between || m_s == m_t)
                return std::nullopt;
            if (edge.u == m_s && edge.v == m_t)
                loop.between = std::move(edge.block);
            else if (edge.u == m_t && edge.v == m_s)
                loop.between = reversed(std::move(edge.block));
            else
                return std::nullopt;
        }
        for (auto it = m_attached.cbegin(); it != m_attached.cend(); ++it)
            if (!isTerminal(it.key()) && !it.value().empty())
                return std::nullopt;
        loop.atPositive = std::move(m_attached[m_s]);
        if (m_t != m_s)
            loop.atNegative = std::move(m_attached[m_t]);
        return loop;
    }

private:
    Block from(Edge& edge, int node) {
        edge.alive = false;
        m_work.push_back(edge.u);
        m_work.push_back(edge.v);
        return edge.u == node ? std::move(edge.block) : reversed(std::move(edge.block));
    }

    bool isTerminal(int node) const { return node == m_s || node == m_t; }

    // The live edges at a node, dropping the dead ones from its list.
    const std::vector<std::size_t>& edgesAt(int node) {
        std::vector<std::size_t>& at = m_at[std::size_t(node)];
        at.erase(
            std::remove_if(at.begin(), at.end(), [&](std::size_t e) { return !m_edges[e].alive; }),
            at.end());
        return at;
    }

    int otherEnd(std::size_t edge, int node) const {
        return m_edges[edge].u == node ? m_edges[edge].v : m_edges[edge].u;
    }

    void reduceAt(int node) {
        if (removeLoops(node) || mergeParallel(node) || isTerminal(node))
            return;
        const std::vector<std::size_t> at = edgesAt(node);
        if (at.size() == 1)
            hang(node, at[0]);
        else if (at.size() == 2)
            join(node, at[0], at[1]);
        else if (at.size() == 3)
            bridge(node, at);
    }

    // A block whose two ends met in one net: drawn with the wire beside it.
    bool removeLoops(int node) {
        bool changed = false;
        for (const std::size_t e : std::vector<std::size_t>(edgesAt(node))) {
            Edge& edge = m_edges[e];
            if (edge.u != edge.v)
                continue;
            Block shorted;
            shorted.kind = Block::Kind::Shorted;
            shorted.left = shorted.right = node;
            shorted.children.push_back(from(edge, node));
            m_attached[node].push_back(std::move(shorted));
            changed = true;
        }
        return changed;
    }

    // Edges between the same two nodes become one parallel block.
    bool mergeParallel(int node) {
        QHash<int, std::size_t> first; // by the other end
        bool changed = false;
        for (const std::size_t e : std::vector<std::size_t>(edgesAt(node))) {
            const int other = otherEnd(e, node);
            const auto found = first.constFind(other);
            if (found == first.cend()) {
                first.insert(other, e);
                continue;
            }
            Edge& kept = m_edges[found.value()];
            if (kept.block.kind != Block::Kind::Parallel) {
                Block parallel;
                parallel.kind = Block::Kind::Parallel;
                parallel.left = kept.u;
                parallel.right = kept.v;
                parallel.children.push_back(std::move(kept.block));
                kept.block = std::move(parallel);
            }
            Block branch = from(m_edges[e], kept.u);
            if (branch.kind == Block::Kind::Parallel) {
                for (Block& b : branch.children)
                    kept.block.children.push_back(std::move(b));
            } else {
                kept.block.children.push_back(std::move(branch));
            }
            changed = true;
        }
        return changed;
    }

    // What hangs at a node, taken to be placed in the series passing it.
    std::vector<Block> takeAttached(int node) {
        const auto found = m_attached.find(node);
        if (found == m_attached.end())
            return {};
        std::vector<Block> blocks = std::move(found.value());
        m_attached.erase(found);
        return blocks;
    }

    // A dead end: the part to it and what hangs at its far end become a tap
    // at the near end.
    void hang(int node, std::size_t edge) {
        const int near = otherEnd(edge, node);
        std::vector<Block> chain;
        chain.push_back(reversed(from(m_edges[edge], node)));
        for (Block& b : takeAttached(node))
            chain.push_back(std::move(b));
        Block tap;
        tap.kind = Block::Kind::Tap;
        tap.left = tap.right = near;
        tap.children.push_back(seriesOf(std::move(chain)));
        m_attached[near].push_back(std::move(tap));
    }

    void join(int node, std::size_t first, std::size_t second) {
        std::vector<Block> chain;
        chain.push_back(reversed(from(m_edges[first], node)));
        for (Block& b : takeAttached(node))
            chain.push_back(std::move(b));
        chain.push_back(from(m_edges[second], node));
        add(seriesOf(std::move(chain)));
    }

    // Two nodes of three parts each, joined to each other and to the same two
    // other nodes: the bridge between those two.
    void bridge(int top, const std::vector<std::size_t>& atTop) {
        for (const std::size_t middle : atTop) {
            const int bottom = otherEnd(middle, top);
            if (isTerminal(bottom) || bottom == top)
                continue;
            const std::vector<std::size_t> atBottom = edgesAt(bottom);
            if (atBottom.size() != 3)
                continue;
            std::vector<std::size_t> topArms;
            std::vector<std::size_t> bottomArms;
            for (const std::size_t e : atTop)
                if (e != middle)
                    topArms.push_back(e);
            for (const std::size_t e : atBottom)
                if (e != middle)
                    bottomArms.push_back(e);
            if (topArms.size() != 2 || bottomArms.size() != 2)
                continue;
            const int left = otherEnd(topArms[0], top);
            const int right = otherEnd(topArms[1], top);
            if (left == right || left == bottom || right == bottom)
                continue;
            if (otherEnd(bottomArms[0], bottom) == right)
                std::swap(bottomArms[0], bottomArms[1]);
            if (otherEnd(bottomArms[0], bottom) != left || otherEnd(bottomArms[1], bottom) != right)
                continue;

            Block block;
            block.kind = Block::Kind::Bridge;
            block.left = left;
            block.right = right;
            std::vector<Block> leftTop;
            leftTop.push_back(reversed(from(m_edges[topArms[0]], top)));
            for (Block& b : takeAttached(top))
                leftTop.push_back(std::move(b));
            std::vector<Block> leftBottom;
            leftBottom.push_back(reversed(from(m_edges[bottomArms[0]], bottom)));
            for (Block& b : takeAttached(bottom))
                leftBottom.push_back(std::move(b));
            block.children.push_back(seriesOf(std::move(leftTop)));
            block.children.push_back(from(m_edges[topArms[1]], top));
            block.children.push_back(seriesOf(std::move(leftBottom)));
            block.children.push_back(from(m_edges[bottomArms[1]], bottom));
            block.children.push_back(from(m_edges[middle], top));
            add(std::move(block));
            return;
        }
    }

    int m_s;
    int m_t;
    std::vector<Edge> m_edges;
    std::vector<std::vector<std::size_t>> m_at; // per node: its edges, some dead
    std::vector<int> m_work;                    // nodes to look at again
    QHash<int, std::vector<Block>> m_attached;
};

} // namespace

std::optional<ReducedLoop> reduceLoop(const DiagramGraph& graph, const QList<int>& group,
                                      int root) {
    Reducer reducer(graph.positiveNet[root], graph.negativeNet[root], graph.netCount());
    for (const int part : group)
        if (part != root)
            reducer.add(partBlock(part, graph.positiveNet[part], graph.negativeNet[part]));
    return reducer.run();
}

} // namespace ampery::diagram
