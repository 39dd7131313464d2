// The tool tip control: tools (rectangles of a window, or whole windows), the mouse messages
// relayed to it, the initial, reshow and auto-pop delays on the program's clock, and the tip
// window shown near the cursor with its text, asked for by callback where the tool says so.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/commctrl/CommCtrl.h"

namespace kq::ui::commctrl {

class ToolTipState {
  public:
    struct Tool {
        UINT flags = 0;
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        RECT rect{};
        HINSTANCE hinst = nullptr;
        std::string text;
        bool callback = false;
        LPARAM lParam = 0;
    };

    explicit ToolTipState(HWND hwnd);
    HWND hwnd() const { return hwnd_; }

    bool Add(const TOOLINFO& info);
    bool Delete(const TOOLINFO& info);
    Tool* Find(HWND hwnd, UINT_PTR id);
    Tool* Find(const TOOLINFO& info) { return Find(info.hwnd, info.uId); }
    int Count() const { return static_cast<int>(tools_.size()); }
    const Tool& ToolAt(int i) const { return tools_[static_cast<size_t>(i)]; }
    void Describe(const Tool& tool, TOOLINFO* info) const;
    void SetText(Tool& tool, LPSTR text, HINSTANCE hinst);
    // The tool under a point of `window` (client coordinates), or null.
    Tool* ToolAt(HWND window, POINT pt);
    // The text to show: the tool's, a string resource, or the owner's answer to
    // TTN_GETDISPINFO.
    std::string TextOf(Tool& tool);

    void Relay(const MSG& msg);
    void OnTimer(UINT_PTR id);
    void Show();
    void Pop();
    void Activate(bool on);
    bool Showing() const { return showing_; }
    Tool* Current() { return current_ >= 0 ? &tools_[static_cast<size_t>(current_)] : nullptr; }

    int Delay(WPARAM which) const;
    void SetDelay(WPARAM which, int ms);
    void Paint(HDC hdc);
    // Installs or removes the procedure that sees the tool window's mouse messages.
    void Subclass(HWND window);
    void Unsubclass(HWND window);
    void UnsubclassAll();

    int maxWidth = -1;
    COLORREF bkColor;
    COLORREF textColor;
    RECT margin{2, 2, 2, 2};
    HFONT font = nullptr;

  private:
    void StartTimer(UINT_PTR id, int ms);
    void StopTimers();
    int IndexOf(const Tool* tool) const;

    HWND hwnd_;
    std::vector<Tool> tools_;
    int current_ = -1;
    bool showing_ = false;
    bool active_ = true;
    std::string shownText_;
    int initial_ = -1;  // -1: from the double-click time
    int reshow_ = -1;
    int autoPop_ = -1;
    bool recentlyShown_ = false;
};

LRESULT ToolTipWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kq::ui::commctrl
