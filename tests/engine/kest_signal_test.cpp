#include "engine/analysis.h"
#include "engine/errors.h"
#include "engine/physics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

// An interpolated curve on the 0.001-decade grid from 1 ms over `decades`: one trap of
// density n [cm^-2] and rate et [s^-1] discharging over a floor `floor` [A].
Analysis singleTrap(double n, double et, double floor = 1e-13, double decades = 6.0, double area = 0.785) {
    Analysis r;
    r.Clear();
    r.Area = area;
    const int m = static_cast<int>(decades * 1000) + 1;
    r.NumberOfInterpolatedData = m;
    r.InterpolatedTime.resize(m);
    r.InterpolatedCurrent.resize(m);
    for (int g = 0; g < m; ++g) {
        const double t = std::pow(10.0, g * 0.001 - 3.0);
        r.InterpolatedTime[g] = t;
        r.InterpolatedCurrent[g] = floor + kElementaryCharge_C * area * kAreaFactor_cm2PerMm2 * n * et * std::exp(-et * t);
    }
    r.InterpolatedCurrent[m - 1] = floor;
    r.CurrentAtEnd = floor;
    return r;
}

int indexOfMaximum(const DynArray &s) {
    int best = 0;
    for (int i = 1; i < s.length(); ++i)
        if (s[i] > s[best])
            best = i;
    return best;
}

TEST(CalculateKestSignal, SingleTrapPeaksAtItsRateWithItsDensity) {
    const double n = 3.2e12, et = 0.2;
    for (const double eref : {0.0, 0.05, 0.8, -0.05}) {
        Analysis r = singleTrap(n, et);
        r.Eref[1] = eref;
        ASSERT_TRUE(r.CalculateKestSignal(1)) << eref;
        const DynArray &s = r.Signal[1];
        ASSERT_EQ(s.length(), r.NumberOfInterpolatedData);
        const int peak = indexOfMaximum(s);
        // Within one grid step (0.001 decade) of 1/(e_t + e_ref), as high as N e_t/(e_t + e_ref).
        EXPECT_NEAR(std::log10(r.InterpolatedTime[peak]), -std::log10(et + eref), 0.001) << eref;
        EXPECT_NEAR(s[peak], n * et / (et + eref), 1e-5 * n) << eref;
        EXPECT_EQ(s[s.length() - 1], 0.0);
        EXPECT_EQ(r.Signal[0].length(), 1) << "the other analysis is untouched";
    }
}

TEST(CalculateKestSignal, AtZeroRateIsTheCurrentAboveTheFloorTimesTime) {
    Analysis r = singleTrap(1e11, 1.0, 2e-12, 3.0, 1.0);
    r.InterpolatedCurrent[10] = 1e-12;  // below the floor: a negative signal
    ASSERT_TRUE(r.CalculateKestSignal(0));
    for (const int i : {0, 10, 1234, 2999}) {
        const double t = r.InterpolatedTime[i];
        const double expected = std::exp(1.0) * t * (r.InterpolatedCurrent[i] - 2e-12) / (1.6021e-19 * 0.01);
        EXPECT_NEAR(r.Signal[0][i], expected, 1e-14 * std::fabs(expected) + 1e-300) << i;
    }
    EXPECT_LT(r.Signal[0][10], 0.0);
}

TEST(CalculateKestSignal, ReportsFailuresAndKeepsThePreviousSignal) {
    struct Case {
        const char *what;
        std::function<void(Analysis &)> spoil;
        std::string message;
    };
    const Case cases[] = {
        {"area 0", [](Analysis &r) { r.Area = 0.0; }, kDivisionByZeroMessage},
        // exp(-e_ref t) leaves the double range at the last grid point only, where the
        // difference from the end current is 0.
        {"exponential meets zero", [](Analysis &r) { r.Eref[0] = -710.0 / r.InterpolatedTime[r.NumberOfInterpolatedData - 1]; },
         kInvalidOperationMessage},
        {"exponential overflows",
         [](Analysis &r) {
             for (int i = 0; i + 1 < r.NumberOfInterpolatedData; ++i)
                 r.InterpolatedCurrent[i] += 1e-15;
             r.Eref[0] = -0.99;
         },
         kOverflowMessage},
        {"current NaN", [](Analysis &r) { r.InterpolatedCurrent[5] = NAN; }, kInvalidOperationMessage},
        {"flat current",
         [](Analysis &r) {
             for (double &i : r.InterpolatedCurrent.values())
                 i = r.CurrentAtEnd;
         },
         "the KEST signal has no positive value"},
        {"curve cleared", [](Analysis &r) { r.Clear(); }, "there is no interpolated curve of 6001 points"},
        {"no grid", [](Analysis &r) { r.NumberOfInterpolatedData = 0; }, "there is no interpolated curve of 0 points"},
    };
    for (const Case &c : cases) {
        Analysis r = singleTrap(1e12, 0.5);
        r.Eref[0] = 0.01;
        ASSERT_TRUE(r.CalculateKestSignal(0));
        c.spoil(r);
        const DynArray before = r.Signal[0];
        const Status s = r.CalculateKestSignal(0);
        EXPECT_FALSE(s) << c.what;
        EXPECT_EQ(s.message.rfind(c.message, 0), 0u) << c.what << ": " << s.message;
        EXPECT_EQ(r.Signal[0], before) << c.what;
    }
}

}  // namespace
