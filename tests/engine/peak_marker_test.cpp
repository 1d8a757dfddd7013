#include "engine/peak_marker.h"

#include "engine/analysis.h"
#include "engine/dyn_array.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

DynArray arrayOf(const std::vector<double> &values) {
    DynArray array;
    array.resize(static_cast<int>(values.size()));
    std::copy(values.begin(), values.end(), array.values().begin());
    return array;
}

// "Next peak" cases; each is also run mirrored through "Previous peak", whose walks are the
// same towards shorter times (descent stops before index 0 as the forward one stops before n - 1).
struct PeakSearchCase {
    const char *what;
    std::vector<double> signal;
    int from;
    int next;
};

const PeakSearchCase kPeakSearchCases[] = {
    {"from a maximum over a valley to the next maximum", {0, 1, 3, 2, 1, 2, 4, 5, 3, 1}, 2, 7},
    {"no rise: stops at n - 2", {5, 4, 3, 2, 1, 0}, 0, 4},
    {"the last point is never examined by the descent", {5, 4, 3, 2, 1, 9}, 0, 4},
    {"a rise of one point stays at the valley bottom", {3, 2, 1, 2, 2, 0, 0}, 0, 2},
    {"a flat top stops at its first point", {3, 1, 2, 4, 4, 4, 1, 0}, 0, 3},
    {"a flat stretch on the way down is crossed", {3, 2, 2, 2, 1, 5, 6, 0}, 0, 6},
    {"on a rising flank: straight to its top", {1, 2, 3, 4, 2, 0}, 0, 3},
    {"the very next point is the top: no move", {1, 2, 0, 0}, 0, 0},
    {"at the last index: no move", {1, 2, 3}, 2, 2},
    {"from n - 2 the climb may reach the last point", {3, 1, 2}, 1, 2},
    {"a single point", {4}, 0, 0},
};

TEST(PeakSearch, NextPeakDescendsThenClimbs) {
    for (const PeakSearchCase &c : kPeakSearchCases) {
        const DynArray signal = arrayOf(c.signal);
        EXPECT_EQ(nextPeakIndex(signal, signal.length(), c.from), c.next) << c.what;
    }
}

TEST(PeakSearch, PreviousPeakIsTheMirrorImage) {
    for (const PeakSearchCase &c : kPeakSearchCases) {
        std::vector<double> mirrored(c.signal.rbegin(), c.signal.rend());
        const int last = static_cast<int>(c.signal.size()) - 1;
        EXPECT_EQ(previousPeakIndex(arrayOf(mirrored), last - c.from), last - c.next) << c.what;
    }
}

TEST(PeakSearch, PreviousPeakNeverExaminesIndexZeroWhileDescending) {
    EXPECT_EQ(previousPeakIndex(arrayOf({9, 1, 1, 1}), 3), 1);
    EXPECT_EQ(previousPeakIndex(arrayOf({0, 9, 8, 1, 1}), 4), 1);
    // ... but the climb reaches it.
    EXPECT_EQ(previousPeakIndex(arrayOf({9, 8, 7, 1, 5}), 4), 0);
    EXPECT_EQ(previousPeakIndex(arrayOf({3, 2, 1}), 0), 0);
}

// After a new smoothing the grid can be longer than the signal of the last "Calculate KEST",
// or the marker beyond the end of a shorter one: the search reads past the signal and says so.
TEST(PeakSearch, ReadingPastTheSignalRaisesTheRangeError) {
    const DynArray signal = arrayOf({5, 4, 3, 2, 1});
    EXPECT_THROW(nextPeakIndex(signal, 8, 0), DynArrayOutOfRange);
    EXPECT_THROW(nextPeakIndex(signal, 8, 6), DynArrayOutOfRange);
    EXPECT_THROW(previousPeakIndex(signal, 5), DynArrayOutOfRange);
    EXPECT_EQ(nextPeakIndex(signal, 5, 0), 3);
}

TEST(IndexOfSignalMaximum, TakesTheFirstStrictlyGreatestPositiveValue) {
    const struct {
        std::vector<double> signal;
        int index;
    } cases[] = {
        {{1, 3, 2, 3, 0}, 1},
        {{-5, -1, 0}, -1},
        {{0, 0}, -1},
        {{-2, 1e-300, -1}, 1},
        {{}, -1},
    };
    for (const auto &c : cases) {
        Analysis r;
        r.Signal[1].resize(static_cast<int>(c.signal.size()));
        for (std::size_t i = 0; i < c.signal.size(); ++i)
            r.Signal[1][static_cast<long long>(i)] = c.signal[i];
        EXPECT_EQ(indexOfSignalMaximum(r, 1), c.index);
    }
}

TEST(MarkPeak, SetsTheSharedIndexAndTheAnalysisOwnTimeAndValue) {
    Analysis r;
    r.InterpolatedTime.resize(3);
    r.Signal[0].resize(3);
    r.InterpolatedTime[2] = 0.5;
    r.Signal[0][2] = 7e11;
    markPeak(r, 0, 1, 2);
    EXPECT_EQ(r.IndexOfPeak[1], 2);
    EXPECT_EQ(r.TimeOfPeak[0][1], 0.5);
    EXPECT_EQ(r.SignalOfPeak[0][1], 7e11);
    EXPECT_EQ(r.TimeOfPeak[1][1], 0.0);
    EXPECT_EQ(r.IndexOfPeak[0], 0);
    EXPECT_THROW(markPeak(r, 0, 1, 3), DynArrayOutOfRange);
    EXPECT_EQ(r.IndexOfPeak[1], 2);
}

}  // namespace
