#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// Gaussian elimination with partial pivoting for the tests' nodal equations,
// in exact rationals. Empty when the system is singular.
template <class Number>
std::vector<Number> solveLinear(std::vector<std::vector<Number>> a, std::vector<Number> b) {
    using std::abs;
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row)
            if (abs(a[row][col]) > abs(a[pivot][col]))
                pivot = row;
        if (a[pivot][col] == 0)
            return {};
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const Number factor = a[row][col] / a[col][col];
            for (std::size_t k = col; k < n; ++k)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    std::vector<Number> x(n);
    for (std::size_t row = n; row-- > 0;) {
        Number sum = b[row];
        for (std::size_t k = row + 1; k < n; ++k)
            sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return x;
}
