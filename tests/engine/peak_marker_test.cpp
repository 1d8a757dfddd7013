#include "engine/peak_marker.h"

#include "engine/analysis.h"
#include "engine/dyn_array.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
