#include "engine/analysis.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

class Dis1File : public ::testing::Test {
protected:
    void SetUp() override { FilenameOriginal = "/lab/raw/run7.txt"; }

    // A record as the golden *.DIS1 describes it.
    static Analysis record() {
        Analysis r = goldenSample();
        r.FilenameDIS0 = "/lab/dis/run7.DIS0";
        r.NumberOfInterpolatedData = 3;
        r.InterpolatedTime.resize(3);
        r.InterpolatedCurrent.resize(3);
        const double t[] = {0.001, 0.0010023052380778996, 0.0010232929922807535};
        const double i[] = {3.456781e-9, 3.4e-9, 3.3e-9};
        for (int k = 0; k < 3; ++k) {
            r.InterpolatedTime[k] = t[k];
            r.InterpolatedCurrent[k] = i[k];
        }
        r.CurrentAtEnd = 3.3e-9;
        return r;
    }

    TempDir dir;
};

TEST_F(Dis1File, WritesTheGoldenFileByteForByte) {
    Analysis r = record();
    r.FilenameDIS1 = dir.file("out.DIS1");
    ASSERT_TRUE(r.WriteDIS1());
    EXPECT_EQ(readBytes(r.FilenameDIS1),
              replaceAll(readBytes(testData("golden.DIS1")), "/lab/dis/run7.DIS1", r.FilenameDIS1));
    EXPECT_EQ(dir.entries(), 1u);
}

TEST_F(Dis1File, ReadFillsOnlyHeaderAndCurve) {
    const std::string path = dir.file("elsewhere.DIS1");
    writeBytes(path, readBytes(testData("golden.DIS1")));
    Analysis r;
    r.Clear();
    r.Time = {9, 8};
    r.Smoothness = 0.5;
    r.Signal[0].resize(7);
    r.SweepEref[0] = {1};
    r.FilenameDIS1 = path;
    const Status s = r.ReadDIS1();
    ASSERT_TRUE(s) << s.describe();
    EXPECT_EQ(r.FilenameDIS0, "/lab/dis/run7.DIS0");
    EXPECT_EQ(r.FilenameDIS1, "/lab/dis/run7.DIS1");
    EXPECT_EQ(FilenameOriginal, "/lab/raw/run7.txt");
    EXPECT_EQ(r.Material, "pentacene");
    EXPECT_EQ(r.NumberOfData, 4);
    EXPECT_EQ(r.NumberOfInterpolatedData, 3);
    EXPECT_EQ(r.InterpolatedTime.length(), 3);
    EXPECT_EQ(r.InterpolatedTime[1], 0.00100231);
    EXPECT_EQ(r.InterpolatedCurrent[0], 3.45678e-09);
    EXPECT_EQ(r.CurrentAtEnd, r.InterpolatedCurrent[2]);
    EXPECT_EQ(r.Time, (Sequence{9, 8}));
    EXPECT_EQ(r.Smoothness, 0.5);
    EXPECT_EQ(r.Signal[0].length(), 7);
    EXPECT_EQ(r.SweepEref[0].size(), 1u);
}

TEST_F(Dis1File, ExtraLinesAreIgnored) {
    const std::string path = dir.file("extra.DIS1");
    writeBytes(path, replaceAll(readBytes(testData("golden.DIS1")), "% Number of interpolated data: 3",
                                "% Number of interpolated data: 2"));
    Analysis r;
    r.Clear();
    r.FilenameDIS1 = path;
    ASSERT_TRUE(r.ReadDIS1());
    EXPECT_EQ(r.NumberOfInterpolatedData, 2);
    EXPECT_EQ(r.CurrentAtEnd, 3.4e-09);
}

TEST_F(Dis1File, RejectsBrokenFilesAndChangesNothing) {
    const struct {
        const char *from, *to, *message;
    } cases[] = {
        {"% Number of interpolated data: 3", "% Number of interpolated data: 0",
         "the number of interpolated data is 0; at least 1 is needed"},
        {"% Number of interpolated data: 3", "% Number of interpolated data: -3",
         "the number of interpolated data is -3; at least 1 is needed"},
        {"% Number of interpolated data: 3", "% Number of interpolated data: 2147483647",
         "the file ends after 3 of its 2147483647 interpolated points"},
        {"0.00102329     3.3e-09", "0.00102329", "the file ends after 2 of its 3 interpolated points"},
        {"3.4e-09", "1e400", "line 24: '1e400' is not a valid floating point value"},
        {"[mm^2]: 0.785", "[mm^2]: inf", "line 12: 'inf' is not a valid floating point value"},
        {"% Number of interpolated data: 3", "% Number of interpolated data: 3.0",
         "line 21: '3.0' is not a valid integer value"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.to);
        const std::string path = dir.file("bad.DIS1");
        writeBytes(path, replaceAll(readBytes(testData("golden.DIS1")), c.from, c.to));
        FilenameOriginal = "kept";
        Analysis r = record();
        r.FilenameDIS1 = path;
        const Status s = r.ReadDIS1();
        EXPECT_FALSE(s);
        EXPECT_EQ(s.message, c.message);
        EXPECT_EQ(FilenameOriginal, "kept");
        EXPECT_EQ(r.FilenameDIS1, path);
        EXPECT_EQ(r.Area, 0.785);
        EXPECT_EQ(r.InterpolatedCurrent[0], 3.456781e-9);
        EXPECT_EQ(r.NumberOfInterpolatedData, 3);
    }
}

TEST_F(Dis1File, RefusesToWriteACurveItDoesNotHave) {
    Analysis r = record();
    r.Clear();  // keeps NumberOfInterpolatedData 3 with arrays of length 1
    r.FilenameDIS1 = dir.file("none.DIS1");
    const Status s = r.WriteDIS1();
    EXPECT_FALSE(s);
    EXPECT_EQ(dir.entries(), 0u);
}

}  // namespace
