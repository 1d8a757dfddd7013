// kest-batch run as a user runs it: exit codes, messages and the files it leaves.
#include "kest_batch_support.h"

#include <gtest/gtest.h>

namespace {

TEST(KestBatch, VersionHelpAndUsageErrors) {
    TempDir dir;
    Outcome r = kestBatch({"--version"}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "kest-batch Version 1.00 (2007/1/23)\n");
    r = kestBatch({"--help"}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("usage: kest-batch"), std::string::npos);

    const std::vector<std::vector<std::string>> misuse = {
        {},
        {"frobnicate"},
        {"import", "raw.txt", "-o", dir.file("x.DIS0")},
        {"import", "raw.txt", "--columns", "1,2"},
        {"import", "raw.txt", "--columns", "0,2", "-o", dir.file("x.DIS0")},
        {"import", "raw.txt", "--columns", "1;2", "-o", dir.file("x.DIS0")},
        {"import", "raw.txt", "--columns", "1,2", "--set", "Colour=red", "-o", dir.file("x.DIS0")},
        {"import", "raw.txt", "--columns", "1,2", "--set", "Area=big", "-o", dir.file("x.DIS0")},
        {"import", "raw.txt", "--columns", "1,2", "--bogus", "-o", dir.file("x.DIS0")},
    };
    for (const auto &args : misuse) {
        r = kestBatch(args, dir);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: kest-batch"), std::string::npos);
    }
    EXPECT_EQ(dir.entries(), 0u);
}

TEST(KestBatch, ImportWritesTheMeasurementWithOverrides) {
    TempDir dir;
    const std::string raw = dir.file("raw.txt");
    writeBytes(raw, "0 0.001 ch0 -2.5e-9\r\n1,0.002,ch1,-1.9e-9\r\n2\t0.003\tch2\t-1.2e-9\r\n");
    const std::string out = dir.file("x.DIS0");
    Outcome r = kestBatch({"import", raw, "--columns", "2,4", "--set", "Temperature=77.35", "--set",
                       "Comment=note: a, b  c", "--set", "NameOfMeasurement=K. Sato", "-o", out},
                      dir);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected =
        "% Data of Discharge Current\r\n"
        "% Original file: " + raw + "\r\n"
        "% DIS0 file: " + out + "\r\n"
        "% Name of measurement: K. Sato\r\n"
        "% Date of measurement: \r\n"
        "% Name of analysis: \r\n"
        "% Date of Analysis: \r\n"
        "% Sample number: \r\n"
        "% Material: \r\n"
        "% Measurement temperature [K]: 77.35\r\n"
        "% Junction area [mm^2]: 1\r\n"
        "% Sample thickness [nm]: 100\r\n"
        "% Charge voltage [V]: 5\r\n"
        "% Charging time [s]: 600\r\n"
        "% Discharge voltage [V]: 0\r\n"
        "% note: a, b  c\r\n"
        "% Number of data: 3\r\n"
        "% Index of beginning data: 0\r\n"
        "% Index of ending data: 2\r\n"
        "% Time [s]   Current [A]   Reliability   \r\n"
        "0.001     2.5e-09     1\r\n"
        "0.002     1.9e-09     1\r\n"
        "0.003     1.2e-09     1\r\n";
    EXPECT_EQ(readBytes(out), expected);
}

TEST(KestBatch, InputErrorsExitOneWithMessageAndNoOutput) {
    TempDir dir;
    const std::string comment = dir.file("comment.txt");
    writeBytes(comment, "Time Current\n0.001 2.5e-9\n");
    const std::string binary = dir.file("binary.bin");
    writeBytes(binary, std::string("\x00\x01\x02\xff\xfe", 5));
    const std::string out = dir.file("x.DIS0");
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {comment, {"import", comment, "--columns", "1,2", "-o", out}},
        {binary, {"import", binary, "--columns", "1,2", "-o", out}},
        {dir.file("missing.txt"), {"import", dir.file("missing.txt"), "--columns", "1,2", "-o", out}},
        {dir.path().string(), {"import", dir.path().string(), "--columns", "1,2", "-o", out}},
        {comment, {"import", comment, "--columns", "1,2", "-o", comment}},
    };
    for (const auto &[path, args] : cases) {
        const std::string before = readBytes(comment);
        const Outcome r = kestBatch(args, dir);
        EXPECT_EQ(r.status, 1) << path;
        EXPECT_EQ(r.err.rfind("kest-batch: " + path + ": ", 0), 0u) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out));
        EXPECT_EQ(readBytes(comment), before);
        EXPECT_EQ(dir.entries(), 2u);
    }
}

}  // namespace
