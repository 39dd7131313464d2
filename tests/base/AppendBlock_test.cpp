// A block appended all or nothing: a size limit hit part-way leaves an existing file as it was
// and no file where there was none; a writer killed part-way leaves a block that the next append,
// or the next look at the folder, takes out again.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ScopedTempFolder.h"
#include "platform/base/FileSystem.h"
#include "platform/base/InterruptedWrites.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The append in a child whose files may not grow past limit bytes; its result comes back as the
// exit code.
int AppendUnderSizeLimit(const std::string& path, const std::string& block, rlim_t limit) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        _exit(kq::AppendBlock(path, block.data(), block.size()) & 0xFF);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AppendBlock, CreatesThenAppendsWholeBlocks) {
    kq::test::ScopedTempFolder folder;
    const std::string path = folder / "values.csv";
    EXPECT_EQ(kq::AppendBlock(path, "head\n", 5), 0);
    EXPECT_EQ(kq::AppendBlock(path, "rows\n", 5), 0);
    EXPECT_EQ(ReadAll(path), "head\nrows\n");
    EXPECT_EQ(kq::AppendBlock(folder.Path(), "x", 1), EISDIR);
    EXPECT_EQ(kq::AppendBlock(folder / "missing/values.csv", "x", 1), ENOENT);
}

TEST(AppendBlock, AFailurePartWayLeavesTheFileAsItWas) {
    kq::test::ScopedTempFolder folder;
    const std::string existing = folder / "existing.csv";
    ASSERT_EQ(kq::AppendBlock(existing, "first block\n", 12), 0);
    const std::string big(64 * 1024, 'v');
    EXPECT_EQ(AppendUnderSizeLimit(existing, big, 4096), EFBIG);
    EXPECT_EQ(ReadAll(existing), "first block\n");

    const std::string fresh = folder / "fresh.csv";
    EXPECT_EQ(AppendUnderSizeLimit(fresh, big, 4096), EFBIG);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

}  // namespace

namespace {

// A child appending blocks of blockSize bytes without end, killed while the file holds part of a
// block (or after a deadline, whatever it holds then).
void KillAppenderPartWay(const std::string& path, size_t blockSize) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::string block(blockSize - 1, 'v');
        block += '\n';
        for (;;)
            kq::AppendBlock(path, block.data(), block.size());
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::error_code ignored;
    for (;;) {
        const auto size = std::filesystem::file_size(path, ignored);
        if ((!ignored && size % blockSize != 0) || std::chrono::steady_clock::now() > deadline)
            break;
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

TEST(AppendBlock, AWriterKilledPartWayLeavesOnlyWholeBlocks) {
    constexpr size_t kBlock = 8 << 20;
    kq::test::ScopedTempFolder folder;
    const std::string byAppend = folder / "constant.csv";
    KillAppenderPartWay(byAppend, kBlock);
    ASSERT_EQ(kq::AppendBlock(byAppend, "next\n", 5), 0);
    const std::string text = ReadAll(byAppend);
    ASSERT_EQ(text.size() % kBlock, 5u);
    EXPECT_EQ(text.substr(text.size() - 5), "next\n");
    EXPECT_TRUE(text.size() == 5 || text[text.size() - 6] == '\n');

    const std::string byStart = folder / "other.csv";
    KillAppenderPartWay(byStart, kBlock);
    kq::RemoveStaleWrites(folder.Path());
    EXPECT_EQ(ReadAll(byStart).size() % kBlock, 0u);
    EXPECT_FALSE(std::filesystem::exists(kq::AppendRecordPath(byStart)));
}

}  // namespace
