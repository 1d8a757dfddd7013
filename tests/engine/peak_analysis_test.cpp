#include "engine/analysis.h"
#include "engine/errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A grid of 0.001 decade from 1 ms over five decades, and analysis `a` marked at (t, s).
Analysis marked(int a, int p, double eref, double t, double s) {
    Analysis r;
    r.Clear();
    r.NumberOfInterpolatedData = 5001;
    r.InterpolatedTime.resize(5001);
    for (int g = 0; g < 5001; ++g)
        r.InterpolatedTime[g] = std::pow(10.0, g * 0.001 - 3.0);
    r.Eref[a] = eref;
    r.TimeOfPeak[a][p] = t;
    r.SignalOfPeak[a][p] = s;
    return r;
}

TEST(AnalyzePeak, InvertsTheSingleTrapPeak) {
    struct Case {
        double eref, t, s;
        double rate, density;
    };
    const Case cases[] = {
        {0.0, 4.0, 2.5e11, 0.25, 2.5e11},      // at e_ref 0: 1/t and the marked value
        {0.05, 4.0, 2.5e11, 0.2, 3.125e11},    // 0 < e t < 1: both positive
        {-0.25, 2.0, 1.5e11, 0.75, 1e11},      // e_ref < 0: rate above 1/t, density below the value
        {0.5, 4.0, 2.5e11, -0.25, -2.5e11},    // marker beyond 1/e_ref: both negative, stored as they are
    };
    for (const Case &c : cases) {
        Analysis r = marked(1, 0, c.eref, c.t, c.s);
        ASSERT_TRUE(r.AnalyzePeak(1, 0)) << c.eref;
        EXPECT_DOUBLE_EQ(r.EmissionRate[1][0], c.rate) << c.eref;
        EXPECT_DOUBLE_EQ(r.TrapDensity[1][0], c.density) << c.eref;
        EXPECT_EQ(r.EmissionRate[1][1], 0.0);
        EXPECT_EQ(r.EmissionRate[0][0], 0.0);
    }
}

TEST(AnalyzePeak, FailureStoresNeitherResult) {
    struct Case {
        double eref, t, s;
        const char *message;
    };
    const Case cases[] = {
        {2.0, 0.5, 1e11, kDivisionByZeroMessage},    // e t exactly 1
        {2.0, 0.5, 0.0, kInvalidOperationMessage},   // and a zero value: 0/0
        {0.0, 0.0, 1e11, kDivisionByZeroMessage},    // t = 0
        {0.0, 1e-320, 1e11, kOverflowMessage},       // 1/t beyond the double range
        {NAN, 1.0, 1e11, kInvalidOperationMessage},
    };
    for (const Case &c : cases) {
        Analysis r = marked(0, 1, c.eref, c.t, c.s);
        r.EmissionRate[0][1] = 7.0;
        r.TrapDensity[0][1] = 8.0;
        const Status s = r.AnalyzePeak(0, 1);
        EXPECT_FALSE(s);
        EXPECT_EQ(s.message, c.message) << c.eref << " " << c.t;
        EXPECT_EQ(r.EmissionRate[0][1], 7.0);
        EXPECT_EQ(r.TrapDensity[0][1], 8.0);
    }
    Analysis r = marked(0, 0, 0.0, 1.0, 1.0);
    EXPECT_FALSE(r.AnalyzePeak(2, 0));
    EXPECT_FALSE(r.AnalyzePeak(0, -1));
}

TEST(CalculateTrapSignal, PeaksAtTheMarkerWithTheMarkedValue) {
    for (const double eref : {0.0, 0.03, -0.03}) {
        const int marker = 3700;  // about 5 s
        Analysis r = marked(0, 1, eref, 0.0, 4.2e11);
        r.TimeOfPeak[0][1] = r.InterpolatedTime[marker];
        ASSERT_TRUE(r.AnalyzePeak(0, 1));
        ASSERT_TRUE(r.CalculateTrapSignal(0, 1));
        const DynArray &curve = r.SignalOfTrap[0][1];
        ASSERT_EQ(curve.length(), 5001);
        EXPECT_NEAR(curve[marker], 4.2e11, 1e-12 * 4.2e11) << eref;
        EXPECT_LT(curve[marker - 1], curve[marker]);
        EXPECT_LT(curve[marker + 1], curve[marker]);
        EXPECT_LT(curve[0], 1e-3 * curve[marker]);
        EXPECT_LT(curve[5000], 1e-3 * curve[marker]);
        EXPECT_EQ(r.SignalOfTrap[0][0].length(), 1) << "the other slot is untouched";
    }
}

TEST(CalculateTrapSignal, RefusesAGridShorterThanItsCount) {
    Analysis r = marked(0, 0, 0.0, 2.0, 1e11);
    ASSERT_TRUE(r.AnalyzePeak(0, 0));
    ASSERT_TRUE(r.CalculateTrapSignal(0, 0));
    const DynArray before = r.SignalOfTrap[0][0];
    r.InterpolatedTime.resize(1);
    EXPECT_FALSE(r.CalculateTrapSignal(0, 0));
    EXPECT_EQ(r.SignalOfTrap[0][0], before);
}

}  // namespace
