// The e_ref sweeps as a literal scan: every trial evaluates the KEST signal at every grid
// point in ascending order and keeps the first largest value. Far too slow for the program,
// kept as the yardstick that the fast sweep must match bit for bit (tests and benchmarks).
#pragma once

#include "engine/analysis.h"
#include "engine/errors.h"
#include "engine/physics.h"

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

namespace reference {

// What one trial found: whether the scan ran to the end, and the first largest signal.
struct TrialMaximum {
    bool complete = true;
    int jmax = 0;
    double smax = 0.0;
};

inline double storeChecked(long double value) {
    if (std::isnan(value))
        throw MathError(kInvalidOperationMessage);
    if (std::isinf(value) || std::fabs(value) > static_cast<long double>(DBL_MAX))
        throw MathError(kOverflowMessage);
    return static_cast<double>(value);
}

inline long double divideChecked(long double numerator, long double denominator) {
    if (denominator == 0.0L)
        throw MathError(numerator == 0.0L || std::isnan(numerator) ? kInvalidOperationMessage : kDivisionByZeroMessage);
    return numerator / denominator;
}

// One trial of reference rate e over the first n grid points of r.
inline TrialMaximum literalTrial(const Analysis &r, int n, double e) {
    static const long double kEuler = std::exp(1.0L);
    const long double q = kElementaryCharge_C;
    const long double areaCm2 = static_cast<long double>(r.Area) * static_cast<long double>(kAreaFactor_cm2PerMm2);
    const double *time = r.InterpolatedTime.values().data();
    const double *current = r.InterpolatedCurrent.values().data();
    TrialMaximum found;
    for (int j = 0; j < n; ++j) {
        const double t = time[j];
        const double u = static_cast<double>(static_cast<long double>(t) * e);
        if (u > 300.0)
            continue;
        if (!(u >= -300.0)) {
            found.complete = false;
            return found;
        }
        const long double numerator =
            (static_cast<long double>(current[j]) - r.CurrentAtEnd) * t * kEuler * std::exp(-static_cast<long double>(u));
        const double s = storeChecked(divideChecked(divideChecked(numerator, q), areaCm2));
        if (s > found.smax) {
            found.smax = s;
            found.jmax = j;
        }
    }
    return found;
}

inline Status analyzeEref(Analysis &r, int mode, Progress *progress = nullptr) {
    if (mode < 0 || mode > 2)
        return Status::failure("unknown sweep mode " + std::to_string(mode));
    const int n = r.NumberOfInterpolatedData;
    if (n > r.InterpolatedTime.length())
        throw DynArrayOutOfRange(r.InterpolatedTime.length(), r.InterpolatedTime.length());
    if (n > r.InterpolatedCurrent.length())
        throw DynArrayOutOfRange(r.InterpolatedCurrent.length(), r.InterpolatedCurrent.length());

    std::vector<double> trials;
    if (mode < 2) {
        double exponent = -4.0;
        for (int k = 0; k < 400; ++k) {
            exponent += 0.01;
            const double magnitude = static_cast<double>(std::pow(10.0L, static_cast<long double>(exponent)));
            trials.push_back(mode == 0 ? magnitude : -magnitude);
        }
    } else {
        for (double e = r.LastNegativeEref;;) {
            trials.push_back(e);
            e += 1e-5;
            if (!(e <= r.LastPositiveEref))
                break;
        }
    }

    if (progress) {
        progress->total = static_cast<long long>(trials.size());
        progress->done = 0;
    }
    Sequence eref, emissionRate, density;
    double lastAccepted = 0.0;
    Status outcome = Status::success();
    try {
        for (std::size_t k = 0; k < trials.size(); ++k) {
            if (progress) {
                if (progress->cancelRequested)
                    return Status::cancel();
                progress->done = static_cast<long long>(k);
            }
            const double e = trials[k];
            const TrialMaximum found = literalTrial(r, n, e);
            if (!found.complete || !(found.jmax > 50 && found.jmax < n - 300))
                continue;
            const double t = r.InterpolatedTime.values()[static_cast<std::size_t>(found.jmax)];
            const long double d = 1.0L - static_cast<long double>(t) * e;
            const double rate = storeChecked(divideChecked(d, t));
            const double dens = storeChecked(divideChecked(found.smax, d));
            eref.push_back(e);
            emissionRate.push_back(rate);
            density.push_back(dens);
            lastAccepted = e;
        }
        if (progress)
            progress->done = static_cast<long long>(trials.size());
    } catch (const MathError &error) {
        outcome = Status::failure(error.what());
    }

    r.SweepEref[mode].insert(r.SweepEref[mode].end(), eref.begin(), eref.end());
    r.SweepEmissionRate[mode].insert(r.SweepEmissionRate[mode].end(), emissionRate.begin(), emissionRate.end());
    r.SweepDensity[mode].insert(r.SweepDensity[mode].end(), density.begin(), density.end());
    if (mode == 0)
        r.LastPositiveEref = lastAccepted;
    else if (mode == 1)
        r.LastNegativeEref = lastAccepted;
    return outcome;
}

}  // namespace reference
