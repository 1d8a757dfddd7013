// Malformed and hostile inputs of every kind the batch tool reads: each one gives exit 1,
// one clear message naming the file, and no output file.
#include "../engine/hostile_files.h"
#include "kest_batch_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

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
