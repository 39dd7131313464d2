// The main window's pages on a real X server: the same start with four sensors runs twice, once
// headless and once with the x11 back end on Xvfb, and every page the X server shows must equal,
// pixel for pixel, what the headless screen held for that page. The headless walk runs in a
// forked copy of the test, so both walks start from the very same state (store, clock, sensors).
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "AppTest.h"
#include "app/PageTable.h"
#include "platform/ui/backend/X11BackEnd.h"
#include "platform/ui/paint/Screenshot.h"
#include "ui/XvfbServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace apptest {
namespace {

// The headless screen's own size, so that the x11 back end need not change it.
constexpr const char* kDisplayGeometry = "1920x1080x24";

struct PageShot {
    UINT page = 0;
    kq::gfx::Image image;
};

class Screens : public AppTest {
  protected:
    // A stored start (English) with four sensors, run until the search has found them all.
    bool StartWithFourSensors() {
        PrepareStore(1);
        for (int i = 1; i <= 4; ++i) {
            const std::string text =
                "COM" + std::to_string(i) + " Tarvik USB sensor interface port";
            sim_->AddSensor(text.c_str(), 1000u + static_cast<uint32_t>(i));
        }
        if (StartAndComplete() == nullptr)
            return false;
        Run(8000);
        return Frame()->m_iOpenEntry >= 0;
    }

    // Shows each page in turn; `shoot` takes the screen once the page has settled.
    template <typename Shoot>
    std::vector<UINT> WalkPages(Shoot shoot) {
        std::vector<UINT> shown;
        for (UINT page : kPageIds) {
            Frame()->SetOperatingMode(page);
            Run(500);
            shown.push_back(Frame()->GetActivePageId());
            shoot(shown.back());
        }
        return shown;
    }

    std::string RawPath(size_t index) const {
        return folder_ / ("headless_" + std::to_string(index) + ".raw");
    }

    // The headless walk in a child process: each page's screen goes to a file of its own.
    bool WalkHeadlessInChild(std::vector<UINT>* pages) {
        const pid_t child = fork();
        if (child == 0) {
            int code = 0;
            if (!StartWithFourSensors())
                code = 2;
            size_t index = 0;
            const std::vector<UINT> shown = WalkPages([&](UINT) {
                const kq::gfx::Image image = kq::ui::CaptureScreen({true, false});
                std::ofstream out(RawPath(index++), std::ios::binary);
                out.write(reinterpret_cast<const char*>(&image.width), sizeof image.width);
                out.write(reinterpret_cast<const char*>(&image.height), sizeof image.height);
                out.write(reinterpret_cast<const char*>(image.pixels.data()),
                          static_cast<std::streamsize>(image.pixels.size() * 4));
                if (!out)
                    code = 3;
            });
            {
                std::ofstream list(RawPath(99));
                for (UINT page : shown)
                    list << page << '\n';
            }
            _exit(code);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            return false;
        std::ifstream list(RawPath(99));
        for (UINT page = 0; list >> page;)
            pages->push_back(page);
        return true;
    }

    kq::gfx::Image ReadRaw(size_t index) const {
        kq::gfx::Image image;
        std::ifstream in(RawPath(index), std::ios::binary);
        in.read(reinterpret_cast<char*>(&image.width), sizeof image.width);
        in.read(reinterpret_cast<char*>(&image.height), sizeof image.height);
        if (!in || image.Empty())
            return {};
        image.pixels.resize(static_cast<size_t>(image.width) * image.height);
        in.read(reinterpret_cast<char*>(image.pixels.data()),
                static_cast<std::streamsize>(image.pixels.size() * 4));
        return in ? image : kq::gfx::Image{};
    }
};

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

TEST_F(Screens, EveryPageOnTheXServerEqualsTheHeadlessScreen) {
    std::vector<UINT> headlessPages;
    ASSERT_TRUE(WalkHeadlessInChild(&headlessPages)) << "the headless walk failed";

    kq::ui::test::Xvfb xvfb(kDisplayGeometry);
    if (xvfb.Name().empty())
        GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb): no X server to compare with";
    std::string error;
    auto backEnd = kq::ui::X11BackEnd::Open(xvfb.Name(), &error);
    ASSERT_TRUE(backEnd) << error;
    Display* probe = XOpenDisplay(xvfb.Name().c_str());
    ASSERT_NE(probe, nullptr);
    ASSERT_TRUE(StartWithFourSensors());

    mkdir("screens", 0755);
    size_t index = 0;
    const std::vector<UINT> pages = WalkPages([&](UINT page) {
        for (int i = 0; i < 4; ++i) {
            Pump();
            backEnd->Sync();
        }
        const kq::gfx::Image shown = kq::ui::CaptureScreen({true, false});
        const kq::gfx::Image server =
            ServerImage(probe, backEnd->Window(), shown.width, shown.height);
        const kq::gfx::Image headless = ReadRaw(index++);
        ASSERT_FALSE(server.Empty());
        ASSERT_EQ(headless.width, shown.width);
        ASSERT_EQ(headless.height, shown.height);
        const Difference presented = Compare(server, shown);
        EXPECT_EQ(presented.count, 0)
            << "page " << page << ": the server differs from the screen it shows within ("
            << presented.box.left << ", " << presented.box.top << ", " << presented.box.right
            << ", " << presented.box.bottom << ")";
        const Difference backEnds = Compare(server, headless);
        EXPECT_EQ(backEnds.count, 0)
            << "page " << page << ": the server differs from the headless screen within ("
            << backEnds.box.left << ", " << backEnds.box.top << ", " << backEnds.box.right << ", "
            << backEnds.box.bottom << ")";
        RECT window{};
        ::GetWindowRect(Frame()->m_hWnd, &window);
        kq::ui::SaveScreenshot("screens/page_" + std::to_string(page) + ".png", &window,
                               {true, false});
    });
    EXPECT_EQ(pages, headlessPages);
    XCloseDisplay(probe);
}

}  // namespace
}  // namespace apptest
