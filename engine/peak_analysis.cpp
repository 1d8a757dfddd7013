// A marked peak of the KEST signal read as one trap: the single-trap signal
// N e_t t exp(1 - (e_t + e_ref) t) peaks at t = 1/(e_t + e_ref) with height N e_t t, so
// the marker's time and value give the emission rate and the sheet density, and from
// them the curve that trap alone would draw.
#include "engine/analysis.h"
#include "engine/checked_arithmetic.h"
#include "engine/errors.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

namespace {

bool validSlot(int a, int p) { return a >= 0 && a <= 1 && p >= 0 && p <= 1; }

}  // namespace

Status Analysis::AnalyzePeak(int a, int p) {
    if (!validSlot(a, p))
        return Status::failure("there is no peak " + std::to_string(p + 1) + " of analysis " + std::to_string(a + 1));
    const long double t = TimeOfPeak[a][p];
    const long double s = SignalOfPeak[a][p];
    const long double e = Eref[a];
    // Both results are stored together or not at all, so a failure cannot leave a new
    // emission rate beside an old density.
    try {
        const double rate = storeChecked(divideChecked(1.0L - e * t, t));
        const double density = storeChecked(divideChecked(s, 1.0L - e * t));
        EmissionRate[a][p] = rate;
        TrapDensity[a][p] = density;
    } catch (const MathError &error) {
        return Status::failure(error.what());
    }
    return Status::success();
}

bool Analysis::CalculateTrapSignal(int a, int p) {
    if (!validSlot(a, p))
        return false;
    const int n = NumberOfInterpolatedData;
    if (n < 0 || n > InterpolatedTime.length())
        return false;
    const long double density = TrapDensity[a][p];
    const long double rate = EmissionRate[a][p];
    // r + e first: with the results of AnalyzePeak it is 1/TimeOfPeak, so the exponent
    // never exceeds 1 and the curve tops out at the marker.
    const long double total = rate + static_cast<long double>(Eref[a]);
    std::vector<double> curve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const long double t = InterpolatedTime[i];
        const long double value = t * density * rate * std::exp(-t * total + 1.0L);
        if (!std::isfinite(value) || std::fabs(value) > static_cast<long double>(DBL_MAX))
            return false;
        curve[i] = static_cast<double>(value);
    }
    SignalOfTrap[a][p].resize(n);
    std::copy(curve.begin(), curve.end(), SignalOfTrap[a][p].values().begin());
    return true;
}
