// e_ref sweeps: for a series of reference rates, the global maximum of the KEST signal
// gives an emission rate and a trap density whenever it lies well inside the grid.
#include "engine/analysis.h"
#include "engine/errors.h"
#include "engine/physics.h"

#include <cfloat>
#include <cmath>
#include <vector>

namespace {

struct SweepResults {
    Sequence eref, emissionRate, density;
    double lastAccepted = 0.0;
};

struct TrialInput {
    const double *time;
    const double *current;
    int n;
    double currentAtEnd;
    double area;
};

// Rounds an extended intermediate to the stored double, reporting what the hardware
// would have trapped.
double storeChecked(long double value) {
    if (std::isnan(value))
        throw MathError(kInvalidOperationMessage);
    if (std::isinf(value) || std::fabs(value) > static_cast<long double>(DBL_MAX))
        throw MathError(kOverflowMessage);
    return static_cast<double>(value);
}

long double divideChecked(long double numerator, long double denominator) {
    if (denominator == 0.0L)
        throw MathError(numerator == 0.0L || std::isnan(numerator) ? kInvalidOperationMessage : kDivisionByZeroMessage);
    return numerator / denominator;
}

// One trial of reference rate e; returns true and the result when it is accepted.
bool runTrial(const TrialInput &in, double e, double &emissionRate, double &density) {
    static const long double kEuler = std::exp(1.0L);
    const long double q = kElementaryCharge_C;
    const long double areaCm2 = static_cast<long double>(in.area) * static_cast<long double>(kAreaFactor_cm2PerMm2);
    double smax = 0.0;
    int jmax = 0;
    for (int j = 0; j < in.n; ++j) {
        const double t = in.time[j];
        const double u = static_cast<double>(static_cast<long double>(t) * e);
        if (u > 300.0)
            continue;
        if (!(u >= -300.0))
            return false;
        const long double numerator =
            (static_cast<long double>(in.current[j]) - in.currentAtEnd) * t * kEuler * std::exp(-static_cast<long double>(u));
        const double s = storeChecked(divideChecked(divideChecked(numerator, q), areaCm2));
        if (s > smax) {
            smax = s;
            jmax = j;
        }
    }
    if (!(jmax > 50 && jmax < in.n - 300))
        return false;
    const double t = in.time[jmax];
    const long double d = 1.0L - static_cast<long double>(t) * e;
    emissionRate = storeChecked(divideChecked(d, t));
    density = storeChecked(divideChecked(smax, d));
    return true;
}

}  // namespace

Status Analysis::AnalyzeEref(int mode, Progress *progress) {
    if (mode < 0 || mode > 2)
        return Status::failure("unknown sweep mode " + std::to_string(mode));
    const int n = NumberOfInterpolatedData;
    if (n > InterpolatedTime.length())
        throw DynArrayOutOfRange(InterpolatedTime.length(), InterpolatedTime.length());
    if (n > InterpolatedCurrent.length())
        throw DynArrayOutOfRange(InterpolatedCurrent.length(), InterpolatedCurrent.length());
    const TrialInput in{InterpolatedTime.values().data(), InterpolatedCurrent.values().data(), n, CurrentAtEnd, Area};

    // Trial values: modes 0 and 1 step the exponent by 0.01 decade from -3.99 (accumulated,
    // not recomputed); mode 2 steps linearly by 1e-5 between the limits the others found.
    std::vector<double> trials;
    if (mode < 2) {
        double exponent = -4.0;
        for (int k = 0; k < 400; ++k) {
            exponent += 0.01;
            const double magnitude = static_cast<double>(std::pow(10.0L, static_cast<long double>(exponent)));
            trials.push_back(mode == 0 ? magnitude : -magnitude);
        }
    } else {
        for (double e = LastNegativeEref;;) {
            trials.push_back(e);
            e += 1e-5;
            if (!(e <= LastPositiveEref))
                break;
        }
    }

    if (progress) {
        progress->total = static_cast<long long>(trials.size());
        progress->done = 0;
    }
    SweepResults found;
    Status outcome = Status::success();
    try {
        for (std::size_t k = 0; k < trials.size(); ++k) {
            if (progress) {
                if (progress->cancelRequested)
                    return Status::cancel();
                progress->done = static_cast<long long>(k);
            }
            double emissionRate = 0.0, density = 0.0;
            if (runTrial(in, trials[k], emissionRate, density)) {
                found.eref.push_back(trials[k]);
                found.emissionRate.push_back(emissionRate);
                found.density.push_back(density);
                found.lastAccepted = trials[k];
            }
        }
        if (progress)
            progress->done = static_cast<long long>(trials.size());
    } catch (const MathError &e) {
        outcome = Status::failure(e.what());
    }

    // Results found before an arithmetic failure stay, as the sweep stops where it failed.
    SweepEref[mode].insert(SweepEref[mode].end(), found.eref.begin(), found.eref.end());
    SweepEmissionRate[mode].insert(SweepEmissionRate[mode].end(), found.emissionRate.begin(), found.emissionRate.end());
    SweepDensity[mode].insert(SweepDensity[mode].end(), found.density.begin(), found.density.end());
    if (mode == 0)
        LastPositiveEref = found.lastAccepted;
    else if (mode == 1)
        LastNegativeEref = found.lastAccepted;
    return outcome;
}
