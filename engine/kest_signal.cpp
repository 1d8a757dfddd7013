// The KEST signal of one analysis: every grid point of the interpolated current becomes
//     S(t) = e t (I(t) - I_end) exp(-e_ref t) / (q A),
// in cm^-2, whose peaks mark traps (a single trap of emission rate e_t peaks at
// t = 1/(e_t + e_ref)).
#include "engine/analysis.h"
#include "engine/checked_arithmetic.h"
#include "engine/errors.h"
#include "engine/number_format.h"
#include "engine/physics.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

namespace {

// x exp(exponent) where the exponential, like the hardware's, has the double range: beyond
// it the exponential overflows, and meeting a zero factor it is an invalid operation.
long double timesExponential(long double x, long double exponent) {
    const long double factor = std::exp(exponent);
    if (std::isnan(x) || std::isnan(factor))
        throw MathError(kInvalidOperationMessage);
    if (factor > static_cast<long double>(DBL_MAX))
        throw MathError(x == 0.0L ? kInvalidOperationMessage : kOverflowMessage);
    return x * factor;
}

}  // namespace

Status Analysis::CalculateKestSignal(int a) {
    if (a < 0 || a > 1)
        return Status::failure("there is no analysis " + std::to_string(a + 1));
    const int m = NumberOfInterpolatedData;
    if (m < 1 || m > InterpolatedTime.length() || m > InterpolatedCurrent.length())
        return Status::failure("there is no interpolated curve of " + formatInteger(m) +
                               " points; smooth the data or load a *.DIS1 file first");

    // Computed aside, so that a failure leaves the previous signal as it was.
    static const long double kEuler = std::exp(1.0L);
    const long double q = kElementaryCharge_C;
    const long double end = CurrentAtEnd;
    const long double eref = Eref[a];
    std::vector<double> signal(static_cast<std::size_t>(m));
    try {
        for (int i = 0; i < m; ++i) {
            const long double t = InterpolatedTime[i];
            // The order of the factors is the method's own; it fixes the rounding.
            const long double scaled = ((InterpolatedCurrent[i] - end) * t) * kEuler;
            const long double weighted = timesExponential(scaled, -(eref * t));
            const long double area = static_cast<long double>(Area) * static_cast<long double>(kAreaFactor_cm2PerMm2);
            signal[i] = storeChecked(divideChecked(divideChecked(weighted, q), area));
        }
    } catch (const MathError &error) {
        return Status::failure(error.what());
    }
    if (std::none_of(signal.begin(), signal.end(), [](double s) { return s > 0.0; }))
        return Status::failure("the KEST signal has no positive value, so it has no peak to mark");

    Signal[a].resize(m);
    std::copy(signal.begin(), signal.end(), Signal[a].values().begin());
    return Status::success();
}
