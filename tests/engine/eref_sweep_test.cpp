#include "engine/analysis.h"
#include "engine/errors.h"
#include "engine/eref_sweep.h"
#include "engine/number_format.h"
#include "engine/physics.h"
#include "tests/engine/eref_sweep_reference.h"
#include "tests/engine/sweep_transients.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

SweepGrid gridOf(const Analysis &r) {
    return {r.InterpolatedTime.values().data(), r.InterpolatedCurrent.values().data(), r.NumberOfInterpolatedData,
            r.CurrentAtEnd, r.Area};
}

// A trial's outcome, or the message of the error it raised.
struct TrialOutcome {
    SignalMaximum found;
    std::string error;
};

TrialOutcome fastTrial(const SignalMaximumFinder &finder, double e) {
    try {
        return {finder.find(e), {}};
    } catch (const MathError &error) {
        return {{}, error.what()};
    }
}

TrialOutcome literalTrial(const Analysis &r, double e) {
    try {
        const reference::TrialMaximum m = reference::literalTrial(r, r.NumberOfInterpolatedData, e);
        return {{m.complete, m.jmax, m.smax}, {}};
    } catch (const MathError &error) {
        return {{}, error.what()};
    }
}

// Trial by trial: the same completeness, maximum index and value, or the same error.
void expectSameTrials(const Analysis &r, const std::vector<double> &rates) {
    const SignalMaximumFinder finder(gridOf(r));
    for (const double e : rates) {
        const TrialOutcome fast = fastTrial(finder, e);
        const TrialOutcome literal = literalTrial(r, e);
        ASSERT_EQ(fast.error, literal.error) << "e = " << e;
        ASSERT_EQ(fast.found.complete, literal.found.complete) << "e = " << e;
        if (literal.found.complete) {
            ASSERT_EQ(fast.found.jmax, literal.found.jmax) << "e = " << e;
            ASSERT_EQ(fast.found.smax, literal.found.smax) << "e = " << e;
        }
    }
}

// The whole operation on two copies of the record, fast and literal: equal status, arrays
// of equal length and equal values, equal limits.
void expectSameSweep(const Analysis &record, int mode) {
    Analysis fast = record;
    Analysis literal = record;
    const Status fastStatus = fast.AnalyzeEref(mode);
    const Status literalStatus = reference::analyzeEref(literal, mode);
    EXPECT_EQ(fastStatus.ok, literalStatus.ok) << "mode " << mode;
    EXPECT_EQ(fastStatus.message, literalStatus.message) << "mode " << mode;
    EXPECT_EQ(fast.SweepEref[mode], literal.SweepEref[mode]) << "mode " << mode;
    EXPECT_EQ(fast.SweepEmissionRate[mode], literal.SweepEmissionRate[mode]) << "mode " << mode;
    EXPECT_EQ(fast.SweepDensity[mode], literal.SweepDensity[mode]) << "mode " << mode;
    EXPECT_EQ(fast.LastPositiveEref, literal.LastPositiveEref) << "mode " << mode;
    EXPECT_EQ(fast.LastNegativeEref, literal.LastNegativeEref) << "mode " << mode;
}

// The trial values of modes 0 and 1 as the sweep forms them.
std::vector<double> logarithmicRates(bool negative) {
    std::vector<double> rates;
    double exponent = -4.0;
    for (int k = 0; k < 400; ++k) {
        exponent += 0.01;
        const double magnitude = static_cast<double>(std::pow(10.0L, static_cast<long double>(exponent)));
        rates.push_back(negative ? -magnitude : magnitude);
    }
    return rates;
}

// Modes 0 and 1 in full, mode 2 over a few windows of the range the literal scan can afford.
void expectSameAllModes(Analysis record, const std::vector<std::pair<double, double>> &windows) {
    expectSameSweep(record, 0);
    expectSameSweep(record, 1);
    for (const auto &[low, high] : windows) {
        record.LastNegativeEref = low;
        record.LastPositiveEref = high;
        expectSameSweep(record, 2);
    }
}

Transient randomTransient(unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> unit;
    Transient shape;
    // Fine grids over a few decades, or coarse ones over six, where the skip and abandon
    // rules cut in.
    const bool coarse = seed % 2 == 1;
    shape.step = coarse ? 0.005 : 0.001;
    shape.n = coarse ? 1201 : 800 + static_cast<int>(unit(random) * 700);
    const int traps = 1 + static_cast<int>(seed % 3);
    for (int k = 0; k < traps; ++k)
        shape.traps.push_back({std::pow(10.0, -1.3 + 3.5 * unit(random)), std::pow(10.0, 9.0 + 3.0 * unit(random))});
    shape.leakage = std::pow(10.0, -15.0 + 3.0 * unit(random));
    const double smoothNoise[] = {0.0, 1e-3, 3e-2};
    const double whiteNoise[] = {0.0, 1e-4, 1e-2};
    shape.smoothNoise = smoothNoise[seed % 3];
    shape.whiteNoise = whiteNoise[(seed / 3) % 3];
    shape.seed = seed;
    shape.area = 0.5 + 4.0 * unit(random);
    return shape;
}

class SweepRandomTransient : public testing::TestWithParam<unsigned> {};

TEST_P(SweepRandomTransient, FindsTheLiteralMaximumForEveryTrial) {
    const Analysis r = makeTransient(randomTransient(GetParam()));
    std::vector<double> rates = logarithmicRates(false);
    const std::vector<double> negative = logarithmicRates(true);
    rates.insert(rates.end(), negative.begin(), negative.end());
    std::mt19937_64 random(GetParam());
    std::uniform_real_distribution<double> anywhere(-1.0, 1.0);
    for (int k = 0; k < 800; ++k)
        rates.push_back(anywhere(random));
    rates.push_back(0.0);
    rates.push_back(-0.0);
    expectSameTrials(r, rates);
}

TEST_P(SweepRandomTransient, AllModesMatchTheLiteralSweep) {
    const Analysis r = makeTransient(randomTransient(GetParam()));
    std::mt19937_64 random(GetParam() + 1000);
    std::uniform_real_distribution<double> anywhere(-1.0, 0.997);
    const double start = anywhere(random);
    expectSameAllModes(r, {{-2e-3, 1.5e-3}, {start, start + 3e-3}, {0.996, 0.9999}});
}

INSTANTIATE_TEST_SUITE_P(Seeds, SweepRandomTransient, testing::Range(0u, 12u));

TEST(ErefSweep, FullSizeGridMatchesTheLiteralSweep) {
    Transient shape;
    shape.traps = {{0.8, 2e11}, {40.0, 5e10}};
    shape.smoothNoise = 1e-3;
    shape.whiteNoise = 1e-4;
    shape.seed = 7;
    expectSameAllModes(makeTransient(shape), {{-1e-3, 1e-3}, {-0.9972, -0.995}, {0.5, 0.502}});
}

// Data no smoothing produces, where the fast search must step aside or take care.
struct UnusualData {
    const char *name;
    void (*change)(Analysis &);
};

Analysis coarseSingleTrap() {
    Transient shape;
    shape.n = 601;
    shape.step = 0.01;
    shape.traps = {{2.0, 1e11}};
    shape.whiteNoise = 1e-3;
    return makeTransient(shape);
}

const UnusualData kUnusualData[] = {
    {"white noise about the baseline",
     [](Analysis &r) {
         std::mt19937_64 random(3);
         std::normal_distribution<double> gauss;
         for (int j = 0; j < r.NumberOfInterpolatedData; ++j)
             r.InterpolatedCurrent[j] = 1e-12 + gauss(random) * std::pow(10.0, -15.0 + 4.0 * std::fabs(gauss(random)));
         r.CurrentAtEnd = 1e-12;
     }},
    {"negative area", [](Analysis &r) { r.Area = -2.0; }},
    {"rising current",
     [](Analysis &r) {
         for (int j = 0; j < r.NumberOfInterpolatedData; ++j)
             r.InterpolatedCurrent[j] = 1e-12 * std::log1p(r.InterpolatedTime[j]);
         r.CurrentAtEnd = 1e-12 * std::log1p(150.0);
     }},
    {"times out of order", [](Analysis &r) { std::swap(r.InterpolatedTime[200], r.InterpolatedTime[201]); }},
    {"a current that is not a number",
     [](Analysis &r) { r.InterpolatedCurrent[300] = std::numeric_limits<double>::quiet_NaN(); }},
    {"zero area", [](Analysis &r) { r.Area = 0.0; }},
    {"signal beyond a double for large negative rates", [](Analysis &r) { r.Area = 1e-180; }},
    {"a negative spike beyond a double", [](Analysis &r) { r.InterpolatedCurrent[400] = -1e300; }},
    {"subnormal signal",
     [](Analysis &r) {
         for (int j = 0; j < r.NumberOfInterpolatedData; ++j)
             r.InterpolatedCurrent[j] *= 1e-300;
         r.CurrentAtEnd *= 1e-300;
         r.Area = 1e15;
     }},
    {"largest signal only in the skipped tail",
     [](Analysis &r) {
         for (int j = 0; j < r.NumberOfInterpolatedData; ++j)
             r.InterpolatedCurrent[j] = r.InterpolatedTime[j] < 350.0 ? 1e-200 : 1e-60;
         r.CurrentAtEnd = 0.0;
     }},
    {"baseline above every current", [](Analysis &r) { r.CurrentAtEnd = 1.0; }},
    {"baseline equal to every current",
     [](Analysis &r) {
         for (int j = 0; j < r.NumberOfInterpolatedData; ++j)
             r.InterpolatedCurrent[j] = 1e-12;
         r.CurrentAtEnd = 1e-12;
     }},
};

TEST(ErefSweep, UnusualDataMatchTheLiteralSweep) {
    for (const UnusualData &data : kUnusualData) {
        SCOPED_TRACE(data.name);
        Analysis r = coarseSingleTrap();
        data.change(r);
        std::vector<double> rates = logarithmicRates(false);
        const std::vector<double> negative = logarithmicRates(true);
        rates.insert(rates.end(), negative.begin(), negative.end());
        expectSameTrials(r, rates);
        expectSameAllModes(r, {{-1e-3, 1e-3}, {-0.9995, -0.996}, {0.996, 0.9999}});
    }
}

TEST(ErefSweep, ArithmeticErrorsAreReportedWithTheEntriesBeforeThem) {
    Analysis zeroArea = coarseSingleTrap();
    zeroArea.Area = 0.0;
    EXPECT_EQ(zeroArea.AnalyzeEref(0).message, kDivisionByZeroMessage);
    EXPECT_TRUE(zeroArea.SweepEref[0].empty());

    // |S| reaches beyond a double only where exp(-t e) is large: the negative sweep accepts
    // its first values, then fails.
    Analysis tinyArea = coarseSingleTrap();
    tinyArea.Area = 1e-180;
    const Status status = tinyArea.AnalyzeEref(1);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.message, kOverflowMessage);
    EXPECT_FALSE(tinyArea.SweepEref[1].empty());
    EXPECT_EQ(tinyArea.LastNegativeEref, tinyArea.SweepEref[1].back());
}

TEST(ErefSweep, MaximumAtTheRateTimesOneFailsAfterEarlierEntries) {
    // A sharp maximum at t = 4 s exactly; the second trial of the combined sweep is exactly
    // 0.25, where 1 - t e is 0 and the density divides by zero.
    std::vector<double> time = gridTimes(4000, -3.0, 0.001);
    time[3602] = 4.0;
    std::vector<double> current(time.size(), 1e-13);
    current[3602] = 1e-9;
    Analysis r;
    r.Area = 1.0;
    setInterpolated(r, time, current);
    r.CurrentAtEnd = 0.0;
    r.LastNegativeEref = 0.25 - 1e-5;
    ASSERT_EQ(r.LastNegativeEref + 1e-5, 0.25);
    r.LastPositiveEref = 0.25 + 5e-5;

    Analysis literal = r;
    const Status status = r.AnalyzeEref(2);
    EXPECT_EQ(status.message, kDivisionByZeroMessage);
    EXPECT_EQ(r.SweepEref[2], (Sequence{0.25 - 1e-5}));
    EXPECT_EQ(r.SweepDensity[2].size(), 1u);
    expectSameSweep(literal, 2);
}

TEST(ErefSweep, GridOfAtMost351PointsAcceptsNothing) {
    Transient shape;
    shape.n = 351;
    shape.step = 0.01;
    shape.traps = {{5.0, 1e11}};
    Analysis r = makeTransient(shape);
    r.LastPositiveEref = 0.3;
    r.LastNegativeEref = -0.3;
    ASSERT_TRUE(r.AnalyzeEref(0));
    ASSERT_TRUE(r.AnalyzeEref(1));
    EXPECT_EQ(r.LastPositiveEref, 0.0);
    EXPECT_EQ(r.LastNegativeEref, 0.0);
    Progress progress;
    ASSERT_TRUE(r.AnalyzeEref(2, &progress));
    EXPECT_EQ(progress.total, 1);
    EXPECT_EQ(progress.done, 1);
    for (int m = 0; m < 3; ++m)
        EXPECT_TRUE(r.SweepEref[m].empty() && r.SweepEmissionRate[m].empty() && r.SweepDensity[m].empty());
}

TEST(ErefSweep, SingleTrapGivesFlatResultsFromTheFirstToTheLastTrial) {
    Transient shape;
    shape.traps = {{0.5, 1e12}};
    Analysis r = makeTransient(shape);
    ASSERT_TRUE(r.AnalyzeEref(0));
    ASSERT_EQ(r.SweepEref[0].size(), 400u);
    EXPECT_EQ(formatData(r.SweepEref[0].front()), "0.000102329");
    EXPECT_LT(r.SweepEref[0].back(), 1.0);
    EXPECT_GT(r.SweepEref[0].back(), 0.999999);
    EXPECT_EQ(formatData(r.SweepEref[0].back()), "1");
    EXPECT_EQ(r.LastPositiveEref, r.SweepEref[0].back());
    for (std::size_t k = 0; k < 400; ++k) {
        EXPECT_NEAR(r.SweepEmissionRate[0][k], 0.5, 0.005) << k;
        EXPECT_NEAR(r.SweepDensity[0][k], 1e12, 2e10) << k;
    }

    // Without emptying, a second run appends a second copy.
    const Sequence first = r.SweepEref[0];
    ASSERT_TRUE(r.AnalyzeEref(0));
    ASSERT_EQ(r.SweepEref[0].size(), 800u);
    EXPECT_EQ(Sequence(r.SweepEref[0].begin() + 400, r.SweepEref[0].end()), first);
}

// One trial at e = 0 (the combined sweep between limits of 0) with the maximum of
// (I - I_end) t placed at a chosen index.
Analysis peakAt(int index, int n) {
    std::vector<double> time = gridTimes(n, -3.0, 0.001);
    std::vector<double> current(time.size());
    for (std::size_t j = 0; j < time.size(); ++j) {
        const double x = (static_cast<double>(j) - index) / 30.0;
        current[j] = 1e-10 * std::exp(-x * x) / time[j];
    }
    Analysis r;
    r.Area = 1.0;
    setInterpolated(r, time, current);
    r.CurrentAtEnd = 0.0;
    r.LastNegativeEref = 0.0;
    r.LastPositiveEref = 0.0;
    return r;
}

TEST(ErefSweep, MaximumMustLieInsideTheAcceptanceWindow) {
    const int n = 1000;
    const struct {
        int index;
        bool accepted;
    } cases[] = {{0, false}, {50, false}, {51, true}, {n - 301, true}, {n - 300, false}, {n - 1, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.index);
        Analysis r = peakAt(c.index, n);
        ASSERT_TRUE(r.AnalyzeEref(2));
        ASSERT_EQ(r.SweepEref[2].size(), c.accepted ? 1u : 0u);
        if (c.accepted) {
            const double t = r.InterpolatedTime[c.index];
            const reference::TrialMaximum m = reference::literalTrial(r, n, 0.0);
            ASSERT_EQ(m.jmax, c.index);
            EXPECT_EQ(r.SweepEref[2][0], 0.0);
            EXPECT_EQ(r.SweepEmissionRate[2][0], static_cast<double>(1.0L / t));
            EXPECT_EQ(r.SweepDensity[2][0], m.smax);
        }
    }
}

TEST(ErefSweep, SignalNowherePositiveGivesNothing) {
    Analysis r = coarseSingleTrap();
    for (int j = 0; j < r.NumberOfInterpolatedData; ++j)
        r.InterpolatedCurrent[j] = 1e-12 - 1e-15 * j;
    r.CurrentAtEnd = 1e-12;
    r.LastNegativeEref = -1e-3;
    r.LastPositiveEref = 1e-3;
    for (int m = 0; m < 3; ++m) {
        ASSERT_TRUE(r.AnalyzeEref(m));
        EXPECT_TRUE(r.SweepEref[m].empty());
    }
    EXPECT_EQ(r.LastPositiveEref, 0.0);
}

// Equal signals at e = 0: (I - I_end) t is the same where t doubles and I halves, exactly.
TEST(ErefSweep, EqualMaximaGoToTheEarliestPoint) {
    const struct {
        const char *name;
        std::vector<int> equalPoints;
    } cases[] = {{"flat top", {400, 401, 402, 403, 404}}, {"two separate peaks", {300, 600}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // A grid of ratio 1.01 on a baseline of (I - I_end) t = 0.9 P; the equal points sit at
        // times 2^m times the first of them, with currents 2^-m times its current.
        const double plateau = 1e-12;
        std::vector<double> time, current;
        double t = 1e-3;
        for (int j = 0; j < 1000; ++j) {
            const bool first = j == c.equalPoints.front();
            const bool equal = std::find(c.equalPoints.begin(), c.equalPoints.end(), j) != c.equalPoints.end();
            if (equal && !first) {
                int m = 1;
                while (std::ldexp(time[c.equalPoints.front()], m) <= time.back())
                    ++m;
                time.push_back(std::ldexp(time[c.equalPoints.front()], m));
                current.push_back(std::ldexp(current[c.equalPoints.front()], -m));
            } else {
                time.push_back(t);
                current.push_back((first ? 1.0 : 0.9) * plateau / t);
            }
            t = time.back() * 1.01;
        }
        const int first = c.equalPoints.front();
        for (const int j : c.equalPoints)
            ASSERT_EQ(static_cast<long double>(current[j]) * time[j], static_cast<long double>(current[first]) * time[first]);
        Analysis r;
        r.Area = 1.0;
        setInterpolated(r, time, current);
        r.CurrentAtEnd = 0.0;
        r.LastNegativeEref = 0.0;
        r.LastPositiveEref = 0.0;

        const SignalMaximumFinder finder(gridOf(r));
        EXPECT_EQ(finder.find(0.0).jmax, first);
        expectSameTrials(r, {0.0, -0.0, 1e-12, -1e-12});
        expectSameSweep(r, 2);
    }
}

TEST(ErefSweep, CancelLeavesTheRecordUnchanged) {
    Analysis r = coarseSingleTrap();
    r.SweepEref[0] = {7.0};
    r.SweepEmissionRate[0] = {8.0};
    r.SweepDensity[0] = {9.0};
    r.LastPositiveEref = 0.125;
    Progress progress;
    progress.cancelRequested = true;
    const Status status = r.AnalyzeEref(0, &progress);
    EXPECT_TRUE(status.cancelled);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(r.SweepEref[0], (Sequence{7.0}));
    EXPECT_EQ(r.SweepEmissionRate[0], (Sequence{8.0}));
    EXPECT_EQ(r.SweepDensity[0], (Sequence{9.0}));
    EXPECT_EQ(r.LastPositiveEref, 0.125);
    EXPECT_EQ(progress.total, 400);
}

TEST(ErefSweep, ProgressCountsEveryTrial) {
    Analysis r = coarseSingleTrap();
    r.LastNegativeEref = -0.01;
    r.LastPositiveEref = 0.01;
    Progress progress;
    ASSERT_TRUE(r.AnalyzeEref(2, &progress));
    EXPECT_EQ(progress.total, progress.done);
    EXPECT_GE(progress.total, 2000);
    EXPECT_LE(progress.total, 2001);
}

TEST(ErefSweep, RejectsAnUnknownModeAndAShrunkenGrid) {
    Analysis r = coarseSingleTrap();
    EXPECT_FALSE(r.AnalyzeEref(3));
    EXPECT_FALSE(r.AnalyzeEref(-1));
    for (int m = 0; m < 3; ++m)
        EXPECT_TRUE(r.SweepEref[m].empty());

    r.Clear();  // leaves the grid count, shrinks the arrays to one element
    EXPECT_THROW(r.AnalyzeEref(0), DynArrayOutOfRange);
    EXPECT_TRUE(r.SweepEref[0].empty());
}

}  // namespace
