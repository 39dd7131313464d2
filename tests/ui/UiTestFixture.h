// A fixture for window-system tests, reused by the suites of the libraries built on it: it
// creates windows whose messages are logged and whose behaviour a test can replace, injects
// input, pumps until idle and moves a virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/ui/WinUser.h"
#include "tools/testsupport/Reset.h"

namespace kq::ui::test {

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Handles a message by returning its result; std::nullopt lets DefWindowProc have it.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

// "WM_CREATE" for the messages tests look at, else the number in hex.
std::string MessageName(UINT message);

class UiTest : public ::testing::Test {
  public:
    static constexpr const char* kClass = "KqTestWindow";
    static constexpr const char* kDblClickClass = "KqTestDblClickWindow";

  protected:
    void SetUp() override;
    void TearDown() override;

    // Windows of the test classes (the fixture's procedure logs every message).
    HWND CreateTopLevel(RECT r, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD exStyle = 0,
                        HWND owner = nullptr, const char* cls = kClass);
    HWND CreateChild(HWND parent, int id, RECT r, DWORD style = WS_CHILD | WS_VISIBLE,
                     DWORD exStyle = 0, const char* cls = kClass);
    // Replaces the behaviour of one window; before it exists, of every window being created.
    void OnMessage(HWND hwnd, Handler handler);
    void OnCreation(Handler handler) { creationHandler_ = std::move(handler); }

    // The log, filled from any thread.
    std::vector<LoggedMessage> Log() const;
    void ClearLog();
    // Names of the messages one window received, in order; `only` restricts to those messages.
    std::vector<std::string> NamesOf(HWND hwnd, std::vector<UINT> only = {}) const;
    // Names as "window:message" over all windows, restricted to the given messages.
    std::vector<std::string> Sequence(std::vector<UINT> only,
                                      const std::map<HWND, std::string>& names) const;
    int Count(HWND hwnd, UINT message) const;

    int Pump() { return PumpUntilIdle(); }
    // Moves the virtual clock and pumps; with a step, in steps of that size.
    void Advance(int64_t ms, int64_t step = 0);

    // Input at screen coordinates, each followed by a pump.
    void MouseMove(POINT pt);
    void MouseDown(POINT pt, int button = VK_LBUTTON);
    void MouseUp(POINT pt, int button = VK_LBUTTON);
    void Click(POINT pt, int button = VK_LBUTTON);
    void KeyDown(UINT vk, const char* text = nullptr);
    void KeyUp(UINT vk);
    void KeyPress(UINT vk, const char* text = nullptr);
    void Type(const char* utf8);

    kq::ScopedVirtualClock clock_;

  private:
    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static UiTest* current_;

    mutable std::mutex mutex_;
    std::vector<LoggedMessage> log_;
    std::map<HWND, Handler> handlers_;
    Handler creationHandler_;
};

}  // namespace kq::ui::test
