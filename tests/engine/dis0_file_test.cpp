#include "engine/analysis.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr const char *kStoredPath = "/lab/dis/run7.DIS0";

// The record that tests/data/golden.DIS0 holds.
Analysis goldenRecord() {
    Analysis r = goldenSample();
    r.Time = {0.001, 0.002, 0.003, 1000};
    r.Current = {1.234567891e-12, 2.5e-9, 1.9e-9, 3e-15};
    r.Reliability = {1, 0.5, 0, 1};
    return r;
}

class Dis0File : public ::testing::Test {
protected:
    void SetUp() override { FilenameOriginal = "/lab/raw/run7.txt"; }
    TempDir dir;
};

TEST_F(Dis0File, WritesTheGoldenFileByteForByte) {
    Analysis r = goldenRecord();
    r.FilenameDIS0 = dir.file("out.DIS0");
    ASSERT_TRUE(r.WriteDIS0());
    EXPECT_EQ(readBytes(r.FilenameDIS0), replaceAll(readBytes(testData("golden.DIS0")), kStoredPath, r.FilenameDIS0));
    EXPECT_EQ(dir.entries(), 1u) << "no temporary file may stay behind";
}

TEST_F(Dis0File, EmptyRecordWritesTwentyHeaderLinesAndEmptyComment) {
    Analysis r;
    r.Clear();
    r.FilenameDIS0 = dir.file("empty.DIS0");
    ASSERT_TRUE(r.WriteDIS0());
    const std::string bytes = readBytes(r.FilenameDIS0);
    std::size_t lines = 0;
    for (std::size_t p = 0; (p = bytes.find("\r\n", p)) != std::string::npos; p += 2)
        ++lines;
    EXPECT_EQ(lines, 20u);
    EXPECT_NE(bytes.find("\r\n% \r\n% Number of data: 0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("% Measurement temperature [K]: 293\r\n"), std::string::npos);
}

TEST_F(Dis0File, ReadRestoresTheRecordAndTakesPathsFromTheFile) {
    const std::string path = dir.file("moved.DIS0");
    writeBytes(path, readBytes(testData("golden.DIS0")));
    FilenameOriginal = "before";
    Analysis r;
    r.Clear();
    r.FilenameDIS0 = path;
    ASSERT_TRUE(r.ReadDIS0()) << r.ReadDIS0().describe();

    Analysis expected = goldenRecord();
    expected.FilenameDIS0 = kStoredPath;
    expected.Current[0] = 1.23457e-12;  // six significant digits survive
    EXPECT_EQ(r.FilenameDIS0, kStoredPath);
    EXPECT_EQ(FilenameOriginal, "/lab/raw/run7.txt");
    EXPECT_EQ(r.Comment, expected.Comment);
    EXPECT_EQ(r.Temperature, 293.15);
    EXPECT_EQ(r.DischargeVoltage, -0.5);
    EXPECT_EQ(r.NumberOfData, 4);
    EXPECT_EQ(r.IndexOfBeginning, 1);
    EXPECT_EQ(r.IndexOfEnding, 3);
    EXPECT_EQ(r.Time, expected.Time);
    EXPECT_EQ(r.Current, expected.Current);
    EXPECT_EQ(r.Reliability, expected.Reliability);

    // Written again, the file is the same bytes.
    r.FilenameDIS0 = dir.file("again.DIS0");
    ASSERT_TRUE(r.WriteDIS0());
    EXPECT_EQ(readBytes(r.FilenameDIS0), replaceAll(readBytes(testData("golden.DIS0")), kStoredPath, r.FilenameDIS0));
}

struct ReadCase {
    const char *name;
    std::string (*mutate)(std::string);
    int count;
    double lastTime;
    const char *comment;
};

TEST_F(Dis0File, ReadsTheVariantsItMustAccept) {
    const ReadCase cases[] = {
        {"LF line ends", [](std::string s) { return replaceAll(s, "\r\n", "\n"); }, 4, 1000, "note: a, b  c"},
        {"0x1A ends the file",
         [](std::string s) { return s + "\x1A" + "garbage that is not read"; }, 4, 1000, "note: a, b  c"},
        {"data spread over lines",
         [](std::string s) { return replaceAll(s, "0.002     2.5e-09     0.5", "0.002\r\n2.5e-09\t\t0.5"); }, 4, 1000,
         "note: a, b  c"},
        {"extra data ignored", [](std::string s) { return s + "5 5 5\r\n6 6 6\r\nnot numbers\r\n"; }, 4, 1000,
         "note: a, b  c"},
        {"count smaller than the lines",
         [](std::string s) {
             s = replaceAll(s, "% Number of data: 4", "% Number of data: 3");
             return replaceAll(s, "% Index of ending data: 3", "% Index of ending data: 2");
         },
         3, 0.003, "note: a, b  c"},
        {"misspelt key of the right length",
         [](std::string s) { return replaceAll(s, "% Name of measurement: ", "% NAME OF MEASUREMENT: "); }, 4, 1000,
         "note: a, b  c"},
        {"empty comment line", [](std::string s) { return replaceAll(s, "% note: a, b  c", "% "); }, 4, 1000, ""},
        {"comment line without its blank", [](std::string s) { return replaceAll(s, "% note: a, b  c", "%"); }, 4,
         1000, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("case.DIS0");
        writeBytes(path, c.mutate(readBytes(testData("golden.DIS0"))));
        Analysis r;
        r.Clear();
        r.FilenameDIS0 = path;
        const Status s = r.ReadDIS0();
        ASSERT_TRUE(s) << s.describe();
        EXPECT_EQ(r.NumberOfData, c.count);
        ASSERT_EQ(r.Time.size(), static_cast<std::size_t>(c.count));
        EXPECT_EQ(r.Time.back(), c.lastTime);
        EXPECT_EQ(r.Comment, c.comment);
        EXPECT_EQ(r.NameOfMeasurement, "K. Sato");
    }
}

TEST_F(Dis0File, KeyOneCharacterShorterLosesTheFirstCharacterOfTheValue) {
    const std::string path = dir.file("short.DIS0");
    writeBytes(path, replaceAll(readBytes(testData("golden.DIS0")), "% Material: ", "% Materia: "));
    Analysis r;
    r.Clear();
    r.FilenameDIS0 = path;
    ASSERT_TRUE(r.ReadDIS0());
    EXPECT_EQ(r.Material, "entacene");
}

struct RejectCase {
    const char *name;
    std::string (*mutate)(std::string);
    const char *message;
};

TEST_F(Dis0File, RejectsBrokenFilesAndChangesNothing) {
    const RejectCase cases[] = {
        {"data cut short", [](std::string s) { return s.substr(0, s.find("1000     3e-15")); },
         "the file ends after 3 of its 4 data points"},
        {"header cut short", [](std::string s) { return s.substr(0, s.find("% Number of data")); },
         "line 17: the file ends inside its header"},
        {"empty file", [](std::string) { return std::string(); }, "line 1: the file ends inside its header"},
        {"real that does not convert",
         [](std::string s) { return replaceAll(s, "[K]: 293.15", "[K]: warm"); },
         "line 10: 'warm' is not a valid floating point value"},
        {"empty real", [](std::string s) { return replaceAll(s, "[K]: 293.15", "[K]: "); },
         "line 10: '' is not a valid floating point value"},
        {"integer that does not convert",
         [](std::string s) { return replaceAll(s, "% Number of data: 4", "% Number of data: four"); },
         "line 17: 'four' is not a valid integer value"},
        {"negative count", [](std::string s) { return replaceAll(s, "% Number of data: 4", "% Number of data: -4"); },
         "the number of data is negative (-4)"},
        {"huge count with three lines",
         [](std::string s) {
             return replaceAll(s, "% Number of data: 4", "% Number of data: 2147483647");
         },
         "the file ends after 4 of its 2147483647 data points"},
        {"data token not a number", [](std::string s) { return replaceAll(s, "2.5e-09", "2.5e-09x"); },
         "line 22: '2.5e-09x' is not a valid floating point value"},
        {"nan in the data", [](std::string s) { return replaceAll(s, "2.5e-09", "nan"); },
         "line 22: 'nan' is not a valid floating point value"},
        {"range reversed",
         [](std::string s) { return replaceAll(s, "% Index of beginning data: 1", "% Index of beginning data: 3"); },
         "the analysed range 3 to 3 does not lie inside the 4 data points (0 <= beginning < ending <= 3)"},
        {"range beyond the data",
         [](std::string s) { return replaceAll(s, "% Index of ending data: 3", "% Index of ending data: 4"); },
         "the analysed range 1 to 4 does not lie inside the 4 data points (0 <= beginning < ending <= 3)"},
        {"negative beginning",
         [](std::string s) { return replaceAll(s, "% Index of beginning data: 1", "% Index of beginning data: -1"); },
         "the analysed range -1 to 3 does not lie inside the 4 data points (0 <= beginning < ending <= 3)"},
        {"CR-only line ends", [](std::string s) { return replaceAll(s, "\r\n", "\r"); },
         "line 2: the file ends inside its header"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file("bad.DIS0");
        writeBytes(path, c.mutate(readBytes(testData("golden.DIS0"))));
        FilenameOriginal = "kept";
        Analysis r = goldenRecord();
        r.Time.push_back(5);
        r.FilenameDIS0 = path;
        const Analysis before = r;
        const Status s = r.ReadDIS0();
        EXPECT_FALSE(s);
        EXPECT_EQ(s.path, path);
        EXPECT_EQ(s.message, c.message);
        EXPECT_EQ(FilenameOriginal, "kept");
        EXPECT_EQ(r.Time, before.Time);
        EXPECT_EQ(r.Material, before.Material);
        EXPECT_EQ(r.Temperature, before.Temperature);
        EXPECT_EQ(r.NumberOfData, before.NumberOfData);
        EXPECT_EQ(r.FilenameDIS0, path);
    }
}

TEST_F(Dis0File, ReportsFilesThatCannotBeRead) {
    Analysis r;
    r.Clear();
    r.FilenameDIS0 = dir.file("missing.DIS0");
    Status s = r.ReadDIS0();
    EXPECT_FALSE(s);
    EXPECT_EQ(s.message, "cannot open the file: No such file or directory");

    r.FilenameDIS0 = dir.path().string();
    s = r.ReadDIS0();
    EXPECT_FALSE(s);
    EXPECT_EQ(s.message, "is a directory, not a file");
}

TEST_F(Dis0File, FailedWriteLeavesTheTargetUntouched) {
    const std::string path = dir.file("keep.DIS0");
    writeBytes(path, "precious");
    Analysis r = goldenRecord();
    r.NumberOfData = 10;  // more than the record holds
    r.FilenameDIS0 = path;
    Status s = r.WriteDIS0();
    EXPECT_FALSE(s);
    EXPECT_EQ(readBytes(path), "precious");

    r = goldenRecord();
    r.FilenameDIS0 = dir.file("no/such/folder/x.DIS0");
    s = r.WriteDIS0();
    EXPECT_FALSE(s);
    EXPECT_EQ(s.path, r.FilenameDIS0);
    EXPECT_EQ(s.message, "cannot create the file: No such file or directory");
    EXPECT_EQ(dir.entries(), 1u);
}

}  // namespace
