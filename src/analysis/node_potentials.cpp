#include "node_potentials.h"

#include "list_index.h"
#include <Eigen/Dense>
#include <Eigen/SparseCore>
#include <Eigen/SparseLU>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ampery::analysis {

namespace {

// Up to this many unknown potentials the dense factorisation is the faster.
constexpr Eigen::Index largestDense = 48;

// The solve's rounding is far below this share of the system's size.
constexpr double residualShare = 1e-9;

// Potentials closer than this share of the held potentials' size are one.
constexpr double sameShare = 1e-12;

std::optional<Eigen::VectorXd> solveSystem(const std::vector<Eigen::Triplet<double>>& entries,
                                           const Eigen::VectorXd& rhs) {
    const Eigen::Index n = rhs.size();
    if (n <= largestDense) {
        Eigen::MatrixXd g = Eigen::MatrixXd::Zero(n, n);
        for (const Eigen::Triplet<double>& t : entries)
            g(t.row(), t.col()) += t.value();
        const Eigen::PartialPivLU<Eigen::MatrixXd> lu(g);
        // A zero pivot: some potential is not fixed by the current law.
        if ((lu.matrixLU().diagonal().array() == 0.0).any())
            return std::nullopt;
        Eigen::VectorXd x = lu.solve(rhs);
        return x;
    }
    Eigen::SparseMatrix<double> g(n, n);
    g.setFromTriplets(entries.begin(), entries.end());
    g.makeCompressed();
    Eigen::SparseLU<Eigen::SparseMatrix<double>, Eigen::COLAMDOrdering<int>> lu;
    lu.compute(g);
    if (lu.info() != Eigen::Success)
        return std::nullopt;
    Eigen::VectorXd x = lu.solve(rhs);
    if (lu.info() != Eigen::Success)
        return std::nullopt;
    return x;
}

// The current law's rounding: what flows out of each unknown node against
// what the largest term could round it by.
bool balances(const std::vector<Eigen::Triplet<double>>& entries, const Eigen::VectorXd& rhs,
              const Eigen::VectorXd& x) {
    if (!x.allFinite())
        return false;
    Eigen::VectorXd residual = -rhs;
    Eigen::VectorXd size = rhs.cwiseAbs();
    for (const Eigen::Triplet<double>& t : entries) {
        residual(t.row()) += t.value() * x(t.col());
        size(t.row()) += std::abs(t.value() * x(t.col()));
    }
    for (Eigen::Index k = 0; k < x.size(); ++k)
        if (!(std::abs(residual(k)) <= residualShare * size(k)))
            return false;
    return true;
}

// Sorted by potential, neighbours closer than the tolerance form one run;
// a run takes its held potential, or else its mean.
void mergeEqual(std::vector<double>& potentials, const std::vector<bool>& isHeld,
                double tolerance) {
    std::vector<int> nodes;
    for (int k = 0; k < static_cast<int>(potentials.size()); ++k)
        if (!std::isnan(potentials[at(k)]))
            nodes.push_back(k);
    std::sort(nodes.begin(), nodes.end(),
              [&](int a, int b) { return potentials[at(a)] < potentials[at(b)]; });
    for (std::size_t first = 0; first < nodes.size();) {
        std::size_t end = first + 1;
        while (end < nodes.size() &&
               potentials[at(nodes[end])] - potentials[at(nodes[end - 1])] <= tolerance)
            ++end;
        if (end - first > 1) {
            double sum = 0;
            std::optional<double> heldValue;
            for (std::size_t k = first; k < end; ++k) {
                sum += potentials[at(nodes[k])];
                if (isHeld[at(nodes[k])])
                    heldValue = potentials[at(nodes[k])];
            }
            const double value = heldValue.value_or(sum / static_cast<double>(end - first));
            for (std::size_t k = first; k < end; ++k)
                potentials[at(nodes[k])] = value;
        }
        first = end;
    }
}

} // namespace

std::optional<std::vector<double>> nodePotentials(int nodeCount,
                                                  const std::vector<Conductance>& conductances,
                                                  const std::vector<HeldNode>& held) {
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> potentials(at(nodeCount), none);
    std::vector<bool> isHeld(at(nodeCount), false);
    double scale = 0;
    for (const HeldNode& h : held) {
        potentials[at(h.node)] = h.volts;
        isHeld[at(h.node)] = true;
        scale = std::max(scale, std::abs(h.volts));
    }

    // Unknowns: the nodes a conductance reaches that are not held.
    std::vector<int> unknown(at(nodeCount), -1);
    int count = 0;
    for (const Conductance& c : conductances)
        for (const int node : {c.from, c.to})
            if (!isHeld[at(node)] && unknown[at(node)] < 0)
                unknown[at(node)] = count++;

    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(4 * conductances.size());
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(count);
    const auto couple = [&](int node, int other, double g) {
        const int row = unknown[at(node)];
        if (row < 0)
            return;
        entries.emplace_back(row, row, g);
        if (const int col = unknown[at(other)]; col >= 0)
            entries.emplace_back(row, col, -g);
        else
            rhs(row) += g * potentials[at(other)];
    };
    for (const Conductance& c : conductances) {
        couple(c.from, c.to, c.siemens);
        couple(c.to, c.from, c.siemens);
    }

    if (count > 0) {
        const std::optional<Eigen::VectorXd> x = solveSystem(entries, rhs);
        if (!x || !balances(entries, rhs, *x))
            return std::nullopt;
        // With every conductance positive no potential lies beyond the held
        // ones; one that does shows a solve gone wrong.
        const bool passive = std::all_of(conductances.begin(), conductances.end(),
                                         [](const Conductance& c) { return c.siemens > 0; });
        double lowest = std::numeric_limits<double>::infinity();
        double highest = -lowest;
        for (const HeldNode& h : held) {
            lowest = std::min(lowest, h.volts);
            highest = std::max(highest, h.volts);
        }
        const double slack = residualShare * scale;
        for (int node = 0; node < nodeCount; ++node) {
            const int k = unknown[at(node)];
            if (k < 0)
                continue;
            const double p = (*x)(k);
            if (passive && (p < lowest - slack || p > highest + slack))
                return std::nullopt;
            potentials[at(node)] = p;
        }
    }
    mergeEqual(potentials, isHeld, sameShare * scale);
    return potentials;
}

} // namespace ampery::analysis
