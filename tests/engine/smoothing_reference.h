// The smoothing spline's defining recursion, kept beside the program's stable solver as the
// reference it agrees with on well-conditioned data (tests) and the literal cost (benchmarks).
#pragma once

#include "engine/analysis.h"

#include <cmath>
#include <vector>

namespace reference {

// The defining recursion over truncated powers, written out as literally as possible:
// doubles stored, extended intermediates. Exact in exact arithmetic, unstable in
// floating point; kept as the reference for well-conditioned data. Returns the grid's
// log10 currents.
inline std::vector<double> smoothByRecursion(const Analysis &r) {
    const int b = r.IndexOfBeginning, e = r.IndexOfEnding, n = r.NumberOfData;
    const double xStart =
        static_cast<double>(std::ceil(1000.0L * static_cast<double>(std::log10(static_cast<long double>(r.Time[b])))) / 1000.0L);
    const double xStop =
        static_cast<double>(std::floor(1000.0L * static_cast<double>(std::log10(static_cast<long double>(r.Time[e])))) / 1000.0L);
    const int m = static_cast<int>(std::trunc(1000.0L * xStop - 1000.0L * static_cast<long double>(xStart))) + 1;

    std::vector<double> x(n), y(n), a(n), P(n + 2), Q(n + 2), R(n + 2), c(n);
    const long double sixth = 1.0L / 6.0L;
    for (int j = b; j <= e; ++j) {
        a[j] = static_cast<double>((sixth * r.Reliability[j]) / r.Smoothness);
        x[j] = static_cast<double>(std::log10(static_cast<long double>(r.Time[j])));
        y[j] = static_cast<double>(std::log10(static_cast<long double>(r.Current[j])));
    }
    for (int i = b; i <= e; ++i) {
        double sp = 0, sq = 0, sr = 0;
        for (int j = b; j < i; ++j) {
            const long double d = static_cast<long double>(x[i]) - x[j];
            const double cube = static_cast<double>(d * d * d);
            sp = static_cast<double>(sp + static_cast<long double>(P[j]) * cube);
            sq = static_cast<double>(sq + static_cast<long double>(Q[j]) * cube);
            sr = static_cast<double>(sr + static_cast<long double>(R[j]) * cube);
        }
        P[i] = static_cast<double>(a[i] * (1.0L - sp));
        Q[i] = static_cast<double>(a[i] * (static_cast<long double>(x[i]) - sq));
        R[i] = static_cast<double>(a[i] * (static_cast<long double>(y[i]) - sr));
    }
    double p1 = 0, q1 = 0, r1 = 0, p2 = 0, q2 = 0, r2 = 0;
    for (int j = b; j <= e; ++j) {
        p1 = static_cast<double>(p1 - static_cast<long double>(P[j]));
        q1 = static_cast<double>(q1 - static_cast<long double>(Q[j]));
        r1 = static_cast<double>(r1 - static_cast<long double>(R[j]));
        p2 = static_cast<double>(p2 - static_cast<long double>(P[j]) * x[j]);
        q2 = static_cast<double>(q2 - static_cast<long double>(Q[j]) * x[j]);
        r2 = static_cast<double>(r2 - static_cast<long double>(R[j]) * x[j]);
    }
    const double beta0 = static_cast<double>((static_cast<long double>(r1) * q2 - static_cast<long double>(r2) * q1) /
                                             (static_cast<long double>(p1) * q2 - static_cast<long double>(q1) * p2));
    const double beta1 = static_cast<double>((static_cast<long double>(r1) * p2 - static_cast<long double>(r2) * p1) /
                                             (static_cast<long double>(q1) * p2 - static_cast<long double>(p1) * q2));
    for (int j = b; j <= e; ++j)
        c[j] = static_cast<double>((R[j] - static_cast<long double>(P[j]) * beta0) - static_cast<long double>(Q[j]) * beta1);

    std::vector<double> grid(m);
    for (int g = 0; g < m; ++g) {
        const double xg = static_cast<double>(static_cast<long double>(g) * 0.001 + xStart);
        double yg = static_cast<double>(static_cast<long double>(xg) * beta1 + beta0);
        for (int j = b; j <= e && xg > x[j]; ++j) {
            const long double d = static_cast<long double>(xg) - x[j];
            yg = static_cast<double>(yg + c[j] * d * d * d);
        }
        grid[g] = yg;
    }
    return grid;
}

}  // namespace reference
