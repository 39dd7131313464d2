// Helpers shared by the dialog and control suites: dialog templates built in code, a dialog
// procedure that records what the dialog is told, and a fixture that runs the dialog manager.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/ResourceTemplates.h"
#include "platform/ui/WinUser.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/TextMetrics.h"
#include "platform/ui/dialog/Dialog.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {

class TemplateBuilder {
  public:
    explicit TemplateBuilder(short cx = 200, short cy = 120,
                             DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME) {
        t_.style = style;
        t_.cx = cx;
        t_.cy = cy;
        t_.caption = Keep("Dialog");
    }
    TemplateBuilder& Add(const char* cls, const char* text, int id, DWORD style, short x, short y,
                         short cx, short cy, DWORD exStyle = 0) {
        kq::ControlTemplate c;
        c.className = Keep(cls);
        c.text = Keep(text);
        c.id = id;
        c.style = style | WS_CHILD | WS_VISIBLE;
        c.exStyle = exStyle;
        c.x = x;
        c.y = y;
        c.cx = cx;
        c.cy = cy;
        controls_.push_back(c);
        return *this;
    }
    TemplateBuilder& Style(DWORD style) {
        t_.style = style;
        return *this;
    }
    const kq::DialogTemplate* Get() {
        t_.controls = std::span<const kq::ControlTemplate>(controls_.data(), controls_.size());
        return &t_;
    }

  private:
    std::string_view Keep(const char* s) { return strings_.emplace_back(s); }

    std::deque<std::string> strings_;
    std::vector<kq::ControlTemplate> controls_;
    kq::DialogTemplate t_;
};

struct Command {
    int id;
    int code;
};

class DialogTest : public UiTest {
  protected:
    // Positions are checked to the pixel, so text is measured in fixed cells whatever fonts
    // the machine has.
    void SetUp() override {
        UiTest::SetUp();
        SetTextMetricsSource(std::make_shared<FixedCellTextMetrics>());
        current_ = this;
    }
    void TearDown() override {
        UiTest::TearDown();
        SetTextMetricsSource(nullptr);
        current_ = nullptr;
    }

    // A modeless dialog whose keys go through IsDialogMessage, as an application's loop does.
    HWND Modeless(const kq::DialogTemplate* t, HWND owner = nullptr) {
        HWND dlg = CreateDialogIndirectParam(nullptr, t, owner, &DialogTest::Proc, 0);
        SetPreTranslateHandler([dlg](MSG& m) { return IsWindow(dlg) && IsDialogMessage(dlg, &m); });
        Pump();
        return dlg;
    }
    std::vector<std::string> CommandNames() const {
        std::vector<std::string> out;
        for (const Command& c : commands_)
            out.push_back(std::to_string(c.id) + ":" + std::to_string(c.code));
        return out;
    }
    // The ids of the BN_CLICKED commands, in order.
    std::vector<int> Clicks() const {
        std::vector<int> out;
        for (const Command& c : commands_) {
            if (c.code == BN_CLICKED)
                out.push_back(c.id);
        }
        return out;
    }
    // Screen point at the centre of a window.
    static POINT Center(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static POINT ClientPoint(HWND hwnd, int x, int y) {
        POINT pt{x, y};
        ClientToScreen(hwnd, &pt);
        return pt;
    }

    std::vector<Command> commands_;
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> dialogHandler_;

    // The dialog procedure of the test's dialogs: records WM_COMMAND, then asks the handler.
    static INT_PTR Proc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
        DialogTest* self = current_;
        if (!self)
            return FALSE;
        if (message == WM_COMMAND)
            self->commands_.push_back(Command{LOWORD(wParam), HIWORD(wParam)});
        if (self->dialogHandler_)
            return self->dialogHandler_(dlg, message, wParam, lParam);
        return message == WM_INITDIALOG;
    }

  private:
    static inline DialogTest* current_ = nullptr;
};

// Controls as children of a plain top-level window whose messages the fixture logs.
class ControlTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        SetTextMetricsSource(std::make_shared<FixedCellTextMetrics>());
        parent_ = CreateTopLevel(RECT{100, 100, 700, 500}, WS_POPUP | WS_VISIBLE);
    }
    void TearDown() override {
        UiTest::TearDown();
        SetTextMetricsSource(nullptr);
    }
    HWND Make(const char* cls, const char* text, DWORD style, RECT r, int id = 10,
              DWORD exStyle = 0) {
        return CreateWindowEx(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, parent_,
                              reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    }
    // The notification codes the parent got from a control (WM_COMMAND), in order.
    std::vector<int> Codes(HWND control) const {
        std::vector<int> out;
        for (const LoggedMessage& m : Log()) {
            if (m.hwnd == parent_ && m.message == WM_COMMAND &&
                reinterpret_cast<HWND>(m.lParam) == control)
                out.push_back(HIWORD(m.wParam));
        }
        return out;
    }
    std::string TextOf(HWND hwnd) {
        char text[256] = "";
        GetWindowText(hwnd, text, sizeof text);
        return text;
    }
    static POINT Center(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static POINT At(HWND hwnd, int x, int y) {
        POINT pt{x, y};
        ClientToScreen(hwnd, &pt);
        return pt;
    }
    void Ctrl(UINT vk) {
        KeyDown(VK_CONTROL);
        KeyPress(vk);
        KeyUp(VK_CONTROL);
    }
    void Shift(UINT vk, int times = 1) {
        KeyDown(VK_SHIFT);
        for (int i = 0; i < times; ++i)
            KeyPress(vk);
        KeyUp(VK_SHIFT);
    }

    HWND parent_ = nullptr;
};

}  // namespace kq::ui::test
