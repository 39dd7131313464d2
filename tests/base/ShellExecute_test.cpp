// Running a program directly: odd characters in its path stay part of the name, the error codes
// of missing and non-executable files, and no child is left a zombie.
#include "platform/base/ShellExecute.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "base/ScopedTempFolder.h"

namespace {

void WriteScript(const std::string& path, const std::string& body, bool executable) {
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    chmod(path.c_str(), executable ? 0755 : 0644);
}

INT_PTR Code(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result);
}

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

std::string ChildrenOfThisProcess() {
    std::string all;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream children(entry.path() / "children");
        all += std::string(std::istreambuf_iterator<char>(children), {});
    }
    return all;
}

}  // namespace

TEST(ShellExecute, APathWithBlanksAndSemicolonsIsOneProgram) {
    kq::test::ScopedTempFolder folder;
    const std::string marker = folder / "marker";
    const std::string script = folder / "run me; $HOME.sh";
    WriteScript(script, "echo \"$1\" > '" + marker + "'", true);
    EXPECT_GT(Code(ShellExecute(nullptr, "open", script.c_str(), "arg", folder.Path().c_str(), 1)),
              32);
    ASSERT_TRUE(WaitFor([&] { return std::ifstream(marker).good(); }));
    std::string text;
    ASSERT_TRUE(WaitFor([&] {
        std::ifstream in(marker);
        std::getline(in, text);
        return text == "arg";
    }));
}

TEST(ShellExecute, MissingAndNonExecutableFilesGiveTheirCodes) {
    kq::test::ScopedTempFolder folder;
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", (folder / "none").c_str(), nullptr, nullptr, 1)),
              SE_ERR_FNF);
    EXPECT_EQ(
        Code(ShellExecute(nullptr, "open", (folder / "no/none").c_str(), nullptr, nullptr, 1)),
        SE_ERR_PNF);
    const std::string document = folder / "data.csv";
    WriteScript(document, "", false);
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", document.c_str(), nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(Code(ShellExecute(nullptr, "open", folder.Path().c_str(), nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
}

TEST(ShellExecute, NoChildIsLeftAZombie) {
    kq::test::ScopedTempFolder folder;
    const std::string script = folder / "quick.sh";
    WriteScript(script, "exit 0", true);
    for (int i = 0; i < 100; ++i)
        ASSERT_GT(Code(ShellExecute(nullptr, nullptr, script.c_str(), nullptr, nullptr, 1)), 32);
    EXPECT_TRUE(WaitFor([] {
        return ChildrenOfThisProcess().find_first_of("0123456789") == std::string::npos;
    })) << ChildrenOfThisProcess();
}
