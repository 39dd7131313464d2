#include "platform/ui/commctrl/detail/BuddySubclass.h"

#include <map>
#include <mutex>

#include "platform/ui/WinUser.h"
#include "platform/ui/commctrl/UpDown.h"
#include "platform/ui/commctrl/detail/ControlCommon.h"

namespace kq::ui::commctrl {

namespace {

struct Hook {
    HWND updown;
    WNDPROC original;
};

std::mutex& HooksMutex() {
    static std::mutex m;
    return m;
}
std::map<HWND, Hook>& Hooks() {
    static std::map<HWND, Hook> hooks;
    return hooks;
}

LRESULT BuddyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Hook hook{};
    {
        std::lock_guard lock(HooksMutex());
        auto it = Hooks().find(hwnd);
        if (it == Hooks().end())
            return DefWindowProc(hwnd, message, wParam, lParam);
        hook = it->second;
        if (message == WM_NCDESTROY) {
            Hooks().erase(it);
            SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.original));
        }
    }
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
        auto* updown = static_cast<UpDown*>(StateOf(hook.updown));
        if (IsWindow(hook.updown) && updown && updown->OnBuddyKey(message, wParam, lParam))
            return 0;
    }
    return CallWindowProc(hook.original, hwnd, message, wParam, lParam);
}

}  // namespace

void HookBuddy(HWND buddy, HWND updown) {
    std::lock_guard lock(HooksMutex());
    auto it = Hooks().find(buddy);
    if (it != Hooks().end()) {
        it->second.updown = updown;
        return;
    }
    auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddyProc)));
    if (original)
        Hooks()[buddy] = Hook{updown, original};
}

void UnhookBuddy(HWND buddy, HWND updown) {
    std::lock_guard lock(HooksMutex());
    auto it = Hooks().find(buddy);
    if (it == Hooks().end() || it->second.updown != updown)
        return;
    // Only when nobody subclassed the buddy after us can our procedure be taken out.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtr(buddy, GWLP_WNDPROC)) == &BuddyProc) {
        SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.original));
        Hooks().erase(it);
    } else {
        it->second.updown = nullptr;
    }
}

}  // namespace kq::ui::commctrl
