#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/gfx/print/LpCommand.h"
#include "platform/gfx/print/PageFormat.h"
#include "platform/gfx/print/PrintJob.h"

using namespace kq::gfx;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A scratch folder with a `bin` folder that alone makes up PATH, and a spool folder as TMPDIR.
class PrintJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kq_print_job_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "bin");
        fs::create_directories(dir_ / "spool");
        oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        ::setenv("PATH", (dir_ / "bin").c_str(), 1);
        ::setenv("TMPDIR", (dir_ / "spool").c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", oldPath_.c_str(), 1);
        ::unsetenv("TMPDIR");
        fs::remove_all(dir_);
    }

    // An `lp` that records its arguments and a copy of the file, then exits with the given code.
    void InstallLp(int exitCode, const std::string& message = "") {
        const fs::path lp = dir_ / "bin" / "lp";
        std::ofstream(lp) << "#!/bin/sh\n"
                          << "printf '%s\\n' \"$@\" > '" << (dir_ / "args").string() << "'\n"
                          << "/bin/cp \"$5\" '" << (dir_ / "received.pdf").string() << "'\n"
                          << (message.empty() ? "" : "echo '" + message + "' >&2\n") << "exit "
                          << exitCode << "\n";
        fs::permissions(lp, fs::perms::owner_all);
    }

    fs::path dir_;
    std::string oldPath_;
};

Image Page() {
    return Image(40, 30, 0xFF336699);
}

}  // namespace

TEST_F(PrintJobTest, GoesToLpWithPrinterAndTitleAndCleansTheSpool) {
    InstallLp(0);
    PrintJob job;
    ASSERT_TRUE(job.Begin("Messen", {"Bench-Printer", (dir_ / "unused.pdf").string()}))
        << job.Error();
    EXPECT_TRUE(job.GoesToPrinter());
    ASSERT_TRUE(job.AddPage(Page(), 300, 300));
    ASSERT_TRUE(job.End()) << job.Error();
    const std::string args = ReadAll(dir_ / "args");
    EXPECT_EQ(args.substr(0, args.find((dir_ / "spool").string())),
              "-d\nBench-Printer\n-t\nMessen\n");
    const std::string pdf = ReadAll(dir_ / "received.pdf");
    EXPECT_EQ(pdf.rfind("%PDF-1.4", 0), 0u);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
    EXPECT_TRUE(fs::is_empty(dir_ / "spool"));
    EXPECT_FALSE(fs::exists(dir_ / "unused.pdf"));
}

TEST_F(PrintJobTest, RefusalByLpIsReportedWithItsMessage) {
    InstallLp(1, "lp: The printer or class does not exist.");
    PrintJob job;
    ASSERT_TRUE(job.Begin("Graph", {"nope", ""}));
    ASSERT_TRUE(job.AddPage(Page(), 300, 300));
    EXPECT_FALSE(job.End());
    EXPECT_NE(job.Error().find("does not exist"), std::string::npos) << job.Error();
    EXPECT_TRUE(fs::is_empty(dir_ / "spool"));
}

TEST_F(PrintJobTest, WithoutLpTheJobGoesToTheFile) {
    const std::string file = (dir_ / "out.pdf").string();
    PrintJob job;
    ASSERT_TRUE(job.Begin("Graph", {"Bench-Printer", file}));
    EXPECT_FALSE(job.GoesToPrinter());
    EXPECT_FALSE(job.Begin("again", {"", file}));  // one job at a time
    ASSERT_TRUE(job.AddPage(Page(), 300, 300));
    ASSERT_TRUE(job.End()) << job.Error();
    EXPECT_EQ(ReadAll(file).rfind("%PDF-1.4", 0), 0u);

    // Aborted, or ended without pages: nothing is written.
    fs::remove(file);
    ASSERT_TRUE(job.Begin("Graph", {"", file}));
    ASSERT_TRUE(job.AddPage(Page(), 300, 300));
    job.Abort();
    EXPECT_FALSE(fs::exists(file));
    ASSERT_TRUE(job.Begin("Graph", {"", file}));
    EXPECT_TRUE(job.End());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(job.AddPage(Page(), 300, 300));

    EXPECT_FALSE(job.Begin("Graph", {"Bench-Printer", ""}));
    EXPECT_NE(job.Error().find("lp"), std::string::npos);
    EXPECT_FALSE(job.Begin("Graph", {"", ""}));
    EXPECT_FALSE(job.IsActive());
}

TEST_F(PrintJobTest, ProgramLookupAndPageGeometry) {
    EXPECT_EQ(FindProgramOnPath("lp"), "");
    InstallLp(0);
    fs::create_directories(dir_ / "bin" / "dir");
    EXPECT_EQ(FindProgramOnPath("lp"), (dir_ / "bin" / "lp").string());
    EXPECT_EQ(FindProgramOnPath("dir"), "");

    const PageFormat a4 = A4Page();
    EXPECT_EQ(a4.widthPixels, 2480);
    EXPECT_EQ(a4.heightPixels, 3508);
    EXPECT_EQ(a4.dpiX, 300);
    const PageFormat wide = A4Page(600, true);
    EXPECT_EQ(wide.widthPixels, 7016);
    EXPECT_EQ(wide.heightPixels, 4961);
}

TEST_F(PrintJobTest, CopiesAreLpsCopyCountAndOnlyWithinItsRange) {
    const fs::path lp = dir_ / "bin" / "lp";
    std::ofstream(lp) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << (dir_ / "args").string()
                      << "'\n";
    fs::permissions(lp, fs::perms::owner_all);
    for (int copies : {3, 0, -2, kMaxPrintCopies + 1, -4}) {
        PrintJob job;
        // -4: two collated copies.
        const PrintTarget target =
            copies == -4 ? PrintTarget{"Lab", "", 2, true} : PrintTarget{"Lab", "", copies, false};
        ASSERT_TRUE(job.Begin("Messen", target));
        ASSERT_TRUE(job.AddPage(Page(), 300, 300));
        ASSERT_TRUE(job.End()) << job.Error();
    }
    std::string args = ReadAll(dir_ / "args");
    const std::string spool = (dir_ / "spool").string();
    std::vector<std::string> calls;
    for (size_t at = args.find(spool); at != std::string::npos; at = args.find(spool)) {
        calls.push_back(args.substr(0, at));
        args.erase(0, args.find('\n', at) + 1);
    }
    EXPECT_EQ(calls,
              (std::vector<std::string>{"-d\nLab\n-t\nMessen\n-n\n3\n", "-d\nLab\n-t\nMessen\n",
                                        "-d\nLab\n-t\nMessen\n", "-d\nLab\n-t\nMessen\n",
                                        "-d\nLab\n-t\nMessen\n-n\n2\n-o\ncollate=true\n"}));
}
