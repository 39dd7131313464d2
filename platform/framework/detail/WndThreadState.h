// Per-thread state of the window objects: the handle maps, the message being handled, the window
// whose control notifications are held back, and the CWnd waiting for its window to be created.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/ui/WinUser.h"

class CMenu;
class CWnd;

namespace kq::fw::detail {

struct WndThreadState {
    WndThreadState() = default;
    ~WndThreadState();
    WndThreadState(const WndThreadState&) = delete;
    WndThreadState& operator=(const WndThreadState&) = delete;

    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    // Temporaries replaced by one of a more specific class; deleted with the others.
    std::vector<std::unique_ptr<CWnd>> replacedTemporaries;
    int tempMapLocks = 0;
    std::unordered_map<HMENU, CMenu*> permanentMenus;
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> temporaryMenus;

    // Messages being handled by framework window procedures on this thread right now; temporary
    // objects are only deleted when none is (a handler may hold one across a modal loop).
    int dispatchDepth = 0;
    MSG lastSentMsg{};
    MSG currentMsg{};  // what GetCurrentMessage hands out
    HWND lockoutNotifyWindow = nullptr;

    CWnd* wndInit = nullptr;         // takes over the next window created on this thread
    WNDPROC wndInitSuper = nullptr;  // that window's class procedure

    void DeleteTemporaries();
};

// The calling thread's state (made on first use).
WndThreadState& ThreadState();
// Null once the thread's state has been destroyed at thread exit.
WndThreadState* ThreadStateIfAlive();

}  // namespace kq::fw::detail
