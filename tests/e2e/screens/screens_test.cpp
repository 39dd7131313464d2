// The main window on a real X server: the same start with a four-port device runs twice, once
// headless and once with the x11 back end on Xvfb, and every page, and the measure-and-diagram
// page while it measures, must show on the X server pixel for pixel what the headless screen
// held in that state. The headless walk runs in a forked copy of the test, so both walks start
// from the very same state (store, clock, sensors).
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/ScopedTempFolder.h"
#include "pages/common/PageTable.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/backend/X11BackEnd.h"
#include "platform/ui/paint/Screenshot.h"
#include "tests/e2e/screens/WholeApp.h"
#include "ui/XvfbServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace screens {
namespace {

// The headless screen's own size, so that the x11 back end need not change it.
constexpr const char* kDisplayGeometry = "1920x1080x24";
constexpr int64_t kMaxStartMs = 60000;
constexpr double kMeasuredSets = 60000.0;

// Pages and measuring shown in turn; `shoot` takes the screen once each has settled. The last
// state, 0, is the measure-and-diagram page three seconds into a measurement.
template <typename Shoot>
std::vector<UINT> Walk(wholeapp::WholeApp& app, Shoot shoot) {
    std::vector<UINT> shown;
    if (app.StartUntilFourSensorsFound(kMaxStartMs) < 0 || !app.ActivateDevice(kMaxStartMs))
        return shown;
    for (UINT page : kPageIds) {
        app.Frame()->SetOperatingMode(page);
        app.Run(500);
        shown.push_back(app.Frame()->GetActivePageId());
        shoot(shown.back());
    }
    if (!app.StartMeasuring(kMeasuredSets))
        return shown;
    app.Run(3000);
    shown.push_back(0);
    shoot(0);
    return shown;
}

// The program's settings and data folders: the same path in both walks, since pages show it.
std::string ProgramFolder(const std::string& folder) {
    return folder + "/program";
}

std::string RawPath(const std::string& folder, size_t index) {
    return folder + "/headless_" + std::to_string(index) + ".raw";
}

// The headless walk in a child process: each state's screen goes to a file of its own, the list
// of states to one more.
bool WalkHeadlessInChild(const std::string& folder, std::vector<UINT>* states) {
    const pid_t child = fork();
    if (child == 0) {
        int code = 0;
        std::vector<UINT> shown;
        {
            wholeapp::WholeApp app(ProgramFolder(folder));
            size_t index = 0;
            shown = Walk(app, [&](UINT) {
                const kq::gfx::Image image = kq::ui::CaptureScreen({true, false});
                std::ofstream out(RawPath(folder, index++), std::ios::binary);
                out.write(reinterpret_cast<const char*>(&image.width), sizeof image.width);
                out.write(reinterpret_cast<const char*>(&image.height), sizeof image.height);
                out.write(reinterpret_cast<const char*>(image.pixels.data()),
                          static_cast<std::streamsize>(image.pixels.size() * 4));
                if (!out)
                    code = 3;
            });
        }
        std::ofstream list(folder + "/states");
        for (UINT state : shown)
            list << state << '\n';
        list.close();
        _exit(list ? code : 4);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return false;
    std::ifstream list(folder + "/states");
    for (UINT state = 0; list >> state;)
        states->push_back(state);
    return true;
}

kq::gfx::Image ReadRaw(const std::string& path) {
    kq::gfx::Image image;
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(&image.width), sizeof image.width);
    in.read(reinterpret_cast<char*>(&image.height), sizeof image.height);
    if (!in || image.Empty())
        return {};
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    in.read(reinterpret_cast<char*>(image.pixels.data()),
            static_cast<std::streamsize>(image.pixels.size() * 4));
    return in ? image : kq::gfx::Image{};
}

// The screen as the X server holds it, from the window that shows it.
kq::gfx::Image ServerImage(Display* display, unsigned long window, int width, int height) {
    kq::gfx::Image image;
    XImage* shot = XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                             static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (shot == nullptr)
        return image;
    image = kq::gfx::Image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.SetPixel(x, y, 0xFF000000u | (XGetPixel(shot, x, y) & 0xFFFFFFu));
    }
    XDestroyImage(shot);
    return image;
}

// Differing pixels and the box around them.
struct Difference {
    int count = 0;
    RECT box{0, 0, 0, 0};
};

Difference Compare(const kq::gfx::Image& a, const kq::gfx::Image& b) {
    Difference d;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if ((a.Pixel(x, y) & 0xFFFFFFu) == (b.Pixel(x, y) & 0xFFFFFFu))
                continue;
            const RECT pixel{x, y, x + 1, y + 1};
            if (d.count++ == 0)
                d.box = pixel;
            else
                UnionRect(&d.box, &d.box, &pixel);
        }
    }
    return d;
}

TEST(Screens, EveryPageOnTheXServerEqualsTheHeadlessScreen) {
    kq::test::ScopedTempFolder folder;
    std::vector<UINT> headlessStates;
    ASSERT_TRUE(WalkHeadlessInChild(folder.Path(), &headlessStates)) << "the headless walk failed";
    ASSERT_EQ(headlessStates.size(), std::size(kPageIds) + 1) << "the headless walk stopped early";

    kq::ui::test::Xvfb xvfb(kDisplayGeometry);
    if (xvfb.Name().empty())
        GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb): no X server to compare with";
    wholeapp::WholeApp app(ProgramFolder(folder.Path()));
    std::string error;
    // Opened on the program's clock, before the program starts, as the program does.
    auto backEnd = kq::ui::X11BackEnd::Open(xvfb.Name(), &error);
    ASSERT_TRUE(backEnd) << error;
    Display* probe = XOpenDisplay(xvfb.Name().c_str());
    ASSERT_NE(probe, nullptr);

    mkdir("screens", 0755);
    size_t index = 0;
    const std::vector<UINT> states = Walk(app, [&](UINT state) {
        for (int i = 0; i < 4; ++i) {
            kq::ui::PumpUntilIdle();
            backEnd->Sync();
        }
        const kq::gfx::Image shown = kq::ui::CaptureScreen({true, false});
        const kq::gfx::Image server =
            ServerImage(probe, backEnd->Window(), shown.width, shown.height);
        const kq::gfx::Image headless = ReadRaw(RawPath(folder.Path(), index++));
        ASSERT_FALSE(server.Empty());
        ASSERT_EQ(headless.width, shown.width);
        ASSERT_EQ(headless.height, shown.height);
        const Difference presented = Compare(server, shown);
        EXPECT_EQ(presented.count, 0)
            << "state " << state << ": the server differs from the screen it shows within ("
            << presented.box.left << ", " << presented.box.top << ", " << presented.box.right
            << ", " << presented.box.bottom << ")";
        const Difference backEnds = Compare(server, headless);
        EXPECT_EQ(backEnds.count, 0)
            << "state " << state << ": the server differs from the headless screen within ("
            << backEnds.box.left << ", " << backEnds.box.top << ", " << backEnds.box.right << ", "
            << backEnds.box.bottom << ")";
        RECT window{};
        ::GetWindowRect(app.Frame()->m_hWnd, &window);
        const std::string name = state == 0 ? "measuring" : "page_" + std::to_string(state);
        kq::ui::SaveScreenshot("screens/" + name + ".png", &window, {true, false});
    });
    EXPECT_EQ(states, headlessStates);
    XCloseDisplay(probe);
}

}  // namespace
}  // namespace screens
