#include "engine/analysis.h"
#include "smoothing_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

// A measurement of the given times and currents, all of weight 1, the whole of it analysed.
Analysis measurement(const std::vector<double> &times, const std::vector<double> &currents) {
    Analysis r;
    r.Clear();
    r.Time = times;
    r.Current = currents;
    r.Reliability.assign(times.size(), 1.0);
    r.NumberOfData = static_cast<int>(times.size());
    r.IndexOfBeginning = 0;
    r.IndexOfEnding = r.NumberOfData - 1;
    return r;
}

double twoTraps(double t) { return 2e-9 * std::exp(-3.0 * t) + 5e-10 * std::exp(-0.02 * t) + 1e-12; }
// A dispersive decay: a power law with a shoulder, smooth in log-log coordinates.
double dispersive(double t) { return 1e-10 * std::pow(t, -0.8) + 3e-10 * std::exp(-t / 5.0); }

// `count` points evenly spread in log time from `first` s over `decades`, with relative
// noise of the given size from a fixed seed.
Analysis transient(double first, double decades, int count, double noise, double (*clean)(double) = twoTraps) {
    std::mt19937 random(7);
    std::normal_distribution<double> gauss(0.0, 1.0);
    std::vector<double> times, currents;
    for (int k = 0; k < count; ++k) {
        const double t = first * std::pow(10.0, decades * k / (count - 1));
        times.push_back(t);
        currents.push_back(clean(t) * (1.0 + noise * gauss(random)));
    }
    return measurement(times, currents);
}

// Largest distance in decades between the smoothed curve and log10 currents on its grid.
double largestDeviation(const Analysis &r, const std::vector<double> &logCurrents) {
    double worst = 0.0;
    for (int g = 0; g < r.NumberOfInterpolatedData; ++g) {
        const double d = std::fabs(std::log10(r.InterpolatedCurrent[g]) - logCurrents[g]);
        worst = std::isfinite(d) ? std::max(worst, d) : INFINITY;
    }
    return worst;
}

TEST(CalculateSmoothing, AgreesWithTheDefiningRecursionOnWellConditionedData) {
    struct Case {
        double first, decades;
        int count;
        double smoothness;
        bool unevenWeights;
    };
    const Case cases[] = {
        {1e-3, 1.0, 20, 0.001, false},
        {1e-2, 1.0, 20, 0.01, true},
        {0.5, 1.0, 20, 0.1, true},
        {1e-3, 2.0, 30, 1.0, true},
        {2.0, 0.5, 12, 1e-4, false},
    };
    for (const Case &c : cases) {
        Analysis r = transient(c.first, c.decades, c.count, 0.01);
        r.Smoothness = c.smoothness;
        if (c.unevenWeights)
            for (std::size_t j = 0; j < r.Reliability.size(); ++j)
                r.Reliability[j] = 0.2 + 0.8 * static_cast<double>(j % 5) / 4.0;
        const std::vector<double> reference = reference::smoothByRecursion(r);
        const Status s = r.CalculateSmoothing();
        ASSERT_TRUE(s) << s.describe();
        ASSERT_EQ(r.NumberOfInterpolatedData, static_cast<int>(reference.size()));
        EXPECT_LT(largestDeviation(r, reference), 1e-10) << c.first << " s over " << c.decades << " decades, smoothness "
                                                        << c.smoothness;
    }
}

TEST(CalculateSmoothing, StaysOnNoisyPointsWhereTheRecursionFails) {
    // 300 points over six decades: the recursion misses the points by many decades here.
    Analysis r = transient(1e-3, 6.0, 300, 0.01, dispersive);
    const std::vector<double> recursion = reference::smoothByRecursion(r);
    ASSERT_TRUE(r.CalculateSmoothing());
    EXPECT_GT(largestDeviation(r, recursion), 1.0);

    // Against the noise-free decay: 1 % noise is 0.0043 decades.
    std::vector<double> clean;
    for (int g = 0; g < r.NumberOfInterpolatedData; ++g)
        clean.push_back(std::log10(dispersive(r.InterpolatedTime[g])));
    EXPECT_LT(largestDeviation(r, clean), 0.01);
}

TEST(CalculateSmoothing, GridEndsAndCountFollowWholeThousandthsOfADecade) {
    struct Case {
        double first, last;
        int count;
        double firstTime, lastTime;
    };
    const Case cases[] = {
        {1e-3, 20.0, 4301, 0.001, std::pow(10.0, 1.3)},  // one step short of x_stop = 1.301
        {1e-3, 100.0, 5001, 0.001, 100.0},
        {1.5e-3, 100.0, 4823, std::pow(10.0, -2.823), std::pow(10.0, 1.999)},  // -2.823 lies a hair above
        {0.0101, 0.0102, 4, std::pow(10.0, -1.995), std::pow(10.0, -1.992)},
    };
    for (const Case &c : cases) {
        Analysis r = measurement({c.first, std::sqrt(c.first * c.last), c.last}, {3e-9, 2e-9, 1e-9});
        ASSERT_TRUE(r.CalculateSmoothing());
        EXPECT_EQ(r.NumberOfInterpolatedData, c.count) << c.first << ".." << c.last;
        EXPECT_EQ(r.InterpolatedTime.length(), c.count);
        EXPECT_NEAR(r.InterpolatedTime[0], c.firstTime, 1e-15 * c.firstTime);
        EXPECT_NEAR(r.InterpolatedTime[c.count - 1], c.lastTime, 1e-14 * c.lastTime);
        EXPECT_GE(r.InterpolatedTime[0], c.first);
        EXPECT_LE(r.InterpolatedTime[c.count - 1], c.last);
        EXPECT_EQ(r.CurrentAtEnd, r.InterpolatedCurrent[c.count - 1]);
    }
    Analysis r = measurement({1e-3, 1.0}, {1e-9, 1e-12});
    ASSERT_TRUE(r.CalculateSmoothing());
    EXPECT_EQ(r.InterpolatedTime[0], 0.001);
    // Steps are g times 0.001 from the start, so the grid lands on whole decades.
    EXPECT_NEAR(r.InterpolatedTime[1000], 0.01, 1e-17);
    EXPECT_NEAR(r.InterpolatedTime[2000], 0.1, 1e-16);
}

TEST(CalculateSmoothing, TwoPointsGiveThePowerLawThroughThem) {
    Analysis r = measurement({2e-3, 0.5, 7.0}, {4e-9, 1.0, 1e-11});
    r.Reliability[1] = 0.0;  // the outlier between them has no say
    ASSERT_TRUE(r.CalculateSmoothing());
    const double exponent = std::log10(1e-11 / 4e-9) / std::log10(7.0 / 2e-3);
    for (int g = 0; g < r.NumberOfInterpolatedData; g += 97) {
        const double t = r.InterpolatedTime[g];
        EXPECT_NEAR(r.InterpolatedCurrent[g], 4e-9 * std::pow(t / 2e-3, exponent), 1e-12 * r.InterpolatedCurrent[g]);
    }
}

TEST(CalculateSmoothing, WeightZeroOrAMovedBeginningEqualsDeletingThePoint) {
    const Analysis full = transient(1e-3, 4.0, 101, 0.02);
    Analysis zeroWeight = full, deleted = full;
    zeroWeight.Reliability[40] = 0.0;
    zeroWeight.Current[40] *= 100.0;
    for (Sequence *s : {&deleted.Time, &deleted.Current, &deleted.Reliability})
        s->erase(s->begin() + 40);
    --deleted.NumberOfData;
    --deleted.IndexOfEnding;
    ASSERT_TRUE(zeroWeight.CalculateSmoothing());
    ASSERT_TRUE(deleted.CalculateSmoothing());
    EXPECT_EQ(zeroWeight.InterpolatedCurrent, deleted.InterpolatedCurrent);
    EXPECT_EQ(zeroWeight.InterpolatedTime, deleted.InterpolatedTime);

    // Moving the beginning forward is the fit without the first point, on a grid that
    // starts at the new rounded start.
    Analysis moved = full, withoutFirst = full;
    moved.IndexOfBeginning = 1;
    for (Sequence *s : {&withoutFirst.Time, &withoutFirst.Current, &withoutFirst.Reliability})
        s->erase(s->begin());
    --withoutFirst.NumberOfData;
    --withoutFirst.IndexOfEnding;
    ASSERT_TRUE(moved.CalculateSmoothing());
    ASSERT_TRUE(withoutFirst.CalculateSmoothing());
    EXPECT_EQ(moved.InterpolatedCurrent, withoutFirst.InterpolatedCurrent);
    EXPECT_GE(moved.InterpolatedTime[0], full.Time[1]);
    EXPECT_LT(moved.InterpolatedTime[0], full.Time[1] * std::pow(10.0, 0.001));
}

TEST(CalculateSmoothing, RepeatsBitForBit) {
    Analysis r = transient(1e-3, 5.0, 151, 0.01);
    r.IndexOfBeginning = 3;
    ASSERT_TRUE(r.CalculateSmoothing());
    const DynArray times = r.InterpolatedTime, currents = r.InterpolatedCurrent;
    ASSERT_TRUE(r.CalculateSmoothing());
    EXPECT_EQ(r.InterpolatedTime, times);
    EXPECT_EQ(r.InterpolatedCurrent, currents);
    EXPECT_EQ(r.CurrentAtEnd, currents[currents.length() - 1]);
}

TEST(CalculateSmoothing, RefusesUnusableInputAndChangesNothing) {
    struct Case {
        const char *what;
        std::function<void(Analysis &)> spoil;
        std::string message;
    };
    const Case cases[] = {
        {"zero smoothness", [](Analysis &r) { r.Smoothness = 0.0; }, "the smoothness is 0; it must be a positive number"},
        {"NaN smoothness", [](Analysis &r) { r.Smoothness = NAN; }, "the smoothness is NAN"},
        {"range reversed", [](Analysis &r) { r.IndexOfBeginning = 9; r.IndexOfEnding = 4; }, "the analysed range 9 to 4"},
        {"range beyond data", [](Analysis &r) { r.IndexOfEnding = r.NumberOfData; }, "does not lie inside"},
        {"arrays short", [](Analysis &r) { r.Current.pop_back(); }, "fewer measured points than its number of data (31)"},
        {"time zero", [](Analysis &r) { r.Time[0] = 0.0; }, "point 0 has the time 0 s;"},
        {"current negative", [](Analysis &r) { r.Current[5] = -2e-12; }, "point 5 has the current -2E-12 A;"},
        {"current infinite", [](Analysis &r) { r.Current[6] = INFINITY; }, "point 6 has the current INF A;"},
        {"weight negative", [](Analysis &r) { r.Reliability[7] = -0.5; }, "point 7 has the reliability -0.5;"},
        {"weight NaN", [](Analysis &r) { r.Reliability[8] = NAN; }, "point 8 has the reliability NAN;"},
        {"times out of order", [](Analysis &r) { r.Time[10] = r.Time[9]; },
         "point 10 has the time 0.00794328234724282 s, not later than point 9 (0.00794328234724282 s)"},
        {"one weighted point",
         [](Analysis &r) {
             for (double &w : r.Reliability)
                 w = 0.0;
             r.Reliability[12] = 1.0;
         },
         "holds 1 point of positive reliability; at least 2 are needed"},
        {"no whole thousandth",
         [](Analysis &r) {
             r.Time[0] = 0.0101;
             r.Time[1] = 0.01011;
             r.IndexOfEnding = 1;
         },
         "the analysed range from 0.0101 s to 0.01011 s holds no whole thousandth of a decade"},
    };
    for (const Case &c : cases) {
        Analysis r = transient(1e-3, 3.0, 31, 0.0);
        ASSERT_TRUE(r.CalculateSmoothing());
        const Analysis before = r;
        c.spoil(r);
        const Status s = r.CalculateSmoothing();
        EXPECT_FALSE(s) << c.what;
        EXPECT_NE(s.message.find(c.message), std::string::npos) << c.what << ": " << s.message;
        EXPECT_EQ(r.NumberOfInterpolatedData, before.NumberOfInterpolatedData) << c.what;
        EXPECT_EQ(r.InterpolatedTime, before.InterpolatedTime) << c.what;
        EXPECT_EQ(r.InterpolatedCurrent, before.InterpolatedCurrent) << c.what;
        EXPECT_EQ(r.CurrentAtEnd, before.CurrentAtEnd) << c.what;
    }
}

}  // namespace
