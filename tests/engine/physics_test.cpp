// The whole analysis on a synthetic transient whose trap is known: smoothing, the signal at
// e_ref 0, the peak evaluation and the positive sweep must give the trap back.
#include "engine/analysis.h"
#include "engine/peak_marker.h"
#include "engine/physics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// One trap of density nt [cm^-2] and rate et [s^-1] discharging through 1 mm^2 over a
// leakage of 50 fA, 30 points per decade from 1 ms to 1000 s, with 0.2 % noise.
Analysis singleTrapTransient(double nt, double et) {
    std::mt19937 random(20070123);
    std::normal_distribution<double> gauss(0.0, 0.002);
    Analysis r;
    r.Clear();
    for (int k = 0; k <= 180; ++k) {
        const double t = std::pow(10.0, -3.0 + k / 30.0);
        const double i = kElementaryCharge_C * r.Area * kAreaFactor_cm2PerMm2 * nt * et * std::exp(-et * t) + 5e-14;
        r.Time.push_back(t);
        r.Current.push_back(i * (1.0 + gauss(random)));
        r.Reliability.push_back(1.0);
    }
    r.NumberOfData = 181;
    r.IndexOfEnding = 180;
    return r;
}

TEST(Physics, SingleTrapIsRecoveredFromItsTransient) {
    for (const double et : {0.05, 0.5, 5.0}) {
        const double nt = 1e12;
        Analysis r = singleTrapTransient(nt, et);
        ASSERT_TRUE(r.CalculateSmoothing());
        ASSERT_TRUE(r.CalculateKestSignal(0));
        const int peak = indexOfSignalMaximum(r, 0);
        ASSERT_GE(peak, 0);
        markPeak(r, 0, 0, peak);
        ASSERT_TRUE(r.AnalyzePeak(0, 0));
        EXPECT_NEAR(r.EmissionRate[0][0], et, 0.01 * et);
        EXPECT_NEAR(r.TrapDensity[0][0], nt, 0.02 * nt);

        // The positive sweep sees the same trap wherever e_ref does not swamp it.
        ASSERT_TRUE(r.AnalyzeEref(0));
        int compared = 0;
        for (std::size_t k = 0; k < r.SweepEref[0].size(); ++k) {
            if (r.SweepEref[0][k] > et)
                break;
            EXPECT_NEAR(r.SweepEmissionRate[0][k], et, 0.01 * et) << "e_ref " << r.SweepEref[0][k];
            EXPECT_NEAR(r.SweepDensity[0][k], nt, 0.02 * nt) << "e_ref " << r.SweepEref[0][k];
            ++compared;
        }
        EXPECT_GT(compared, 10) << et;
    }
}

}  // namespace
