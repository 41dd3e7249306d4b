#include "current_paths.h"

#include "list_index.h"
#include <algorithm>

namespace ampery::analysis {

// The blocks by depth-first search from one end of the driver (Tarjan's
// algorithm, without recursion, so that long chains do not exhaust the
// stack): a branch is put on a stack when it is first walked, and when the
// search returns from a node w to its parent u with no branch below w
// reaching above u, the branches from the top of the stack down to u–w form
// one block.
std::vector<bool> onClosedPathThrough(const std::vector<Branch>& branches, int nodeCount,
                                      int driver) {
    std::vector<bool> result(branches.size(), false);
    const Branch& d = branches[at(driver)];
    if (d.from < 0 || d.to < 0 || d.from == d.to)
        return result;

    struct Step {
        int branch;
        int node;
    };
    std::vector<std::vector<Step>> adjacent(at(nodeCount));
    for (int b = 0; b < static_cast<int>(branches.size()); ++b) {
        const Branch& x = branches[at(b)];
        if (x.from < 0 || x.to < 0 || x.from == x.to)
            continue;
        adjacent[at(x.from)].push_back({b, x.to});
        adjacent[at(x.to)].push_back({b, x.from});
    }

    std::vector<int> order(at(nodeCount), -1); // discovery order
    std::vector<int> low(at(nodeCount), -1);
    struct Frame {
        int node;
        int via; // the branch it was reached by
        std::size_t next = 0;
    };
    std::vector<Frame> frames;
    std::vector<int> walked;
    int time = 0;
    order[at(d.from)] = low[at(d.from)] = time++;
    frames.push_back({d.from, -1});
    while (!frames.empty()) {
        Frame& f = frames.back();
        if (f.next < adjacent[at(f.node)].size()) {
            const Step s = adjacent[at(f.node)][f.next++];
            if (s.branch == f.via)
                continue;
            if (order[at(s.node)] < 0) {
                walked.push_back(s.branch);
                order[at(s.node)] = low[at(s.node)] = time++;
                frames.push_back({s.node, s.branch});
            } else if (order[at(s.node)] < order[at(f.node)]) {
                walked.push_back(s.branch); // back to an ancestor
                low[at(f.node)] = std::min(low[at(f.node)], order[at(s.node)]);
            }
            continue;
        }
        const Frame done = f;
        frames.pop_back();
        if (frames.empty())
            break;
        const int parent = frames.back().node;
        low[at(parent)] = std::min(low[at(parent)], low[at(done.node)]);
        if (low[at(done.node)] < order[at(parent)])
            continue;
        // One block: everything walked since the branch into done.node.
        const auto start = std::find(walked.rbegin(), walked.rend(), done.via).base() - 1;
        if (std::find(start, walked.end(), driver) != walked.end()) {
            // A driver alone in its block closes no path.
            if (walked.end() - start > 1)
                for (auto it = start; it != walked.end(); ++it)
                    result[at(*it)] = true;
            return result;
        }
        walked.erase(start, walked.end());
    }
    return result;
}

} // namespace ampery::analysis
