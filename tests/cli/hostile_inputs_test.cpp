// Malformed and hostile inputs of every kind the batch tool reads: each one gives exit 1,
// one clear message naming the file, and no output file.
#include "kest_batch_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Hostile {
    const char *name;
    std::string (*make)(const std::string &golden);
    const char *expected;  // a fragment of the message
};

std::string binaryGarbage(const std::string &) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919) % 256);
    return bytes;
}

const Hostile kDis0[] = {
    {"empty file", [](const std::string &) { return std::string(); }, "ends inside its header"},
    {"binary garbage", binaryGarbage, "ends inside its header"},
    {"a 10 MB line", [](const std::string &g) { return std::string(10'000'000, 'x') + "\r\n" + g; },
     "is not a valid floating point value"},
    {"count 2^31-1 with three data lines",
     [](const std::string &g) { return replaceAll(g, "% Number of data: 4", "% Number of data: 2147483647"); },
     "the file ends after 4 of its 2147483647 data points"},
    {"negative count", [](const std::string &g) { return replaceAll(g, "% Number of data: 4", "% Number of data: -1"); },
     "negative"},
    {"non-numeric count",
     [](const std::string &g) { return replaceAll(g, "% Number of data: 4", "% Number of data: many"); },
     "'many' is not a valid integer value"},
    {"NaN in the header", [](const std::string &g) { return replaceAll(g, "[mm^2]: 0.785", "[mm^2]: NaN"); },
     "'NaN' is not a valid floating point value"},
    {"inf in the header", [](const std::string &g) { return replaceAll(g, "[mm^2]: 0.785", "[mm^2]: inf"); },
     "'inf' is not a valid floating point value"},
    {"1e400 in the header", [](const std::string &g) { return replaceAll(g, "[mm^2]: 0.785", "[mm^2]: 1e400"); },
     "'1e400' is not a valid floating point value"},
    {"NaN in the data", [](const std::string &g) { return replaceAll(g, "2.5e-09", "nan"); },
     "'nan' is not a valid floating point value"},
    {"1e400 in the data", [](const std::string &g) { return replaceAll(g, "2.5e-09", "1e400"); },
     "'1e400' is not a valid floating point value"},
    {"times out of order", [](const std::string &g) { return replaceAll(g, "\r\n0.003 ", "\r\n0.0015 "); },
     "ascend"},
    {"zero current in the range", [](const std::string &g) { return replaceAll(g, "1.9e-09", "0"); }, "current"},
    {"negative current in the range", [](const std::string &g) { return replaceAll(g, "1.9e-09", "-1.9e-09"); },
     "current"},
    {"CR-only line ends", [](const std::string &g) { return replaceAll(g, "\r\n", "\r"); }, "ends inside its header"},
};

const Hostile kDis1[] = {
    {"empty file", [](const std::string &) { return std::string(); }, "ends inside its header"},
    {"binary garbage", binaryGarbage, "ends inside its header"},
    {"count 2^31-1 with three data lines",
     [](const std::string &g) {
         return replaceAll(g, "% Number of interpolated data: 3", "% Number of interpolated data: 2147483647");
     },
     "the file ends after 3 of its 2147483647 interpolated points"},
    {"negative count",
     [](const std::string &g) { return replaceAll(g, "% Number of interpolated data: 3", "% Number of interpolated data: -5"); },
     "-5"},
    {"zero count",
     [](const std::string &g) { return replaceAll(g, "% Number of interpolated data: 3", "% Number of interpolated data: 0"); },
     "at least 1"},
    {"non-numeric count",
     [](const std::string &g) { return replaceAll(g, "% Number of interpolated data: 3", "% Number of interpolated data: x"); },
     "'x' is not a valid integer value"},
    {"inf in the data", [](const std::string &g) { return replaceAll(g, "3.4e-09", "-inf"); },
     "'-inf' is not a valid floating point value"},
    {"CR-only line ends", [](const std::string &g) { return replaceAll(g, "\r\n", "\r"); }, "ends inside its header"},
};

const Hostile kColumns[] = {
    {"empty file", [](const std::string &) { return std::string(); }, "usable points"},
    {"binary garbage", binaryGarbage, "usable points"},
    {"a 10 MB line", [](const std::string &) { return std::string(10'000'000, '9') + "x 1e-9\n"; }, "usable points"},
    {"comment first", [](const std::string &) { return std::string("Time Current\n1 2\n3 4\n"); }, "usable points"},
};

void expectRejected(const Hostile &c, const std::string &golden, const std::string &extension,
                    const std::vector<std::string> &command) {
    SCOPED_TRACE(std::string(c.name) + " as " + extension);
    TempDir dir;
    const std::string input = dir.file("input" + extension);
    writeBytes(input, c.make(golden));
    std::vector<std::string> args;
    for (const std::string &a : command)
        args.push_back(a == "IN" ? input : a == "OUT" ? dir.file("out") : a);
    const Outcome r = kestBatch(args, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("kest-batch: " + input + ": ", 0), 0u) << r.err.substr(0, 300);
    EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err.substr(0, 300);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one message";
    EXPECT_EQ(dir.entries(), 1u) << "only the input may be there";
}

TEST(HostileInputs, MeasuredDataFiles) {
    const std::string golden = readBytes(testData("golden.DIS0"));
    for (const Hostile &c : kDis0)
        expectRejected(c, golden, ".DIS0", {"smooth", "IN", "-o", "OUT"});
}

TEST(HostileInputs, InterpolatedDataFiles) {
    const std::string golden = readBytes(testData("golden.DIS1"));
    for (const Hostile &c : kDis1) {
        expectRejected(c, golden, ".DIS1", {"sweep", "IN", "-o", "OUT"});
        expectRejected(c, golden, ".DIS1", {"signal", "IN", "--eref", "0", "-o", "OUT"});
    }
}

TEST(HostileInputs, ColumnFiles) {
    for (const Hostile &c : kColumns)
        expectRejected(c, "", ".txt", {"import", "IN", "--columns", "1,2", "-o", "OUT"});
}

TEST(HostileInputs, PathsThatAreNotReadableFiles) {
    TempDir dir;
    const std::string folder = dir.file("folder.DIS0");
    std::filesystem::create_directory(folder);
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"smooth", folder, "-o", dir.file("x.DIS1")},
          {"sweep", folder, "-o", dir.file("x")},
          {"import", folder, "--columns", "1,2", "-o", dir.file("x.DIS0")}}) {
        const Outcome r = kestBatch(args, dir);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "kest-batch: " + folder + ": is a directory, not a file\n");
    }
    if (::geteuid() != 0) {  // root reads files without read permission
        const std::string locked = dir.file("locked.DIS0");
        writeBytes(locked, readBytes(testData("golden.DIS0")));
        ::chmod(locked.c_str(), 0);
        const Outcome r = kestBatch({"smooth", locked, "-o", dir.file("x.DIS1")}, dir);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "kest-batch: " + locked + ": cannot open the file: Permission denied\n");
    }
    EXPECT_EQ(dir.entries(), std::size_t(::geteuid() != 0 ? 2 : 1));
}

}  // namespace
