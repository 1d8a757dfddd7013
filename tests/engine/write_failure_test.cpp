// Every writer, when the disk is full, the file system is read-only or the folder cannot be
// written: the failure is reported with the path, the existing file keeps its content and
// no temporary file stays behind.
#include "engine/analysis.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Writer {
    const char *name;
    std::string Analysis::*path;
    Status (Analysis::*write)() const;
};

const Writer kWriters[] = {
    {"DIS0", &Analysis::FilenameDIS0, &Analysis::WriteDIS0},    {"DIS1", &Analysis::FilenameDIS1, &Analysis::WriteDIS1},
    {"KEST0", &Analysis::FilenameKEST0, &Analysis::WriteKEST0}, {"KEST1", &Analysis::FilenameKEST1, &Analysis::WriteKEST1},
    {"ErefP", &Analysis::FilenameErefP, &Analysis::WriteErefP}, {"ErefN", &Analysis::FilenameErefN, &Analysis::WriteErefN},
    {"Eref", &Analysis::FilenameEref, &Analysis::WriteEref},
};

// A record with enough in every array that each file is several kilobytes long.
Analysis fullRecord() {
    Analysis r;
    r.Clear();
    const int n = 500, m = 2000;
    r.NumberOfData = n;
    r.IndexOfEnding = n - 1;
    for (int i = 0; i < n; ++i) {
        r.Time.push_back(0.001 * (i + 1));
        r.Current.push_back(1e-9 / (i + 1));
        r.Reliability.push_back(1);
    }
    r.NumberOfInterpolatedData = m;
    r.InterpolatedTime.resize(m);
    r.InterpolatedCurrent.resize(m);
    for (int a = 0; a < 2; ++a) {
        r.Signal[a].resize(m);
        for (int p = 0; p < 2; ++p)
            r.SignalOfTrap[a][p].resize(m);
    }
    for (int g = 0; g < m; ++g) {
        r.InterpolatedTime[g] = 0.001 * (g + 1);
        r.InterpolatedCurrent[g] = 1e-9 / (g + 1);
    }
    for (int mode = 0; mode < 3; ++mode)
        for (int k = 0; k < 300; ++k) {
            r.SweepEref[mode].push_back(0.001 * (k + 1));
            r.SweepEmissionRate[mode].push_back(0.5);
            r.SweepDensity[mode].push_back(1e12);
        }
    return r;
}

void expectWriteFailsAndKeepsFile(const Writer &w, const std::string &folder, const std::string &previous) {
    SCOPED_TRACE(w.name);
    Analysis r = fullRecord();
    r.*w.path = folder + "/result." + w.name;
    const Status s = (r.*w.write)();
    EXPECT_FALSE(s);
    EXPECT_EQ(s.path, r.*w.path);
    EXPECT_FALSE(s.message.empty());
    EXPECT_EQ(readBytes(r.*w.path), previous);
    std::size_t entries = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        entries += entry.path().filename().string().find(".tmp-") == std::string::npos ? 1 : 100;
    EXPECT_LT(entries, 100u) << "a temporary file stayed behind";
}

void placePreviousFiles(const std::string &folder, const std::string &previous) {
    for (const Writer &w : kWriters)
        writeBytes(folder + "/result." + w.name, previous);
}

TEST(WriteFailure, FileSizeLimitReached) {
    TempDir dir;
    const std::string previous = "previous results\r\n";
    placePreviousFiles(dir.path().string(), previous);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto *oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    for (const Writer &w : kWriters)
        expectWriteFailsAndKeepsFile(w, dir.path().string(), previous);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
}

// A small file system of its own that fills up, then goes read-only: needs the right to
// mount, which a test run as root usually has.
class SmallFileSystem : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0 || ::mount("kest-test", dir.path().c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small file system here";
        mounted = true;
    }
    void TearDown() override {
        if (mounted)
            ::umount2(dir.path().c_str(), MNT_DETACH);
    }
    TempDir dir;
    bool mounted = false;
};

TEST_F(SmallFileSystem, DiskFull) {
    const std::string previous = "previous results\r\n";
    placePreviousFiles(dir.path().string(), previous);
    // Fill what is left.
    {
        std::ofstream filler(dir.file("filler"), std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
            filler.flush();
    }
    for (const Writer &w : kWriters)
        expectWriteFailsAndKeepsFile(w, dir.path().string(), previous);
}

TEST_F(SmallFileSystem, ReadOnly) {
    const std::string previous = "previous results\r\n";
    placePreviousFiles(dir.path().string(), previous);
    ASSERT_EQ(::mount("kest-test", dir.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    for (const Writer &w : kWriters)
        expectWriteFailsAndKeepsFile(w, dir.path().string(), previous);
}

TEST(WriteFailure, FolderThatCannotBeWritten) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; the read-only file system test covers this";
    TempDir dir;
    const std::string previous = "previous results\r\n";
    placePreviousFiles(dir.path().string(), previous);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    for (const Writer &w : kWriters)
        expectWriteFailsAndKeepsFile(w, dir.path().string(), previous);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
}

}  // namespace
