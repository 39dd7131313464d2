#include "platform/ui/controls/detail/ScrollStore.h"
#include "platform/ui/WinUser.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/ui/Styles.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowLifetime.h"
#include "platform/ui/WindowPos.h"

namespace kq::ui::detail {
namespace {

struct Store {
    std::mutex mutex;
    std::map<std::pair<HWND, int>, ScrollState> states;
    size_t purgeAt = 64;
};

Store& TheStore() {
    static auto* store = new Store;
    return *store;
}

ScrollState DefaultState(int bar) {
    ScrollState s;
    // A window's own bars start with the range 0..100; a control's range starts empty.
    if (bar != SB_CTL)
        s.max = 100;
    return s;
}

// Handles are never reused, so entries of destroyed windows only cost memory; they are
// dropped now and then.
void PurgeDead(Store& store) {
    if (store.states.size() < store.purgeAt)
        return;
    for (auto it = store.states.begin(); it != store.states.end();) {
        if (!IsWindow(it->first.first))
            it = store.states.erase(it);
        else
            ++it;
    }
    store.purgeAt = std::max<size_t>(64, store.states.size() * 2);
}

}  // namespace

ScrollState GetScrollState(HWND hwnd, int bar) {
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    auto it = store.states.find({hwnd, bar});
    return it != store.states.end() ? it->second : DefaultState(bar);
}

ScrollState UpdateScrollState(HWND hwnd, int bar, const std::function<void(ScrollState&)>& change) {
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    auto it = store.states.find({hwnd, bar});
    if (it == store.states.end()) {
        PurgeDead(store);
        it = store.states.emplace(std::make_pair(hwnd, bar), DefaultState(bar)).first;
    }
    change(it->second);
    return it->second;
}

void ForgetScrollStates(HWND hwnd) {
    Store& store = TheStore();
    std::lock_guard lock(store.mutex);
    for (int bar : {SB_HORZ, SB_VERT, SB_CTL})
        store.states.erase({hwnd, bar});
}

RECT WindowScrollBarRect(HWND hwnd, int bar) {
    const auto style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    RECT c{};
    if (!GetClientRect(hwnd, &c))
        return RECT{};
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&c, origin.x, origin.y);
    if (bar == SB_VERT && (style & WS_VSCROLL))
        return RECT{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
    if (bar == SB_HORZ && (style & WS_HSCROLL))
        return RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    return RECT{};
}

}  // namespace kq::ui::detail
