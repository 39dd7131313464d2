// Least-squares polynomial fit. The fit maps x onto [-1, 1] before it builds the normal
// equations, so that large x (seconds since a start, dates) stay well conditioned, and then
// turns the result back into coefficients of raw x: c0..c(m-1) multiply x^0..x^(m-1).
#pragma once

class CPolynomialSolver {
  public:
    static constexpr int kMaxCoefficients = 21;

    CPolynomialSolver() = default;
    CPolynomialSolver(const CPolynomialSolver&) = default;
    CPolynomialSolver& operator=(const CPolynomialSolver&) = default;
    virtual ~CPolynomialSolver() = default;

    // points: n pairs x, y. False when m is out of 1..21, n < m, or the system is singular.
    bool Fit(int n, int m, const double* points);
    // Gauss-Jordan with partial pivoting; a pivot below a relative tolerance counts as singular.
    // The solution replaces rhs.
    static bool Solve(double* matrix, double* rhs, int m);
    double Evaluate(double x) const;

    int m_nCoefficients = 0;
    double m_dCoefficients[kMaxCoefficients] = {};
    // The same polynomial in u = (x - centre) / halfWidth, which Evaluate uses: expanding to raw
    // x cancels large terms.
    double m_dCentre = 0.0;
    double m_dHalfWidth = 1.0;
    double m_dScaled[kMaxCoefficients] = {};
};
