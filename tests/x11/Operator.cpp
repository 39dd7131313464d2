#include "Operator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace x11test {
namespace {

// How long a menu or dialog may take to show, and to go with what it started (a print on a
// loaded machine takes seconds): deadlines, not waits.
constexpr int kAppearMs = 10000;
constexpr int kGoneMs = 30000;

void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The caption's gradient runs from dark to light blue when the window is active.
bool CaptionBlue(uint32_t p) {
    const int r = static_cast<int>(p >> 16);
    const int g = static_cast<int>((p >> 8) & 0xFF);
    const int b = static_cast<int>(p & 0xFF);
    return b >= 0x80 && b > r + 0x30 && b > g + 0x30;
}

// The longest run of caption blue in a row of the picture: [first, last).
std::pair<int, int> LongestBlueRun(const Picture& p, int y) {
    std::pair<int, int> best{0, 0};
    int start = -1;
    for (int x = p.box.left; x <= p.box.right; ++x) {
        const bool in = x < p.box.right && CaptionBlue(p.At(x, y));
        if (in && start < 0)
            start = x;
        if (!in && start >= 0) {
            if (x - start > best.second - best.first)
                best = {start, x};
            start = -1;
        }
    }
    return best;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        Sleep(20);
    }
}

Box Operator::ActiveCaption() {
    if (hands().WindowManagerRuns()) {
        // Below the caption's band of 18 pixels a line, then the menu bar.
        const Box area = hands().WindowBox(hands().ActiveWindow());
        if (area.Empty())
            return area;
        return Box{area.left, area.top - 19 * scale_, area.right, area.top - scale_};
    }
    const Picture screen = hands().GrabScreen();
    // The widest caption's top row, then down its left edge for the height.
    Box best;
    for (int y = screen.box.top; y < screen.box.bottom; ++y) {
        const auto [first, last] = LongestBlueRun(screen, y);
        if (last - first <= best.Width() + 8)
            continue;
        int bottom = y;
        while (bottom < screen.box.bottom && CaptionBlue(screen.At(first, bottom)))
            ++bottom;
        // A window manager's title bar may have a blue line: a caption is a band.
        if (bottom - y < 10)
            continue;
        best = Box{first, y, last, bottom};
    }
    return best;
}

Box Operator::WaitForActiveMainWindow(int ms, int scale) {
    // Wider than the start-up window's caption.
    const int wide = 600 * scale;
    scale_ = scale;
    Box caption;
    WaitUntil(
        [&] {
            caption = ActiveCaption();
            return caption.Width() > wide && caption.Height() >= 10;
        },
        ms);
    if (caption.Width() > wide && hands().WindowManagerRuns())
        mainWindow_ = hands().ActiveWindow();
    return caption.Width() > wide ? caption : Box{};
}

void Operator::ClickCloseButton(const Box& caption) {
    if (mainWindow_ != 0) {
        hands().CloseWindow(mainWindow_);
        return;
    }
    // The buttons sit at the right end of the band; the close button is the last, square.
    const int size = caption.Height();
    hands().Click(caption.right - 2 - size / 2, caption.CentreY());
}

std::vector<Box> Operator::ChangedOutsideLive(const Picture& a, const Picture& b) const {
    std::vector<Box> changed = ChangedTiles(a, b);
    std::erase_if(changed, [&](const Box& t) { return IsLive(t); });
    return changed;
}

Picture Operator::Still(int ms) {
    Picture last = hands().GrabScreen();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        Sleep(150);
        Picture now = hands().GrabScreen();
        const bool still = ChangedOutsideLive(last, now).empty();
        last = std::move(now);
        if (still)
            break;
    }
    return last;
}

void Operator::LearnLiveTiles(int ms) {
    live_.clear();
    Picture first = hands().GrabScreen();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        Sleep(150);
        const Picture now = hands().GrabScreen();
        for (const Box& t : ChangedTiles(first, now))
            if (!IsLive(t))
                live_.push_back(t);
    }
}

bool Operator::IsLive(const Box& tile) const {
    for (const Box& i : ignored_)
        if (!Intersection(i, tile).Empty())
            return true;
    return std::find(live_.begin(), live_.end(), tile) != live_.end();
}

Box Operator::WaitForChange(const std::function<void()>& act, int ms) {
    const Picture before = Still();
    act();
    std::vector<Box> changed;
    WaitUntil(
        [&] {
            changed = ChangedOutsideLive(before, hands().GrabScreen());
            return !changed.empty();
        },
        ms);
    if (changed.empty())
        return Box{};
    return BoundsOf(ChangedOutsideLive(before, Still()));
}

Box Operator::ExpectCoveredComesBack(const std::string& what, const std::function<void()>& open,
                                     const std::function<void()>& close) {
    LearnLiveTiles();
    const Picture before = Still();
    open();
    std::vector<Box> covered;
    WaitUntil(
        [&] {
            covered = ChangedOutsideLive(before, hands().GrabScreen());
            return !covered.empty();
        },
        kAppearMs);
    const Picture shown = Still();
    covered = ChangedOutsideLive(before, shown);
    if (covered.empty()) {
        ADD_FAILURE() << what << ": nothing appeared";
        Snapshot(what + "-not-shown");
        return Box{};
    }
    close();
    std::vector<Box> left;
    WaitUntil(
        [&] {
            const Picture after = hands().GrabScreen();
            left.clear();
            for (const Box& t : covered)
                if (!before.SameAs(after, t))
                    left.push_back(t);
            return left.empty();
        },
        kGoneMs);
    if (!left.empty()) {
        const Box bounds = BoundsOf(left);
        ADD_FAILURE() << what << ": " << left.size() << " of " << covered.size()
                      << " covered tiles came back changed, within (" << bounds.left << ","
                      << bounds.top << ")-(" << bounds.right << "," << bounds.bottom << ")";
        SavePicture(before, program_.Folder() + "/" + what + "-before.ppm");
        SavePicture(shown, program_.Folder() + "/" + what + "-shown.ppm");
        Snapshot(what + "-after");
    }
    return BoundsOf(covered);
}

Box Operator::SeeChange(const Box& watch, const std::function<void()>& act, int ms) {
    const Picture before = hands().Grab(watch);
    act();
    Picture now;
    if (!WaitUntil(
            [&] {
                now = hands().Grab(watch);
                return !now.SameAs(before, watch);
            },
            ms))
        return Box{};
    // Painting may go on a little: the change is complete once two looks agree.
    for (int i = 0; i < 50; ++i) {
        Sleep(30);
        Picture next = hands().Grab(watch);
        const bool still = next.SameAs(now, watch);
        now = std::move(next);
        if (still)
            break;
    }
    return ChangedPixels(before, now);
}

void Operator::Snapshot(const std::string& name) {
    SavePicture(hands().GrabScreen(), program_.Folder() + "/" + name + ".ppm");
}

}  // namespace x11test
