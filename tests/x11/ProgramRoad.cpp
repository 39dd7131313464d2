#include "ProgramRoad.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

namespace x11test {
namespace {

constexpr int kStartMs = 60000;
constexpr int kExitMs = 30000;
// The status line, counted from the main window's caption.
constexpr int kStatusLineTop = 722;
constexpr int kStatusLineBottom = 746;

}  // namespace

void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool Plain(const Picture& picture) {
    return std::all_of(picture.pixels.begin(), picture.pixels.end(),
                       [&](uint32_t p) { return p == picture.pixels.front(); });
}

Box ListedBox(const std::string& listed, const std::string& title) {
    std::istringstream lines(listed);
    for (std::string line; std::getline(lines, line);) {
        if (line.find(title) == std::string::npos)
            continue;
        std::istringstream fields(line);
        std::string id;
        int desktop = 0;
        Box b;
        int width = 0;
        int height = 0;
        if (fields >> id >> desktop >> b.left >> b.top >> width >> height)
            return Box{b.left, b.top, b.left + width, b.top + height};
    }
    return Box{};
}

bool ProgramRoad::Enabled(Place button) {
    const Picture text =
        hands().Grab(Box{X(button.dx - 20), Y(button.dy - 6), X(button.dx + 20), Y(button.dy + 6)});
    return std::count_if(text.pixels.begin(), text.pixels.end(),
                         [](uint32_t p) { return (p & 0xC0C0C0) == 0; }) > 10;
}

void ProgramRoad::ShowPage(int row) {
    op().SeeChange(
        Page(), [&] { ClickTree(row); }, 2500);
    Sleep(300);
}

bool ProgramRoad::OpenMenu(int dx) {
    return !op().SeeChange(MenuBelow(dx), [&] { hands().Click(X(dx), Y(kMenuBarY)); }).Empty();
}

bool ProgramRoad::WaitForMainWindowActive(int ms) {
    return WaitUntil([] { return op().ActiveCaption() == MainCaption(); }, ms);
}

Desktop ProgramRoad::RoadDesktop() {
    Desktop desktop;
    const char* wm = std::getenv("KQ7B_X11_ROAD_WM");
    desktop.windowManager = wm != nullptr && std::string(wm) == "openbox";
    return desktop;
}

Desktop ProgramRoad::At192Dpi() {
    Desktop desktop;
    desktop.screens = {"-screen", "0", "3840x2160x24"};
    desktop.resources = "Xft.dpi:\t192\n";
    desktop.windowManager = true;
    return desktop;
}

void ProgramRoad::StartRoad(const Desktop& desktop, int scale) {
    program_ = std::make_unique<RealProgram>();
    operator_ = std::make_unique<Operator>(*program_);
    why_.clear();
    caption_ = Box{};
    if (!program_->Start(&why_, &noXvfb_, desktop))
        return;
    // The search finds the sensor; then the main window shows, active.
    caption_ = operator_->WaitForActiveMainWindow(kStartMs, scale);
    if (caption_.Empty()) {
        why_ = "the main window did not show:\n" + program_->OutputTail();
        return;
    }
    // The status line shows the prompt of whatever the pointer or a menu is on.
    operator_->Ignore(Box{caption_.left - 4, caption_.top + kStatusLineTop, caption_.right + 4,
                          caption_.top + kStatusLineBottom});
}

bool ProgramRoad::StartAgain(std::string* why) {
    if (!program_->StartAgain(why))
        return false;
    caption_ = operator_->WaitForActiveMainWindow(kStartMs);
    if (caption_.Empty()) {
        *why = "the main window did not show again:\n" + program_->OutputTail();
        return false;
    }
    return true;
}

void ProgramRoad::TearDownTestSuite() {
    if (program_ == nullptr)
        return;
    if (program_->IsRunning() && why_.empty()) {
        const std::string settings = program_->Folder() + "/home/.config/kq7b/registry.reg";
        std::error_code ec;
        const auto before = std::filesystem::last_write_time(settings, ec);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a later file time
        operator_->ClickCloseButton(caption_);
        const int code = program_->WaitForExit(kExitMs);
        const auto after = std::filesystem::last_write_time(settings, ec);
        if (code == 0 && (ec || after <= before)) {
            program_->KeepFolder();
            ADD_FAILURE() << "the settings were not written at the close";
        }
        if (code != 0) {
            program_->KeepFolder();
            operator_->Snapshot("close");
            ADD_FAILURE() << "the close button ended the program with " << code
                          << " (-1: still running)\n"
                          << program_->OutputTail();
        }
    }
    const std::string report = program_->SanitizerReport();
    if (!report.empty()) {
        program_->KeepFolder();
        ADD_FAILURE() << "sanitizer report:\n" << report;
    }
    operator_.reset();
    program_.reset();
}

void ProgramRoad::SetUp() {
    if (noXvfb_)
        GTEST_SKIP() << why_;
    ASSERT_TRUE(why_.empty()) << why_;
    ASSERT_TRUE(program_->IsRunning()) << "the program has ended:\n" << program_->OutputTail();
}

void ProgramRoad::TearDown() {
    if (HasFailure()) {
        program_->KeepFolder();
        operator_->Snapshot(::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::fprintf(stderr, "pictures and output kept in %s\n", program_->Folder().c_str());
    }
}

}  // namespace x11test
