#include "platform/framework/detail/WndThreadState.h"

#include "platform/framework/Menu.h"
#include "platform/framework/Wnd.h"

namespace kq::fw::detail {

namespace {

thread_local WndThreadState* t_state = nullptr;
thread_local bool t_ended = false;

struct StateOwner {
    ~StateOwner() {
        delete t_state;
        t_state = nullptr;
        t_ended = true;
    }
};
thread_local StateOwner t_owner;

}  // namespace

WndThreadState::~WndThreadState() {
    DeleteTemporaries();
}

void WndThreadState::DeleteTemporaries() {
    // A temporary does not own its window: it lets go of the handle before it is deleted.
    auto release = [](std::unique_ptr<CWnd>& wnd) {
        wnd->m_hWnd = nullptr;
        wnd.reset();
    };
    auto temporaries = std::move(temporary);
    temporary.clear();
    for (auto& [hwnd, wnd] : temporaries)
        release(wnd);
    auto replaced = std::move(replacedTemporaries);
    replacedTemporaries.clear();
    for (auto& wnd : replaced)
        release(wnd);
    // A temporary menu object does not own its menu either.
    auto menus = std::move(temporaryMenus);
    temporaryMenus.clear();
    for (auto& [handle, menu] : menus) {
        menu->m_hMenu = nullptr;
        menu.reset();
    }
}

WndThreadState& ThreadState() {
    if (t_state == nullptr) {
        (void)&t_owner;  // constructs the owner, which frees the state at thread exit
        t_state = new WndThreadState;
    }
    return *t_state;
}

WndThreadState* ThreadStateIfAlive() {
    if (t_state == nullptr && t_ended)
        return nullptr;
    return &ThreadState();
}

}  // namespace kq::fw::detail
