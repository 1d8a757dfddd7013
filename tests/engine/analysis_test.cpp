#include "engine/analysis.h"

#include <gtest/gtest.h>

namespace {

TEST(Analysis, ConstructionLeavesEverythingEmptyAndZero) {
    const Analysis r;
    EXPECT_TRUE(r.FilenameDIS0.empty());
    EXPECT_TRUE(r.Comment.empty());
    EXPECT_EQ(r.Temperature, 0.0);
    EXPECT_EQ(r.Smoothness, 0.0);
    EXPECT_EQ(r.NumberOfData, 0);
    EXPECT_TRUE(r.Time.empty());
    EXPECT_EQ(r.InterpolatedTime.length(), 0);
    EXPECT_EQ(r.Signal[0].length(), 0);
    EXPECT_EQ(r.Signal[1].length(), 0);
    for (const auto &row : r.SignalOfTrap)
        for (const auto &curve : row)
            EXPECT_EQ(curve.length(), 0);
    for (int m = 0; m < 3; ++m)
        EXPECT_TRUE(r.SweepEref[m].empty());
}

TEST(Analysis, ClearSetsSampleDefaultsAndKeepsWhatItShould) {
    Analysis r;
    r.Version = "v";
    r.FilenameEref = "x";
    r.Material = "m";
    r.NumberOfData = 3;
    r.Time = {1, 2, 3};
    r.NumberOfInterpolatedData = 3001;
    r.CurrentAtEnd = 1e-12;
    r.LastPositiveEref = 0.5;
    r.LastNegativeEref = -0.25;
    r.InterpolatedTime.resize(3001);
    r.InterpolatedTime[0] = 0.001;
    r.Eref[1] = 0.2;
    r.TrapDensity[1][1] = 5;
    r.IndexOfPeak = {7, 9};
    r.SignalOfTrap[0][1].resize(10);
    r.SweepDensity[2] = {1, 2};

    r.Clear();

    EXPECT_EQ(r.Version, "v");
    EXPECT_TRUE(r.FilenameEref.empty());
    EXPECT_TRUE(r.Material.empty());
    EXPECT_EQ(r.Temperature, 293.0);
    EXPECT_EQ(r.Area, 1.0);
    EXPECT_EQ(r.SampleThickness, 100.0);
    EXPECT_EQ(r.ChargeVoltage, 5.0);
    EXPECT_EQ(r.ChargeTime, 600.0);
    EXPECT_EQ(r.DischargeVoltage, 0.0);
    EXPECT_EQ(r.Smoothness, 0.001);
    EXPECT_EQ(r.NumberOfData, 0);
    EXPECT_TRUE(r.Time.empty());
    EXPECT_EQ(r.NumberOfInterpolatedData, 3001);
    EXPECT_EQ(r.CurrentAtEnd, 1e-12);
    EXPECT_EQ(r.LastPositiveEref, 0.5);
    EXPECT_EQ(r.LastNegativeEref, -0.25);
    EXPECT_EQ(r.InterpolatedTime.length(), 1);
    EXPECT_EQ(r.InterpolatedTime[0], 0.001);
    EXPECT_EQ(r.Signal[0].length(), 1);
    EXPECT_EQ(r.Signal[1].length(), 1);
    EXPECT_EQ(r.SignalOfTrap[0][1].length(), 1);
    EXPECT_EQ(r.Eref[1], 0.0);
    EXPECT_EQ(r.TrapDensity[1][1], 0.0);
    EXPECT_EQ(r.IndexOfPeak[0], 0);
    EXPECT_EQ(r.IndexOfPeak[1], 0);
    EXPECT_TRUE(r.SweepDensity[2].empty());

    try {
        (void)r.InterpolatedTime[1];
        FAIL() << "no range error";
    } catch (const DynArrayOutOfRange &e) {
        EXPECT_EQ(e.index(), 1);
        EXPECT_EQ(e.length(), 1);
    }
}

TEST(DynArray, ResizeKeepsPrefixAndZeroFills) {
    DynArray a;
    a.resize(5);
    for (int i = 0; i < 5; ++i)
        a[i] = i + 1.0;
    a.resize(3);
    a.resize(5);
    EXPECT_EQ(a[0], 1.0);
    EXPECT_EQ(a[2], 3.0);
    EXPECT_EQ(a[3], 0.0);
    EXPECT_EQ(a[4], 0.0);
    EXPECT_THROW((void)a[-1], DynArrayOutOfRange);
    EXPECT_THROW(a[5] = 1.0, DynArrayOutOfRange);
}

}  // namespace
