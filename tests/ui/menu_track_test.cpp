#include <deque>
#include <functional>

#include "platform/gfx/WinGdi.h"
#include "platform/ui/ModalLoops.h"
#include "platform/ui/menu/MenuApi.h"
#include "ui/UiTestFixture.h"

namespace kq::ui::test {
namespace {

class MenuTrackTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        owner_ = CreateTopLevel(RECT{100, 100, 500, 400});
        SetFocus(owner_);
        Pump();
        menu_ = CreatePopupMenu();
        sub_ = CreatePopupMenu();
        AppendMenu(menu_, MF_STRING, 10, "&Open");
        AppendMenu(menu_, MF_STRING, 11, "&Save\tCtrl+S");
        AppendMenu(menu_, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu_, MF_STRING | MF_GRAYED, 12, "&Print");
        AppendMenu(sub_, MF_STRING, 20, "&First");
        AppendMenu(sub_, MF_STRING, 21, "Se&cond");
        AppendMenu(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(sub_), "&More");
        // Each time the menu loop runs dry it tells the owner; the next scripted step runs.
        OnMessage(owner_, [this](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
            if (msg == WM_ENTERIDLE) {
                idlePopup_ = reinterpret_cast<HWND>(lp);
                if (steps_.empty()) {
                    EndMenu();  // a script that ran out must not hang the test
                } else {
                    auto step = std::move(steps_.front());
                    steps_.pop_front();
                    step();
                }
                return 0;
            }
            if (msg == WM_MENUCHAR && menuChar_)
                return menuChar_;
            return std::nullopt;
        });
        ClearLog();
    }
    void TearDown() override {
        DestroyMenu(menu_);
        UiTest::TearDown();
    }

    void Then(std::function<void()> step) { steps_.push_back(std::move(step)); }
    static void Key(UINT vk) {
        InjectKey(vk, true);
        InjectKey(vk, false);
    }
    // The screen centre of an item of the pop-up shown last, its items all of one height
    // (no separators above it).
    POINT ItemCentre(int index, int count) const {
        RECT r{};
        GetWindowRect(idlePopup_, &r);
        const int h = (r.bottom - r.top - 6) / count;
        return POINT{(r.left + r.right) / 2, r.top + 3 + h * index + h / 2};
    }
    static void ClickAt(POINT pt) {
        InjectMouseMove(pt);
        InjectMouseButton(pt, VK_LBUTTON, true);
        InjectMouseButton(pt, VK_LBUTTON, false);
    }
    // The owner's menu messages, as "INITMENUPOPUP" etc.
    std::vector<std::string> MenuMessages() const {
        std::vector<std::string> out;
        for (const LoggedMessage& m : Log()) {
            if (m.hwnd != owner_)
                continue;
            switch (m.message) {
                case WM_ENTERMENULOOP:
                    out.push_back("ENTERMENULOOP");
                    break;
                case WM_EXITMENULOOP:
                    out.push_back("EXITMENULOOP");
                    break;
                case WM_INITMENU:
                    out.push_back("INITMENU");
                    break;
                case WM_INITMENUPOPUP:
                    out.push_back("INITMENUPOPUP");
                    break;
                case WM_MENUSELECT:
                    out.push_back("MENUSELECT " + std::to_string(LOWORD(m.wParam)));
                    break;
                case WM_COMMAND:
                    out.push_back("COMMAND " + std::to_string(LOWORD(m.wParam)));
                    break;
                default:
                    break;
            }
        }
        return out;
    }
    BOOL Track(UINT flags = 0) {
        return TrackPopupMenu(menu_, flags, 150, 150, 0, owner_, nullptr);
    }

    HWND owner_ = nullptr;
    HMENU menu_ = nullptr;
    HMENU sub_ = nullptr;
    HWND idlePopup_ = nullptr;
    LRESULT menuChar_ = 0;
    std::deque<std::function<void()>> steps_;
};

TEST_F(MenuTrackTest, EndingTheThreadsModalLoopsClosesTheMenuWithoutACommand) {
    bool ranAfterTheMenu = false;
    Then([&] {
        Key(VK_DOWN);
        AfterModalLoops([&] { ranAfterTheMenu = ModalLoopDepth() == 0; }, true);
    });
    EXPECT_FALSE(Track(TPM_RETURNCMD));
    EXPECT_TRUE(ranAfterTheMenu);
    Pump();
    EXPECT_EQ(Count(owner_, WM_COMMAND), 0);
}

TEST_F(MenuTrackTest, KeyboardChoiceSendsTheMessagesInOrderAndPostsTheCommand) {
    Then([] {
        Key(VK_DOWN);
        Key(VK_DOWN);
        Key(VK_RETURN);
    });
    EXPECT_TRUE(Track());
    EXPECT_EQ(Count(owner_, WM_COMMAND), 0);  // posted, not sent
    Pump();
    EXPECT_EQ(MenuMessages(), (std::vector<std::string>{
                                  "ENTERMENULOOP", "INITMENU", "INITMENUPOPUP", "MENUSELECT 10",
                                  "MENUSELECT 11", "MENUSELECT 0", "EXITMENULOOP", "COMMAND 11"}));
    EXPECT_FALSE(IsWindow(idlePopup_));
}

TEST_F(MenuTrackTest, ReturnCmdGivesTheChoiceByMnemonicWithoutNotifications) {
    Then([] { InjectKey('S', true, "s"); });
    EXPECT_EQ(Track(TPM_RETURNCMD | TPM_NONOTIFY), 11);
    Pump();
    EXPECT_TRUE(MenuMessages().empty());
    // Arrows skip the separator; a grayed item can be highlighted but not chosen.
    Then([] {
        Key(VK_UP);  // wraps to "More"
        Key(VK_UP);  // "Print"
        Key(VK_RETURN);
    });
    Then([] { Key(VK_ESCAPE); });
    EXPECT_EQ(Track(TPM_RETURNCMD), 0);
}

TEST_F(MenuTrackTest, SubMenusOpenWithRightAndCloseLevelByLevelWithEscape) {
    Then([this] {
        EXPECT_EQ(GetMenuItemCount(menu_), 5);
        InjectKey('M', true, "m");  // opens "More" and highlights its first item
    });
    Then([this] {
        RECT sub{};
        GetWindowRect(idlePopup_, &sub);
        EXPECT_GT(sub.left, 150);  // beside the root menu
        Key(VK_ESCAPE);            // closes the sub-menu only
    });
    Then([] {
        Key(VK_RIGHT);  // "More" is still highlighted: open it again
        Key(VK_DOWN);
        Key(VK_RETURN);
    });
    EXPECT_EQ(Track(TPM_RETURNCMD), 21);
    int initPopups = 0;
    for (const LoggedMessage& m : Log())
        if (m.message == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(m.wParam) == sub_) {
            EXPECT_EQ(LOWORD(m.lParam), 4);  // position of "More" in its parent
            ++initPopups;
        }
    EXPECT_EQ(initPopups, 2);
    Then([] { Key(VK_ESCAPE); });
    EXPECT_EQ(Track(TPM_RETURNCMD), 0);
}

TEST_F(MenuTrackTest, MouseChoosesAcrossSubMenusAndAClickOutsideCancels) {
    Then([this] {
        RECT r{};
        GetWindowRect(idlePopup_, &r);
        InjectMouseMove(POINT{(r.left + r.right) / 2, r.bottom - 3 - 4});  // hovers "More"
    });
    Then([this] { ClickAt(ItemCentre(1, 2)); });  // the sub-menu is shown last
    EXPECT_TRUE(Track());
    Pump();
    EXPECT_EQ(Count(owner_, WM_COMMAND), 1);
    for (const LoggedMessage& m : Log()) {
        if (m.message == WM_COMMAND) {
            EXPECT_EQ(LOWORD(m.wParam), 21);
        }
    }

    Then([] { ClickAt(POINT{900, 900}); });
    ClearLog();
    EXPECT_EQ(Track(TPM_RETURNCMD), 0);
    EXPECT_EQ(MenuMessages().back(), "EXITMENULOOP");
}

TEST_F(MenuTrackTest, UnmatchedCharactersAskTheOwner) {
    menuChar_ = MAKELRESULT(1, MNC_EXECUTE);
    Then([] { InjectKey('Z', true, "z"); });
    EXPECT_EQ(Track(TPM_RETURNCMD), 11);
    bool asked = false;
    for (const LoggedMessage& m : Log())
        if (m.message == WM_MENUCHAR) {
            asked = true;
            EXPECT_EQ(LOWORD(m.wParam), 'z');
            EXPECT_EQ(HIWORD(m.wParam), MF_POPUP);
            EXPECT_EQ(reinterpret_cast<HMENU>(m.lParam), menu_);
        }
    EXPECT_TRUE(asked);
    menuChar_ = MAKELRESULT(0, MNC_CLOSE);
    Then([] { InjectKey('Q', true, "q"); });
    EXPECT_EQ(Track(TPM_RETURNCMD), 0);
}

TEST_F(MenuTrackTest, TimersKeepRunningWhileTheMenuIsOpen) {
    SetTimer(owner_, 7, 50, nullptr);
    Then([this] {
        clock_->AdvanceMillis(60);
        NotifyClockChanged();
    });
    Then([] { Key(VK_ESCAPE); });
    EXPECT_EQ(Track(TPM_RETURNCMD), 0);
    EXPECT_GE(Count(owner_, WM_TIMER), 1);
}

TEST_F(MenuTrackTest, OwnerDrawnItemsAreMeasuredOnceAndDrawnWithTheirState) {
    HMENU od = CreatePopupMenu();
    AppendMenu(od, MF_OWNERDRAW, 30, reinterpret_cast<LPCSTR>(0x1111));
    AppendMenu(od, MF_OWNERDRAW | MF_CHECKED | MF_GRAYED, 31, reinterpret_cast<LPCSTR>(0x2222));
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn, printed, selected;
    int phase = 0;
    OnMessage(owner_, [&](HWND, UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            mis->itemWidth = 80;
            mis->itemHeight = 20;
            measured.push_back(*mis);
            return TRUE;
        }
        if (msg == WM_DRAWITEM) {
            drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
            return TRUE;
        }
        if (msg != WM_ENTERIDLE)
            return std::nullopt;
        HWND popup = reinterpret_cast<HWND>(lp);
        if (phase == 0) {
            RECT r{};
            GetWindowRect(popup, &r);
            EXPECT_EQ(r.bottom - r.top, 2 * 20 + 6);
            drawn.clear();
            HDC dc = CreateCompatibleDC(nullptr);
            SendMessage(popup, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
            DeleteDC(dc);
            printed = drawn;
            drawn.clear();
            Key(VK_DOWN);
        } else if (phase == 1) {
            selected = drawn;
            Key(VK_ESCAPE);
        } else {
            EndMenu();
        }
        ++phase;
        return 0;
    });
    TrackPopupMenu(od, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr);
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].CtlType, ODT_MENU);
    EXPECT_EQ(printed[0].itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(printed[0].itemState, 0u);
    EXPECT_EQ(printed[0].itemData, 0x1111u);
    EXPECT_EQ(printed[0].hwndItem, reinterpret_cast<HWND>(od));
    EXPECT_EQ(printed[1].itemState, ODS_CHECKED | ODS_GRAYED);
    EXPECT_EQ(printed[1].rcItem.top, printed[0].rcItem.bottom);
    // The highlight moving onto the first item redraws just that item.
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0].itemAction, ODA_SELECT);
    EXPECT_EQ(selected[0].itemState, ODS_SELECTED);
    EXPECT_EQ(selected[0].itemID, 30u);

    phase = 2;
    TrackPopupMenu(od, TPM_RETURNCMD, 10, 10, 0, owner_, nullptr);
    ASSERT_EQ(measured.size(), 2u);  // not again on the second opening
    EXPECT_EQ(measured[0].CtlType, ODT_MENU);
    EXPECT_EQ(measured[0].itemID, 30u);
    EXPECT_EQ(measured[1].itemData, 0x2222u);
    DestroyMenu(od);
}

}  // namespace
}  // namespace kq::ui::test
