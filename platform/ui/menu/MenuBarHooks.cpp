#include "platform/ui/menu/MenuBarHooks.h"

#include <vector>

#include "platform/ui/WinUser.h"
#include "platform/ui/menu/MenuBar.h"
#include "platform/ui/menu/MenuTracker.h"
#include "platform/ui/nonclient/NonClientHooks.h"

namespace kq::ui::menu {
namespace {

void DrawBar(HWND hwnd, HDC windowDc, const RECT&) {
    PaintMenuBar(hwnd, windowDc);
}

void TrackBar(HWND hwnd, POINT pt) {
    if (MenuTracker::Current())
        return;
    const std::vector<RECT> rects = MenuBarItemRects(hwnd);
    for (size_t i = 0; i < rects.size(); ++i)
        if (PtInRect(&rects[i], pt)) {
            MenuTracker tracker(hwnd, 0);
            tracker.RunBar(GetMenu(hwnd), static_cast<int>(i), true);
            return;
        }
}

}  // namespace

void InstallMenuBarHooks() {
    NonClientHooks hooks = GetNonClientHooks();
    if (hooks.drawMenuBar == &DrawBar && hooks.trackMenuBar == &TrackBar)
        return;
    hooks.drawMenuBar = &DrawBar;
    hooks.trackMenuBar = &TrackBar;
    SetNonClientHooks(hooks);
}

}  // namespace kq::ui::menu
