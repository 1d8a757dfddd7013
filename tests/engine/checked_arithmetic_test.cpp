#include "engine/checked_arithmetic.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <string>

namespace {

std::string failureOf(auto operation) {
    try {
        operation();
    } catch (const MathError &e) {
        return e.what();
    }
    return "";
}

TEST(CheckedArithmetic, ReportsWhatTheHardwareWouldTrap) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_EQ(failureOf([] { return divideChecked(1.0L, 0.0L); }), kDivisionByZeroMessage);
    EXPECT_EQ(failureOf([] { return divideChecked(-1.0L, -0.0L); }), kDivisionByZeroMessage);
    EXPECT_EQ(failureOf([] { return divideChecked(0.0L, 0.0L); }), kInvalidOperationMessage);
    EXPECT_EQ(failureOf([&] { return divideChecked(nan, 0.0L); }), kInvalidOperationMessage);
    EXPECT_EQ(failureOf([&] { return storeChecked(nan); }), kInvalidOperationMessage);
    EXPECT_EQ(failureOf([&] { return storeChecked(-inf); }), kOverflowMessage);
    // Finite in extended precision, but not as a stored double.
    EXPECT_EQ(failureOf([] { return storeChecked(static_cast<long double>(DBL_MAX) * 2.0L); }), kOverflowMessage);

    EXPECT_EQ(storeChecked(static_cast<long double>(DBL_MAX)), DBL_MAX);
    EXPECT_EQ(storeChecked(1e-320L), 1e-320);  // underflow is not an error
    EXPECT_EQ(divideChecked(1.0L, 4.0L), 0.25L);
}

}  // namespace
