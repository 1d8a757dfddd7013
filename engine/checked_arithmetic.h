// Floating-point checks that stand in for the hardware traps the numerics were written
// for: our arithmetic produces infinities and NaNs silently, so every result the user
// sees goes through one of these and a failure surfaces as a MathError with the usual
// wording. Inline because the sweeps call them once per grid point and trial.
#pragma once

#include "engine/errors.h"

#include <cfloat>
#include <cmath>

// Rounds an extended intermediate to the stored double: NaN is an invalid operation, an
// infinity or a value beyond the double range an overflow.
inline double storeChecked(long double value) {
    if (std::isnan(value))
        throw MathError(kInvalidOperationMessage);
    if (std::isinf(value) || std::fabs(value) > static_cast<long double>(DBL_MAX))
        throw MathError(kOverflowMessage);
    return static_cast<double>(value);
}

// numerator / denominator; a zero denominator is a division by zero, or an invalid
// operation when the numerator is zero or NaN as well (0/0).
inline long double divideChecked(long double numerator, long double denominator) {
    if (denominator == 0.0L)
        throw MathError(numerator == 0.0L || std::isnan(numerator) ? kInvalidOperationMessage : kDivisionByZeroMessage);
    return numerator / denominator;
}
