// The log-log smoothing spline and its interpolation grid. The measured points of the
// analysed range are fitted, in x = log10(time) and y = log10(current), by the natural
// cubic smoothing spline that minimises
//     sum w_j (y_j - s(x_j))^2 + Smoothness * integral s''(x)^2 dx,
// with w_j the reliability of point j, and the spline is sampled every 0.001 decade.
//
// The spline is computed with Reinsch's algorithm: a banded system for the second
// derivatives at the knots, O(n) and stable however many points and decades the range
// holds. (A forward recursion over truncated powers gives the same spline in exact
// arithmetic but multiplies its rounding errors by a_i (x_i - x_j)^3 and leaves the
// points by many decades on ordinary data.) Points of weight 0 do not influence the
// spline at all, so they are left out of the knots.
#include "engine/analysis.h"
#include "engine/checked_arithmetic.h"
#include "engine/errors.h"
#include "engine/file_header.h"
#include "engine/number_format.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// The spline through knots x (ascending) as fitted values g and second derivatives
// gamma (0 at both end knots); linear beyond the end knots.
struct CubicSpline {
    std::vector<long double> x, g, gamma;

    long double operator()(long double at, std::size_t &interval) const;
};

// Evaluates at `at`; `interval` is a search hint that only moves forward, so a walk over
// an ascending grid costs O(grid + knots).
long double CubicSpline::operator()(long double at, std::size_t &interval) const {
    const std::size_t n = x.size();
    if (at <= x.front()) {
        const long double h = x[1] - x[0];
        const long double slope = (g[1] - g[0]) / h - h * gamma[1] / 6.0L;
        return g[0] - (x[0] - at) * slope;
    }
    if (at >= x.back()) {
        const long double h = x[n - 1] - x[n - 2];
        const long double slope = (g[n - 1] - g[n - 2]) / h + h * gamma[n - 2] / 6.0L;
        return g[n - 1] + (at - x[n - 1]) * slope;
    }
    while (interval + 2 < n && at > x[interval + 1])
        ++interval;
    const std::size_t k = interval;
    const long double h = x[k + 1] - x[k];
    const long double left = at - x[k];
    const long double right = x[k + 1] - at;
    return (left * g[k + 1] + right * g[k]) / h -
           left * right / 6.0L * ((1.0L + left / h) * gamma[k + 1] + (1.0L + right / h) * gamma[k]);
}

// Reinsch: with h_k = x_{k+1} - x_k, the tridiagonal R (R_ii = (h_{i-1} + h_i)/3,
// R_i,i+1 = h_i/6) and the second-difference matrix Q, the interior second derivatives
// solve (R + lambda Q^T W^-1 Q) gamma = Q^T y, and the fitted values are
// g = y - lambda W^-1 Q gamma. The matrix is symmetric, positive definite and
// pentadiagonal; it is factored as L D L^T in place.
CubicSpline fitSmoothingSpline(std::vector<long double> x, const std::vector<long double> &y,
                               const std::vector<long double> &weight, long double lambda) {
    const std::size_t n = x.size();
    CubicSpline spline;
    spline.gamma.assign(n, 0.0L);
    spline.g = y;
    if (n > 2) {
        std::vector<long double> h(n - 1), inverseWeight(n);
        for (std::size_t k = 0; k + 1 < n; ++k)
            h[k] = x[k + 1] - x[k];
        for (std::size_t k = 0; k < n; ++k)
            inverseWeight[k] = 1.0L / weight[k];

        // Row r of the system belongs to interior knot i = r + 1.
        const std::size_t m = n - 2;
        std::vector<long double> diagonal(m), first(m, 0.0L), second(m, 0.0L), rhs(m);
        for (std::size_t r = 0; r < m; ++r) {
            const std::size_t i = r + 1;
            const long double before = 1.0L / h[i - 1], after = 1.0L / h[i];
            rhs[r] = (y[i + 1] - y[i]) * after - (y[i] - y[i - 1]) * before;
            diagonal[r] = (h[i - 1] + h[i]) / 3.0L +
                          lambda * (inverseWeight[i - 1] * before * before +
                                    inverseWeight[i] * (before + after) * (before + after) +
                                    inverseWeight[i + 1] * after * after);
            if (r + 1 < m) {
                const long double next = 1.0L / h[i + 1];
                first[r] = h[i] / 6.0L - lambda * (inverseWeight[i] * (before + after) * after +
                                                   inverseWeight[i + 1] * (after + next) * after);
            }
            if (r + 2 < m)
                second[r] = lambda * inverseWeight[i + 1] * after / h[i + 1];
        }

        // L D L^T: diagonal becomes D, first and second the two subdiagonals of L.
        for (std::size_t r = 0; r < m; ++r) {
            if (r >= 1)
                diagonal[r] -= first[r - 1] * first[r - 1] * diagonal[r - 1];
            if (r >= 2)
                diagonal[r] -= second[r - 2] * second[r - 2] * diagonal[r - 2];
            if (r + 1 < m) {
                if (r >= 1)
                    first[r] -= first[r - 1] * second[r - 1] * diagonal[r - 1];
                first[r] /= diagonal[r];
            }
            if (r + 2 < m)
                second[r] /= diagonal[r];
        }
        for (std::size_t r = 0; r < m; ++r) {
            if (r >= 1)
                rhs[r] -= first[r - 1] * rhs[r - 1];
            if (r >= 2)
                rhs[r] -= second[r - 2] * rhs[r - 2];
        }
        for (std::size_t r = 0; r < m; ++r)
            rhs[r] /= diagonal[r];
        for (std::size_t r = m; r-- > 0;) {
            if (r + 1 < m)
                rhs[r] -= first[r] * rhs[r + 1];
            if (r + 2 < m)
                rhs[r] -= second[r] * rhs[r + 2];
            spline.gamma[r + 1] = rhs[r];
        }

        const std::vector<long double> &gamma = spline.gamma;
        for (std::size_t k = 0; k < n; ++k) {
            long double qGamma = 0.0L;
            if (k > 0)
                qGamma += (gamma[k - 1] - gamma[k]) / h[k - 1];
            if (k + 1 < n)
                qGamma += (gamma[k + 1] - gamma[k]) / h[k];
            spline.g[k] = y[k] - lambda * inverseWeight[k] * qGamma;
        }
    }
    spline.x = std::move(x);
    return spline;
}

std::string pointText(int index) { return "point " + std::to_string(index); }

// Why the record cannot be smoothed, or an empty string when it can.
std::string smoothingProblem(const Analysis &r) {
    if (!(r.Smoothness > 0.0) || !std::isfinite(r.Smoothness))
        return "the smoothness is " + formatGeneral(r.Smoothness) + "; it must be a positive number";
    if (std::string problem = rangeProblem(r); !problem.empty())
        return problem;
    const std::size_t count = static_cast<std::size_t>(r.NumberOfData);
    if (r.Time.size() < count || r.Current.size() < count || r.Reliability.size() < count)
        return "the record holds fewer measured points than its number of data (" + formatInteger(r.NumberOfData) +
               ")";

    int weighted = 0;
    for (int j = r.IndexOfBeginning; j <= r.IndexOfEnding; ++j) {
        const double t = r.Time[j], i = r.Current[j], w = r.Reliability[j];
        if (!(t > 0.0) || !std::isfinite(t))
            return pointText(j) + " has the time " + formatGeneral(t) +
                   " s; every time in the analysed range must be a positive number";
        if (!(i > 0.0) || !std::isfinite(i))
            return pointText(j) + " has the current " + formatGeneral(i) +
                   " A; every current in the analysed range must be a positive number";
        if (!(w >= 0.0) || !std::isfinite(w))
            return pointText(j) + " has the reliability " + formatGeneral(w) +
                   "; reliabilities must be numbers of at least 0";
        if (j > r.IndexOfBeginning && !(t > r.Time[j - 1]))
            return pointText(j) + " has the time " + formatGeneral(t) + " s, not later than " + pointText(j - 1) +
                   " (" + formatGeneral(r.Time[j - 1]) + " s); times must ascend";
        if (w > 0.0)
            ++weighted;
    }
    if (weighted < 2)
        return "the analysed range (points " + formatInteger(r.IndexOfBeginning) + " to " +
               formatInteger(r.IndexOfEnding) + ") holds " + formatInteger(weighted) +
               (weighted == 1 ? " point" : " points") + " of positive reliability; at least 2 are needed";
    return {};
}

// log10 as the grid ends see it: evaluated in extended precision and stored as a double,
// so 0.001 (a hair above 10^-3 as a double) gives exactly -3.
double storedLog10(double value) { return static_cast<double>(std::log10(static_cast<long double>(value))); }

}  // namespace

Status Analysis::CalculateSmoothing() {
    if (std::string problem = smoothingProblem(*this); !problem.empty())
        return Status::failure(problem);
    const int b = IndexOfBeginning, e = IndexOfEnding;

    // Grid ends rounded inwards to whole thousandths of a decade. The count takes the
    // products of the stored doubles in extended precision; their difference often lies a
    // hair below the whole number, and the truncation then drops the last step.
    const double xStart = static_cast<double>(std::ceil(1000.0L * storedLog10(Time[b])) / 1000.0L);
    const double xStop = static_cast<double>(std::floor(1000.0L * storedLog10(Time[e])) / 1000.0L);
    // A range without a whole thousandth has its ends crossed; the count could still come
    // out as 1, a grid point beyond the range.
    if (xStart > xStop)
        return Status::failure("the analysed range from " + formatGeneral(Time[b]) + " s to " + formatGeneral(Time[e]) +
                               " s holds no whole thousandth of a decade of time; widen it");
    const long double span = 1000.0L * static_cast<long double>(xStop) - 1000.0L * static_cast<long double>(xStart);
    const long double count = std::trunc(span) + 1.0L;

    std::vector<long double> x, y, weight;
    for (int j = b; j <= e; ++j) {
        if (Reliability[j] == 0.0)
            continue;
        x.push_back(std::log10(static_cast<long double>(Time[j])));
        y.push_back(std::log10(static_cast<long double>(Current[j])));
        weight.push_back(Reliability[j]);
    }
    const CubicSpline spline = fitSmoothingSpline(std::move(x), y, weight, Smoothness);

    const int m = static_cast<int>(count);
    std::vector<double> times(static_cast<std::size_t>(m)), currents(static_cast<std::size_t>(m));
    try {
        std::size_t interval = 0;
        for (int g = 0; g < m; ++g) {
            // g times the double nearest 0.001, not an accumulated step.
            const double xg = static_cast<double>(static_cast<long double>(g) * 0.001 + xStart);
            times[g] = storeChecked(std::pow(10.0L, static_cast<long double>(xg)));
            currents[g] = storeChecked(std::pow(10.0L, spline(xg, interval)));
        }
    } catch (const MathError &error) {
        return Status::failure(error.what());
    }

    NumberOfInterpolatedData = m;
    InterpolatedTime.resize(m);
    InterpolatedCurrent.resize(m);
    std::copy(times.begin(), times.end(), InterpolatedTime.values().begin());
    std::copy(currents.begin(), currents.end(), InterpolatedCurrent.values().begin());
    CurrentAtEnd = InterpolatedCurrent[m - 1];
    return Status::success();
}
