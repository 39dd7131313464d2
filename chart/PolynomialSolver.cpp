// Least squares by the normal equations on x mapped to [-1, 1], solved by Gauss-Jordan
// elimination with partial pivoting.
#include "chart/PolynomialSolver.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A pivot this small against the largest entry of the matrix counts as zero.
constexpr double kRelativePivotTolerance = 1e-13;

}  // namespace

bool CPolynomialSolver::Solve(double* matrix, double* rhs, int m) {
    double largest = 0.0;
    for (int i = 0; i < m * m; ++i)
        largest = std::max(largest, std::fabs(matrix[i]));
    if (!(largest > 0.0) || !std::isfinite(largest))
        return false;
    const double tolerance = largest * kRelativePivotTolerance;
    auto at = [&](int r, int c) -> double& { return matrix[r * m + c]; };
    for (int c = 0; c < m; ++c) {
        int pivot = c;
        for (int r = c + 1; r < m; ++r)
            if (std::fabs(at(r, c)) > std::fabs(at(pivot, c)))
                pivot = r;
        if (!(std::fabs(at(pivot, c)) > tolerance))
            return false;
        if (pivot != c) {
            for (int k = c; k < m; ++k)
                std::swap(at(pivot, k), at(c, k));
            std::swap(rhs[pivot], rhs[c]);
        }
        const double p = at(c, c);
        for (int k = c; k < m; ++k)
            at(c, k) /= p;
        rhs[c] /= p;
        for (int r = 0; r < m; ++r) {
            if (r == c)
                continue;
            const double f = at(r, c);
            if (f == 0.0)
                continue;
            for (int k = c; k < m; ++k)
                at(r, k) -= f * at(c, k);
            rhs[r] -= f * rhs[c];
        }
    }
    return true;
}

bool CPolynomialSolver::Fit(int n, int m, const double* points) {
    if (m < 1 || m > kMaxCoefficients || n < m || points == nullptr)
        return false;
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    for (int i = 0; i < n; ++i) {
        const double x = points[2 * i];
        if (!std::isfinite(x) || !std::isfinite(points[2 * i + 1]))
            return false;
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
    const double centre = 0.5 * (lo + hi);
    const double half = hi > lo ? 0.5 * (hi - lo) : 1.0;
    const auto mm = static_cast<size_t>(m);
    std::vector<double> matrix(mm * mm, 0.0), rhs(mm, 0.0), powers(mm);
    for (int i = 0; i < n; ++i) {
        const double u = (points[2 * i] - centre) / half;
        powers[0] = 1.0;
        for (size_t j = 1; j < mm; ++j)
            powers[j] = powers[j - 1] * u;
        for (size_t j = 0; j < mm; ++j) {
            for (size_t k = 0; k < mm; ++k)
                matrix[j * mm + k] += powers[j] * powers[k];
            rhs[j] += points[2 * i + 1] * powers[j];
        }
    }
    if (!Solve(matrix.data(), rhs.data(), m))
        return false;
    m_nCoefficients = m;
    m_dCentre = centre;
    m_dHalfWidth = half;
    std::fill(std::begin(m_dScaled), std::end(m_dScaled), 0.0);
    std::fill(std::begin(m_dCoefficients), std::end(m_dCoefficients), 0.0);
    std::copy(rhs.begin(), rhs.end(), m_dScaled);
    // Raw coefficients: sum a_k ((x - centre) / half)^k expanded with binomials.
    for (int k = 0; k < m; ++k) {
        const double a = m_dScaled[k] / std::pow(half, k);
        double binomial = 1.0;
        for (int j = 0; j <= k; ++j) {
            m_dCoefficients[j] += a * binomial * std::pow(-centre, k - j);
            binomial = binomial * (k - j) / (j + 1);
        }
    }
    return true;
}

double CPolynomialSolver::Evaluate(double x) const {
    const double u = (x - m_dCentre) / m_dHalfWidth;
    double y = 0.0;
    for (int k = m_nCoefficients - 1; k >= 0; --k)
        y = y * u + m_dScaled[k];
    return y;
}
