// A block appended all or nothing: a size limit hit part-way leaves an existing file as it was
// and no file where there was none.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ScopedTempFolder.h"
#include "platform/base/FileSystem.h"

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
