#include <deque>
#include <functional>

#include "platform/ui/menu/MenuApi.h"
#include "platform/ui/menu/MenuBar.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

class MenuBarTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        frame_ = CreateTopLevel(RECT{100, 100, 600, 400});
        SetFocus(frame_);
        bar_ = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenu(file, MF_STRING, 10, "&New");
        AppendMenu(file, MF_STRING, 11, "E&xit");
        HMENU edit = CreatePopupMenu();
        AppendMenu(edit, MF_STRING, 20, "&Copy");
        AppendMenu(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenu(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
        // The frame's default handling, with the bar's part first.
        OnMessage(frame_, [this](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
            if (msg == WM_INITMENUPOPUP)
                opened_.push_back(reinterpret_cast<HMENU>(wp));
            if (msg == WM_ENTERIDLE) {
                idle_ = reinterpret_cast<HWND>(lp);
                if (steps_.empty()) {
                    EndMenu();
                } else {
                    auto step = std::move(steps_.front());
                    steps_.pop_front();
                    step();
                }
                return 0;
            }
            LRESULT result = 0;
            if (MenuBarDefaultHandling(h, msg, wp, lp, &result))
                return result;
            return std::nullopt;
        });
        Pump();
    }
    void TearDown() override {
        SetMenu(frame_, nullptr);
        DestroyMenu(bar_);
        UiTest::TearDown();
    }
    static void Key(UINT vk) {
        InjectKey(vk, true);
        InjectKey(vk, false);
    }
    // The command the last action brought to the frame, 0 for none; forgets it.
    UINT CommandPosted() {
        Pump();
        UINT id = 0;
        for (const LoggedMessage& m : Log())
            if (m.hwnd == frame_ && m.message == WM_COMMAND)
                id = LOWORD(m.wParam);
        ClearLog();
        return id;
    }
    static POINT Centre(const RECT& r) {
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    HWND frame_ = nullptr;
    HMENU bar_ = nullptr;
    HWND idle_ = nullptr;
    std::vector<HMENU> opened_;
    std::deque<std::function<void()>> steps_;
};

TEST_F(MenuBarTest, SetMenuMakesRoomForTheBarAboveTheClientArea) {
    RECT before{};
    GetClientRect(frame_, &before);
    ASSERT_TRUE(SetMenu(frame_, bar_));
    EXPECT_EQ(GetMenu(frame_), bar_);
    RECT after{};
    GetClientRect(frame_, &after);
    EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU));
    const RECT bar = MenuBarRect(frame_);
    POINT origin{0, 0};
    ClientToScreen(frame_, &origin);
    EXPECT_EQ(bar.bottom, origin.y);
    const std::vector<RECT> items = MenuBarItemRects(frame_);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].left, bar.left);
    EXPECT_EQ(items[1].left, items[0].right);
    // Children have no menu bar.
    HWND child = CreateChild(frame_, 5, RECT{0, 0, 10, 10});
    EXPECT_FALSE(SetMenu(child, bar_));
    SetMenu(frame_, nullptr);
    EXPECT_EQ(GetMenu(frame_), nullptr);
    RECT restored{};
    GetClientRect(frame_, &restored);
    EXPECT_EQ(restored.bottom, before.bottom);
}

TEST_F(MenuBarTest, ClickOnTheBarOpensThePopupAndAClickChooses) {
    SetMenu(frame_, bar_);
    const std::vector<RECT> items = MenuBarItemRects(frame_);
    steps_.push_back([this] {
        RECT r{};
        GetWindowRect(idle_, &r);
        EXPECT_EQ(r.left, MenuBarItemRects(frame_)[0].left);  // drops below the bar item
        const POINT exit{(r.left + r.right) / 2, r.bottom - 3 - 4};
        InjectMouseMove(exit);
        InjectMouseButton(exit, VK_LBUTTON, true);
        InjectMouseButton(exit, VK_LBUTTON, false);
    });
    MouseDown(Centre(items[0]));
    EXPECT_EQ(CommandPosted(), 11u);
    EXPECT_TRUE(steps_.empty());
}

TEST_F(MenuBarTest, HoveringAnotherBarItemSwitchesThePopup) {
    SetMenu(frame_, bar_);
    const std::vector<RECT> items = MenuBarItemRects(frame_);
    steps_.push_back([&] { InjectMouseMove(Centre(items[1])); });
    steps_.push_back([] {
        Key(VK_DOWN);  // a pop-up opened by the mouse has nothing highlighted yet
        Key(VK_RETURN);
    });
    MouseDown(Centre(items[0]));
    EXPECT_EQ(CommandPosted(), 20u);
    EXPECT_EQ(opened_, (std::vector<HMENU>{GetSubMenu(bar_, 0), GetSubMenu(bar_, 1)}));
}

TEST_F(MenuBarTest, F10AndArrowsWorkTheBarFromTheKeyboard) {
    SetMenu(frame_, bar_);
    steps_.push_back([] {
        Key(VK_RIGHT);  // "Edit" highlighted, nothing open yet
        Key(VK_DOWN);   // opens it on its first item
        Key(VK_RETURN);
    });
    KeyPress(VK_F10);
    EXPECT_EQ(CommandPosted(), 20u);
    steps_.push_back([] { Key(VK_ESCAPE); });
    KeyPress(VK_F10);
    EXPECT_EQ(CommandPosted(), 0u);
}

TEST_F(MenuBarTest, AltWithAMnemonicOpensThatPopup) {
    SetMenu(frame_, bar_);
    steps_.push_back([] { InjectKey('X', true, "x"); });
    KeyDown(VK_MENU);
    KeyDown('F', "f");
    KeyUp('F');
    KeyUp(VK_MENU);
    EXPECT_EQ(CommandPosted(), 11u);
    // Alt pressed and released alone highlights the bar; Escape leaves it.
    steps_.push_back([] { Key(VK_ESCAPE); });
    KeyPress(VK_MENU);
    EXPECT_TRUE(steps_.empty());
}

}  // namespace
}  // namespace kq::ui::test
