// e_ref sweeps: for a series of reference rates, the global maximum of the KEST signal
// gives an emission rate and a trap density whenever it lies well inside the grid.
#include "engine/eref_sweep.h"

#include "engine/analysis.h"
#include "engine/checked_arithmetic.h"
#include "engine/errors.h"
#include "engine/physics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

struct SweepResults {
    Sequence eref, emissionRate, density;
    double lastAccepted = 0.0;
};

const long double kEuler = std::exp(1.0L);

long double areaCm2(const SweepGrid &grid) {
    return static_cast<long double>(grid.area) * static_cast<long double>(kAreaFactor_cm2PerMm2);
}

// t_j * e as the trial rules see it: an extended product stored as a double.
double exponentArgument(double t, double e) { return static_cast<double>(static_cast<long double>(t) * e); }

// The KEST signal at point j for the argument u = exponentArgument(t_j, e): every trial of
// every path evaluates it with exactly this expression, so the results agree to the bit.
double signalAt(const SweepGrid &grid, int j, double u) {
    const long double q = kElementaryCharge_C;
    const double t = grid.time[j];
    const long double numerator =
        (static_cast<long double>(grid.current[j]) - grid.currentAtEnd) * t * kEuler * std::exp(-static_cast<long double>(u));
    return storeChecked(divideChecked(divideChecked(numerator, q), areaCm2(grid)));
}

// Margins of the fast search, in natural-log units. log S_j and its estimate
// log B_j - t_j e differ by a few 1e-13 at most (double rounding of t e and of log B);
// every margin below is orders of magnitude wider than that.
constexpr double kEstimateMargin = 1e-9;  // a point whose estimate is this far below the best cannot win
constexpr double kWalkWindow = 1e-6;      // hull vertices this close to the best are looked at
constexpr double kNearHull = 1e-7;        // points this close below a hull edge are kept beside it
// A signal beyond exp(708) may overflow a double (DBL_MAX is about exp(709.78)); one below
// exp(-700) may be subnormal, where rounding is no longer relative. Both go to the plain scan.
constexpr double kOverflowLog = 708.0;
constexpr double kUnderflowLog = -700.0;

}  // namespace

SignalMaximum scanSignalMaximum(const SweepGrid &grid, double e) {
    SignalMaximum found;
    for (int j = 0; j < grid.n; ++j) {
        const double u = exponentArgument(grid.time[j], e);
        if (u > 300.0)
            continue;
        if (!(u >= -300.0)) {
            found.complete = false;
            return found;
        }
        const double s = signalAt(grid, j, u);
        if (s > found.smax) {
            found.smax = s;
            found.jmax = j;
        }
    }
    return found;
}

SignalMaximumFinder::SignalMaximumFinder(const SweepGrid &grid) : grid_(grid) {
    const int n = grid.n;
    if (n <= 0 || !std::isfinite(grid.currentAtEnd) || !std::isfinite(grid.area) || grid.area == 0.0)
        return;
    // The index bounds of the skip and abandon rules need ascending times, and the log-space
    // argument positive, finite ones.
    if (!(grid.time[0] > 0.0))
        return;
    for (int j = 0; j < n; ++j) {
        if (!std::isfinite(grid.time[j]) || !std::isfinite(grid.current[j]))
            return;
        if (j > 0 && !(grid.time[j] > grid.time[j - 1]))
            return;
    }

    // Only points whose difference to the baseline has the sign of the area give S > 0.
    const long double scale = kEuler / static_cast<long double>(kElementaryCharge_C) / std::fabs(areaCm2(grid));
    const bool positiveArea = grid.area > 0.0;
    largestLogMagnitude_ = -std::numeric_limits<double>::infinity();
    candidates_.reserve(n);
    for (int j = 0; j < n; ++j) {
        const long double difference = static_cast<long double>(grid.current[j]) - grid.currentAtEnd;
        if (difference == 0.0L)
            continue;
        const double logMagnitude = static_cast<double>(std::log(std::fabs(difference) * grid.time[j] * scale));
        largestLogMagnitude_ = std::max(largestLogMagnitude_, logMagnitude);
        if ((difference > 0.0L) == positiveArea)
            candidates_.push_back({j, grid.time[j], logMagnitude});
    }

    // Upper hull of (t, log B), times ascending; collinear points leave the hull and are kept
    // as near points of their edge.
    for (int c = 0; c < static_cast<int>(candidates_.size()); ++c) {
        const Candidate &p = candidates_[c];
        while (hull_.size() >= 2) {
            const Candidate &a = candidates_[hull_[hull_.size() - 2]];
            const Candidate &b = candidates_[hull_.back()];
            if ((b.t - a.t) * (p.logB - a.logB) - (b.logB - a.logB) * (p.t - a.t) < 0.0)
                break;
            hull_.pop_back();
        }
        hull_.push_back(c);
    }
    const int edges = static_cast<int>(hull_.size()) - 1;
    for (int k = 0; k < edges; ++k) {
        const Candidate &a = candidates_[hull_[k]];
        const Candidate &b = candidates_[hull_[k + 1]];
        slope_.push_back((b.logB - a.logB) / (b.t - a.t));
        nearBegin_.push_back(static_cast<int>(near_.size()));
        for (int c = hull_[k] + 1; c < hull_[k + 1]; ++c) {
            const Candidate &p = candidates_[c];
            const double onEdge = a.logB + (b.logB - a.logB) * ((p.t - a.t) / (b.t - a.t));
            if (onEdge - p.logB <= kNearHull)
                near_.push_back(c);
        }
    }
    nearBegin_.push_back(static_cast<int>(near_.size()));
    prepared_ = true;
}

SignalMaximum SignalMaximumFinder::pickExact(const std::vector<int> &points, double e) const {
    // Out of order here, so equal values go to the smaller index as in the ascending scan.
    SignalMaximum found;
    for (const int j : points) {
        const double s = signalAt(grid_, j, exponentArgument(grid_.time[j], e));
        if (s > found.smax || (s == found.smax && j < found.jmax)) {
            found.smax = s;
            found.jmax = j;
        }
    }
    return found;
}

// The maximum among the candidates before index hi, by estimating every one of them: for the
// rare trial whose best hull vertex lies in the skipped range.
SignalMaximum SignalMaximumFinder::findBelow(double e, int hi) const {
    double best = -std::numeric_limits<double>::infinity();
    for (const Candidate &p : candidates_) {
        if (p.j >= hi)
            break;
        best = std::max(best, p.logB - p.t * e);
    }
    if (best == -std::numeric_limits<double>::infinity())
        return {};
    if (best < kUnderflowLog)
        return scanSignalMaximum(grid_, e);
    std::vector<int> points;
    for (const Candidate &p : candidates_) {
        if (p.j >= hi)
            break;
        if (p.logB - p.t * e >= best - kEstimateMargin)
            points.push_back(p.j);
    }
    return pickExact(points, e);
}

SignalMaximum SignalMaximumFinder::find(double e) const {
    if (!prepared_ || !std::isfinite(e))
        return scanSignalMaximum(grid_, e);
    const int n = grid_.n;
    const double tFirst = grid_.time[0];
    const double tLast = grid_.time[n - 1];

    // Every point the scan evaluates has exp(-t e) at most exp(300); where some |S| could
    // come near the double range, let the scan meet (and report) the overflow itself.
    const double largestExponent = e >= 0.0 ? -tFirst * e : std::min(300.0, -tLast * e);
    if (largestLogMagnitude_ + largestExponent > kOverflowLog)
        return scanSignalMaximum(grid_, e);

    // Times ascend, so t e ascends with them for e > 0 and descends for e < 0: the skipped
    // points form a tail, and a trial is abandoned exactly when the last point is below -300.
    int hi = n;
    if (e > 0.0) {
        if (exponentArgument(tLast, e) > 300.0) {
            const double *end = std::partition_point(grid_.time, grid_.time + n,
                                                     [e](double t) { return !(exponentArgument(t, e) > 300.0); });
            hi = static_cast<int>(end - grid_.time);
        }
    } else if (!(exponentArgument(tLast, e) >= -300.0)) {
        return {false, 0, 0.0};
    }
    if (hull_.empty())
        return {};

    // The hull vertex that maximises log B - t e: the first edge whose slope is not above e.
    // Rounding may leave the search a vertex off, so walk to the best and past it while the
    // estimates stay within the window (they fall monotonically beyond the best).
    const auto estimate = [&](int k) {
        const Candidate &p = candidates_[hull_[k]];
        return p.logB - p.t * e;
    };
    const int vertices = static_cast<int>(hull_.size());
    int low = 0, high = vertices - 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (slope_[middle] > e)
            low = middle + 1;
        else
            high = middle;
    }
    int best = low;
    double bestEstimate = estimate(best);
    int right = best;
    while (right + 1 < vertices) {
        const double a = estimate(right + 1);
        if (a < bestEstimate - kWalkWindow)
            break;
        ++right;
        if (a > bestEstimate) {
            bestEstimate = a;
            best = right;
        }
    }
    int left = best;
    while (left > 0) {
        const double a = estimate(left - 1);
        if (a < bestEstimate - kWalkWindow)
            break;
        --left;
        if (a > bestEstimate) {
            bestEstimate = a;
            best = left;
        }
    }
    if (candidates_[hull_[best]].j >= hi)
        return findBelow(e, hi);
    if (bestEstimate < kUnderflowLog)
        return scanSignalMaximum(grid_, e);

    // Vertices left..right and the near points of every edge touching them; a point below an
    // edge whose two ends are out of the window is out of it too.
    const double threshold = bestEstimate - kEstimateMargin;
    std::vector<int> points;
    const auto consider = [&](int c) {
        const Candidate &p = candidates_[c];
        if (p.j < hi && p.logB - p.t * e >= threshold)
            points.push_back(p.j);
    };
    for (int k = left; k <= right; ++k)
        consider(hull_[k]);
    const int lastEdge = std::min(right, vertices - 2);
    for (int k = std::max(left - 1, 0); k <= lastEdge; ++k)
        for (int i = nearBegin_[k]; i < nearBegin_[k + 1]; ++i)
            consider(near_[i]);
    return pickExact(points, e);
}

namespace {

// Steps 3 and 4 of a trial: accepted when complete and the maximum lies well inside the
// grid; then e_t and N_t from the maximum.
bool acceptMaximum(const SweepGrid &grid, double e, const SignalMaximum &found, double &emissionRate, double &density) {
    if (!found.complete || !(found.jmax > 50 && found.jmax < grid.n - 300))
        return false;
    const double t = grid.time[found.jmax];
    const long double d = 1.0L - static_cast<long double>(t) * e;
    emissionRate = storeChecked(divideChecked(d, t));
    density = storeChecked(divideChecked(found.smax, d));
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
    const SweepGrid grid{InterpolatedTime.values().data(), InterpolatedCurrent.values().data(), n, CurrentAtEnd, Area};

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
    const SignalMaximumFinder finder(grid);
    SweepResults found;
    Status outcome = Status::success();
    try {
        for (std::size_t k = 0; k < trials.size(); ++k) {
            if (progress) {
                if (progress->cancelRequested.load(std::memory_order_relaxed))
                    return Status::cancel();
                progress->done.store(static_cast<long long>(k), std::memory_order_relaxed);
            }
            double emissionRate = 0.0, density = 0.0;
            if (acceptMaximum(grid, trials[k], finder.find(trials[k]), emissionRate, density)) {
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
