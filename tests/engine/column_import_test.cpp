#include "engine/analysis.h"
#include "engine/column_import.h"

#include <gtest/gtest.h>

namespace {

struct ImportCase {
    const char *name;
    const char *text;
    int timeColumn, currentColumn;
    std::vector<double> time, current;
};

TEST(ColumnImport, FillsTheRecordLikeTheImportWindow) {
    const ImportCase cases[] = {
        {"one blank", "0.001 2.5e-9\n0.002 1.9e-9\n0.003 1.2e-9\n", 1, 2, {0.001, 0.002, 0.003},
         {2.5e-9, 1.9e-9, 1.2e-9}},
        {"comma", "0.001,2.5e-9\n0.002,1.9e-9\n0.003,1.2e-9", 1, 2, {0.001, 0.002, 0.003}, {2.5e-9, 1.9e-9, 1.2e-9}},
        {"tab and CR LF", "0.001\t2.5e-9\r\n0.002\t1.9e-9\r\n0.003\t1.2e-9\r\n", 1, 2, {0.001, 0.002, 0.003},
         {2.5e-9, 1.9e-9, 1.2e-9}},
        {"two commas and leading blanks", "  0.001,,2.5e-9\n\t0.002,,1.9e-9\n 0.003 ,, 1.2e-9\n", 1, 2,
         {0.001, 0.002, 0.003}, {2.5e-9, 1.9e-9, 1.2e-9}},
        {"negative currents made positive", "0.001 -2.5e-9\n0.002 -1.9e-9\n0.003 -1.2e-9\n", 1, 2,
         {0.001, 0.002, 0.003}, {2.5e-9, 1.9e-9, 1.2e-9}},
        {"sign change ends the data", "0.001 2.5e-9\n0.002 1.9e-9\n0.003 -0.1e-9\n0.004 1.0e-9\n", 1, 2,
         {0.001, 0.002}, {2.5e-9, 1.9e-9}},
        {"zero ends the data", "1 -5\n2 -4\n3 0\n4 -3\n", 1, 2, {1, 2}, {5, 4}},
        {"columns 2 and 4 with text fields", "0 0.001 ch0 -1.9e-09 20\n1\t0.002\tch1\t-1.8e-09\t20.01\r\n", 2, 4,
         {0.001, 0.002}, {1.9e-9, 1.8e-9}},
        {"time equal to current column", "5 1e-3\n6 2e-3\n", 2, 2, {1e-3, 2e-3}, {1e-3, 2e-3}},
        {"CR-only line ends", "0.001 2.5e-9\r0.002 1.9e-9\r", 1, 2, {0.001, 0.002}, {2.5e-9, 1.9e-9}},
        {"empty line between data", "0.001 2.5e-9\n\n0.002 1.9e-9\n", 1, 2, {0.001, 0.002}, {2.5e-9, 1.9e-9}},
        {"short line pairs only complete values", "0.001 2.5e-9\n0.002 1.9e-9\n0.003\n", 1, 2, {0.001, 0.002},
         {2.5e-9, 1.9e-9}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Analysis r;
        r.Clear();
        const Status s = r.ImportText(c.text, c.timeColumn, c.currentColumn);
        ASSERT_TRUE(s) << s.message;
        const auto n = static_cast<int>(c.time.size());
        EXPECT_EQ(r.NumberOfData, n);
        EXPECT_EQ(r.IndexOfBeginning, 0);
        EXPECT_EQ(r.IndexOfEnding, n - 1);
        EXPECT_EQ(std::vector<double>(r.Time.begin(), r.Time.begin() + n), c.time);
        EXPECT_EQ(std::vector<double>(r.Current.begin(), r.Current.begin() + n), c.current);
        EXPECT_EQ(r.Reliability, std::vector<double>(c.time.size(), 1.0));
        EXPECT_EQ(r.Temperature, 293.0);
    }
}

TEST(ColumnImport, RefusesTextsWithoutTwoUsablePointsAndChangesNothing) {
    const struct {
        const char *name, *text;
        int timeColumn, currentColumn;
    } cases[] = {
        {"comment first", "Time Current\n0.001 2.5e-9\n0.002 1.9e-9\n", 1, 2},
        {"no text", "", 1, 2},
        {"one point", "0.001 2.5e-9\n", 1, 2},
        {"no time column", "0.001 2.5e-9\n0.002 1.9e-9\n", 0, 2},
        {"no current column", "0.001 2.5e-9\n0.002 1.9e-9\n", 1, 0},
        {"current column missing", "0.001 2.5e-9\n0.002 1.9e-9\n", 1, 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Analysis r;
        r.Clear();
        r.Material = "kept";
        r.Time = {1, 2};
        r.NumberOfData = 2;
        const Status s = r.ImportText(c.text, c.timeColumn, c.currentColumn);
        EXPECT_FALSE(s);
        EXPECT_FALSE(s.message.empty());
        EXPECT_EQ(r.Material, "kept");
        EXPECT_EQ(r.Time, (Sequence{1, 2}));
        EXPECT_EQ(r.NumberOfData, 2);
    }
}

TEST(ColumnImport, OnlyTheFirstNineFieldsCanBeChosenAndNumberingSkipsEmptyFields) {
    const auto columns = splitColumns("1,,2,,,3 4\t5  6,7,8,9,10\n", 9, 3);
    EXPECT_EQ(columns.time, (std::vector<double>{9}));
    EXPECT_EQ(columns.current, (std::vector<double>{3}));
}

}  // namespace
