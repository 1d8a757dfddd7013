#include "engine/text_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(TextLines, SplitsAtLfAndCrLf) {
    const TextLines lines("a\r\nb\nc\r\n");
    ASSERT_EQ(lines.count(), 3u);
    EXPECT_EQ(lines.line(0), "a");
    EXPECT_EQ(lines.line(1), "b");
    EXPECT_EQ(lines.line(2), "c");
    EXPECT_EQ(lines.restFrom(1), "b\nc\r\n");
    EXPECT_EQ(TextLines("x").count(), 1u);
    EXPECT_EQ(TextLines("").count(), 0u);
}

TEST(TextFile, ReadsLongLinesAndEndOfFileByteEndsTheText) {
    TempDir dir;
    const std::string path = dir.file("f.txt");
    const std::string longLine(10'000'000, '7');
    writeBytes(path, longLine + "\r\nrest\x1A" + "after");
    std::string text;
    ASSERT_TRUE(readTextFile(path, text));
    EXPECT_EQ(text.size(), longLine.size() + 12);
    EXPECT_EQ(TextLines(untilEndOfFileByte(text)).line(1), "rest");
}

TEST(TextFile, AtomicWriteReplacesKeepsModeAndNeverTruncates) {
    TempDir dir;
    const std::string path = dir.file("out.txt");
    writeBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, "new content"));
    EXPECT_EQ(readBytes(path), "new content");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.entries(), 1u);

    if (::geteuid() != 0) {  // root writes into read-only folders anyway
        ::chmod(dir.path().c_str(), 0555);
        const Status s = writeFileAtomically(path, "lost");
        ::chmod(dir.path().c_str(), 0755);
        EXPECT_FALSE(s);
        EXPECT_EQ(readBytes(path), "new content");
    }
    const Status s = writeFileAtomically(dir.path().string(), "x");
    EXPECT_FALSE(s);
    EXPECT_EQ(s.message, "is a directory, not a file");
}

}  // namespace
