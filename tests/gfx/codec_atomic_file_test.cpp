// A save killed part-way: the old file stays whole, and the temporary file it left goes with the
// next save into that folder, while a save still under way keeps its own.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/ScopedTempFolder.h"
#include "platform/gfx/codec/AtomicFile.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int TemporaryFiles(const std::string& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().extension() == ".tmp" ? 1 : 0;
    return count;
}

TEST(AtomicFile, ASaveKilledPartWayLeavesTheOldFileAndNoTemporaryFile) {
    kq::test::ScopedTempFolder folder;
    const std::string target = folder / "values.csv";
    std::string error;
    const std::string old = "old values\n";
    ASSERT_TRUE(kq::gfx::WriteFileAtomically(
        target, {reinterpret_cast<const uint8_t*>(old.data()), old.size()}, error));

    const pid_t child = ::fork();
    if (child == 0) {
        const std::string chunk(1 << 20, 'n');
        for (;;) {
            kq::gfx::AtomicFile file;
            file.Open(target);
            for (int i = 0; i < 64; ++i)
                file.Write(chunk);
            file.Discard();
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (TemporaryFiles(folder.Path()) == 0 && std::chrono::steady_clock::now() < deadline) {
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    kq::gfx::AtomicFile running;  // a save under way in the same folder
    ASSERT_TRUE(running.Open(folder / "running.csv"));
    ASSERT_TRUE(running.Write("running\n"));
    kq::gfx::AtomicFile next;
    ASSERT_TRUE(next.Open(folder / "next.csv"));
    EXPECT_EQ(TemporaryFiles(folder.Path()), 2);  // those of the two saves under way
    EXPECT_TRUE(next.Commit());
    EXPECT_TRUE(running.Commit());
    EXPECT_EQ(TemporaryFiles(folder.Path()), 0);
    EXPECT_EQ(ReadAll(target), old);
    EXPECT_EQ(ReadAll(folder / "running.csv"), "running\n");
}

}  // namespace
