// The signal and sweep result files (*.KEST0, *.KEST1, *.ErefP, *.ErefN, *.Eref).
#include "engine/analysis.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::size_t lineCount(const std::string &text) {
    std::size_t n = 0;
    for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2)
        ++n;
    return n;
}

std::string lastLine(const std::string &text) {
    const std::size_t end = text.size() - 2;
    return text.substr(text.rfind("\r\n", end - 1) + 2, end - text.rfind("\r\n", end - 1) - 2);
}

class ResultFiles : public ::testing::Test {
protected:
    void SetUp() override { FilenameOriginal = "/lab/raw/run7.txt"; }

    // The record of the golden files: three grid points, the sample of the *.DIS1 fixture.
    Analysis record() const {
        Analysis r = goldenSample();
        r.FilenameDIS0 = "/lab/dis/run7.DIS0";
        r.FilenameDIS1 = "/lab/dis/run7.DIS1";
        r.FilenameKEST0 = dir.file("run7.KEST0");
        r.FilenameKEST1 = dir.file("run7.KEST1");
        r.FilenameErefP = dir.file("run7.ErefP");
        r.FilenameErefN = dir.file("run7.ErefN");
        r.FilenameEref = dir.file("run7.Eref");
        r.NumberOfInterpolatedData = 3;
        r.InterpolatedTime.resize(3);
        const double t[] = {0.001, 0.0010023052380778996, 0.0010232929922807535};
        for (int k = 0; k < 3; ++k)
            r.InterpolatedTime[k] = t[k];
        return r;
    }

    static void fill(DynArray &array, std::initializer_list<double> values) {
        array.resize(static_cast<int>(values.size()));
        int k = 0;
        for (double v : values)
            array[k++] = v;
    }

    std::string golden(const std::string &name) const {
        std::string text = readBytes(testData(name));
        for (const char *ext : {"KEST0", "KEST1", "ErefP"})
            text = replaceAll(text, std::string("/lab/dis/run7.") + ext, dir.file(std::string("run7.") + ext));
        return text;
    }

    TempDir dir;
};

TEST_F(ResultFiles, Kest0WithBothTrapsMatchesTheGoldenFile) {
    Analysis r = record();
    r.TimeOfPeak[0] = {1.5e-7, 0.0010232929922807535};
    r.SignalOfPeak[0] = {3.2e12, 123456789012.3456};
    r.TrapDensity[0] = {3.2e12, -4.5e-5};
    r.EmissionRate[0] = {0.25, 1e15};
    fill(r.Signal[0], {3.2e12, 1.5e-7, 0.0});
    fill(r.SignalOfTrap[0][0], {1.23456789e11, -2.5, 0.0});
    fill(r.SignalOfTrap[0][1], {1e5, 1e6, 0.000123456});
    ASSERT_TRUE(r.WriteKEST0());
    EXPECT_EQ(readBytes(r.FilenameKEST0), golden("golden.KEST0"));
    EXPECT_EQ(dir.entries(), 1u);
}

TEST_F(ResultFiles, Kest1NamesBothResultFilesAndWritesAMissingTrapAsZero) {
    Analysis r = record();
    r.Eref[1] = -0.0123;
    r.TimeOfPeak[1][1] = 12.5;
    r.SignalOfPeak[1][1] = 659443311083.683;
    r.TrapDensity[1][1] = 699994088318.992;
    r.EmissionRate[1][1] = 0.0923;
    fill(r.Signal[1], {2.62373e10, -7.0, 0.0});
    fill(r.SignalOfTrap[1][1], {3.80522e8, 1e-300, 0.0});
    fill(r.SignalOfTrap[1][0], {1.0, 2.0});  // of another grid: not present
    ASSERT_TRUE(r.WriteKEST1());
    EXPECT_EQ(readBytes(r.FilenameKEST1), golden("golden.KEST1"));
}

TEST_F(ResultFiles, KestRowsFollowWhichTrapCurvesArePresent) {
    struct Case {
        bool trap1, trap2, signalOfGrid;
        const char *lastRow;  // "" for no rows
    };
    const Case cases[] = {
        {true, false, true, "0.00102329     -1    5     0"},
        {false, false, true, "0.00102329     -1     0      0"},
        {true, true, false, ""},
        {false, false, false, ""},
    };
    for (const Case &c : cases) {
        Analysis r = record();
        fill(r.Signal[0], {4.0, 3.0, -1.0});
        if (c.trap1)
            fill(r.SignalOfTrap[0][0], {1.0, 3.0, 5.0});
        if (c.trap2)
            fill(r.SignalOfTrap[0][1], {1.0, 3.0, 6.0});
        if (!c.signalOfGrid)
            r.Signal[0].resize(4);
        ASSERT_TRUE(r.WriteKEST0());
        const std::string text = readBytes(r.FilenameKEST0);
        if (*c.lastRow == '\0') {
            EXPECT_EQ(lineCount(text), 32u);
            EXPECT_EQ(lastLine(text).rfind("% Time [s]", 0), 0u);
        } else {
            EXPECT_EQ(lineCount(text), 35u);
            EXPECT_EQ(lastLine(text), c.lastRow);
        }
    }
}

TEST_F(ResultFiles, SweepFilesMatchTheGoldenFileAndDifferOnlyInTitleAndOwnName) {
    Analysis r = record();
    for (int m = 0; m < 3; ++m) {
        r.SweepEref[m] = {std::pow(10.0, -3.99), 0.5, 0.9999999999999};
        r.SweepEmissionRate[m] = {0.499932, 0.25, -0.5};
        r.SweepDensity[m] = {1.00064e12, 3.2e12, -1e6};
    }
    ASSERT_TRUE(r.WriteErefP());
    ASSERT_TRUE(r.WriteErefN());
    ASSERT_TRUE(r.WriteEref());
    const std::string positive = golden("golden.ErefP");
    EXPECT_EQ(readBytes(r.FilenameErefP), positive);
    EXPECT_EQ(readBytes(r.FilenameErefN),
              replaceAll(replaceAll(positive, "positive e_ref", "negative e_ref"), "% ErefP file: " + r.FilenameErefP,
                         "% ErefN file: " + r.FilenameErefN));
    EXPECT_EQ(readBytes(r.FilenameEref), replaceAll(replaceAll(positive, "with positive e_ref", "with e_ref"),
                                                    "% ErefP file: " + r.FilenameErefP, "% Eref file: " + r.FilenameEref));

    // A sweep that accepted nothing: the 19 header lines alone.
    r.SweepEref[1].clear();
    r.SweepEmissionRate[1].clear();
    r.SweepDensity[1].clear();
    ASSERT_TRUE(r.WriteErefN());
    EXPECT_EQ(lineCount(readBytes(r.FilenameErefN)), 19u);
}

TEST_F(ResultFiles, UnwritablePathsAndMissingGridsFailWithoutAFile) {
    Analysis r = record();
    fill(r.Signal[0], {1.0, 2.0, 3.0});
    r.FilenameKEST0 = dir.file("missing/run7.KEST0");
    Status s = r.WriteKEST0();
    EXPECT_FALSE(s);
    EXPECT_EQ(s.path, r.FilenameKEST0);
    r.FilenameErefP = dir.file("missing/run7.ErefP");
    s = r.WriteErefP();
    EXPECT_FALSE(s);
    EXPECT_EQ(s.path, r.FilenameErefP);

    r = record();
    fill(r.Signal[0], {1.0, 2.0, 3.0});
    r.InterpolatedTime.resize(1);
    EXPECT_FALSE(r.WriteKEST0());
    EXPECT_EQ(dir.entries(), 0u);
}

}  // namespace
