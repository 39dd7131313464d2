// The self-drawn combo box on its own and its drop-down window: keys, wheel and choices with the
// notifications they give, an empty combo, placing and sizing the drop-down, disabled items,
// clicks outside, the application losing the activation and the capture passing inside.
#include "list_fixture.h"

namespace kq::xlist::test {
namespace {

class AdvComboTest : public ListTest {
  protected:
    void Make(int items, CWnd* parent = nullptr, CRect rect = CRect(20, 330, 170, 350)) {
        for (int i = 0; i < items; ++i)
            combo_.AddString(("Item " + std::to_string(i)).c_str());
        ASSERT_TRUE(combo_.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, rect,
                                  parent != nullptr ? parent : &page_, 77));
        combo_.SetFocus();
        page_.log.clear();
    }
    // The notifications since the last call, by name.
    std::vector<std::string> Notes() {
        std::vector<std::string> out;
        for (const std::string& line : page_.log) {
            const int code = std::stoi(line.substr(4));
            switch (code) {
                case CBN_SELCHANGE:
                    out.push_back("selchange");
                    break;
                case CBN_DROPDOWN:
                    out.push_back("dropdown");
                    break;
                case CBN_CLOSEUP:
                    out.push_back("closeup");
                    break;
                case CBN_SELENDOK:
                    out.push_back("selendok");
                    break;
                case CBN_SELENDCANCEL:
                    out.push_back("selendcancel");
                    break;
                default:
                    break;
            }
        }
        page_.log.clear();
        return out;
    }
    CDropListBox* DropList() {
        return combo_.GetDropWnd() != nullptr ? combo_.GetDropWnd()->GetListBox() : nullptr;
    }
    CRect ScreenItem(int index) {
        CRect item;
        DropList()->GetItemRect(index, &item);
        DropList()->ClientToScreen(&item);
        return item;
    }
    using Strings = std::vector<std::string>;
    CAdvComboBox combo_;
};

TEST_F(AdvComboTest, KeysAndTheWheelMoveTheClosedSelection) {
    Make(25);
    combo_.SetCurSel(20);
    KeyPress(VK_NEXT);
    EXPECT_EQ(combo_.GetCurSel(), 24);
    EXPECT_EQ(Notes(), (Strings{"selendok", "selchange"}));
    KeyPress(VK_NEXT);
    EXPECT_TRUE(Notes().empty());  // already at the end: no change, no word
    combo_.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 60));
    EXPECT_EQ(combo_.GetCurSel(), 24);
    combo_.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 60));
    EXPECT_EQ(combo_.GetCurSel(), 23);
    KeyPress(VK_PRIOR);
    EXPECT_EQ(combo_.GetCurSel(), 13);
    KeyPress(VK_UP);
    EXPECT_EQ(combo_.GetCurSel(), 12);
    Type("(");
    EXPECT_EQ(combo_.GetCurSel(), 12);
    Notes();
}

TEST_F(AdvComboTest, AChoiceAndACancelGiveTheirNotificationsInOrder) {
    Make(0);
    for (const char* s : {"A", "B", "A"})
        combo_.AddString(s);
    KeyPress(VK_F4);
    ASSERT_TRUE(combo_.GetDroppedState());
    EXPECT_EQ(Notes(), Strings{"dropdown"});
    combo_.SendMessage(CAdvComboBox::kChooseItem, 2);
    EXPECT_FALSE(combo_.GetDroppedState());
    EXPECT_EQ(Notes(), (Strings{"selendok", "closeup", "selchange"}));
    // The second "A" selects the first: Down goes on to "B".
    KeyPress(VK_DOWN);
    CString text;
    combo_.GetLBText(combo_.GetCurSel(), text);
    EXPECT_EQ(text, "B");
    Notes();

    KeyPress(VK_F4);
    KeyPress(VK_ESCAPE);
    EXPECT_FALSE(combo_.GetDroppedState());
    EXPECT_EQ(Notes(), (Strings{"dropdown", "selendcancel", "closeup"}));

    // Alt+Down toggles as F4 does.
    KeyDown(VK_MENU);
    KeyPress(VK_DOWN);
    KeyUp(VK_MENU);
    EXPECT_TRUE(combo_.GetDroppedState());
    KeyPress(VK_F4);
    EXPECT_FALSE(combo_.GetDroppedState());
}

TEST_F(AdvComboTest, EnterWithNothingHighlightedOnlyCloses) {
    Make(3);
    KeyPress(VK_F4);
    ASSERT_EQ(DropList()->GetCurSel(), -1);
    Notes();
    KeyPress(VK_RETURN);
    EXPECT_FALSE(combo_.GetDroppedState());
    EXPECT_EQ(combo_.GetCurSel(), -1);
    EXPECT_EQ(Notes(), (Strings{"selendcancel", "closeup"}));
}

TEST_F(AdvComboTest, AnEmptyComboSurvivesEverything) {
    Make(0);
    EXPECT_EQ(combo_.SetCurSel(3), -1);
    EXPECT_EQ(combo_.SendMessage(CB_GETLBTEXTLEN, 0), -1);
    for (UINT vk : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_RETURN, VK_ESCAPE, VK_F4, VK_DOWN,
                    VK_NEXT, VK_PRIOR, VK_UP, VK_RETURN})
        KeyPress(vk);
    combo_.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
    combo_.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)));
    combo_.SendMessage(CAdvComboBox::kChooseItem, 5);
    combo_.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    KeyPress(VK_F4);
    combo_.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)));
    combo_.SendMessage(CAdvComboBox::kChooseItem, 0);
    Pump();
    EXPECT_EQ(combo_.GetCurSel(), -1);
    EXPECT_EQ(combo_.GetCount(), 0);
}

TEST_F(AdvComboTest, TheDropDownFitsItsItemsAndOpensAboveNearTheScreenBottom) {
    Make(3);
    combo_.SetDropDownLines(10);
    KeyPress(VK_F4);
    ASSERT_NE(DropList(), nullptr);
    const int itemHeight = DropList()->GetItemHeight(0);
    CRect drop;
    combo_.GetDropWnd()->GetWindowRect(&drop);
    CRect rect;
    combo_.GetWindowRect(&rect);
    EXPECT_EQ(drop.Height(), 3 * itemHeight + 2);
    EXPECT_EQ(drop.top, rect.bottom);
    EXPECT_EQ(drop.Width(), rect.Width());
    KeyPress(VK_F4);

    // Fewer than five lines of room below: it opens above, ending at the combo's top.
    CWnd low;
    const int screen = ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(low.CreateEx(0, AfxRegisterWndClass(0), "low", WS_POPUP | WS_VISIBLE, 300,
                             screen - 50, 200, 50, nullptr, nullptr));
    CAdvComboBox lowCombo;
    for (const char* s : {"a", "b", "c"})
        lowCombo.AddString(s);
    ASSERT_TRUE(lowCombo.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 150, 25), &low, 78));
    lowCombo.SetFocus();
    KeyPress(VK_F4);
    ASSERT_NE(lowCombo.GetDropWnd(), nullptr);
    lowCombo.GetDropWnd()->GetWindowRect(&drop);
    lowCombo.GetWindowRect(&rect);
    EXPECT_EQ(drop.bottom, rect.top);
    EXPECT_EQ(drop.Height(), 3 * itemHeight + 2);
    KeyPress(VK_F4);
    low.DestroyWindow();
}

TEST_F(AdvComboTest, TheGripSizesWithinTheComboWidthAndAHundredPixelsMore) {
    Make(4);
    KeyPress(VK_F4);
    CDropWnd* dropWnd = combo_.GetDropWnd();
    ASSERT_NE(dropWnd, nullptr);
    CRect first;
    dropWnd->GetWindowRect(&first);
    const CPoint grip(first.right - 4, first.bottom - 4);
    MouseMove(grip);
    MouseDown(grip);
    MouseMove(CPoint(first.left - 200, grip.y));
    CRect now;
    dropWnd->GetWindowRect(&now);
    EXPECT_EQ(now.Width(), first.Width());  // never narrower than the combo
    MouseMove(CPoint(grip.x + 500, grip.y + 500));
    dropWnd->GetWindowRect(&now);
    EXPECT_EQ(now.Width(), first.Width() + 100);
    EXPECT_EQ(now.Height(), first.Height() + 100);
    MouseUp(CPoint(grip.x + 500, grip.y + 500));
    EXPECT_TRUE(combo_.GetDroppedState());
}

TEST_F(AdvComboTest, DisabledItemsAreNeitherHighlightedNorChosen) {
    Make(3);
    combo_.ItemAt(2)->bDisabled = 1;  // the drop-down hands each item to AddListItem
    KeyPress(VK_F4);
    ASSERT_TRUE(DropList()->IsItemDisabled(2));
    MouseMove(ScreenItem(0).CenterPoint());
    MouseMove(ScreenItem(0).CenterPoint() + CPoint(1, 0));
    EXPECT_EQ(DropList()->GetCurSel(), 0);
    MouseMove(ScreenItem(2).CenterPoint());
    EXPECT_EQ(DropList()->GetCurSel(), 0);
    Click(ScreenItem(2).CenterPoint());
    Pump();
    EXPECT_TRUE(combo_.GetDroppedState());
    // An enabled item is chosen on release.
    MouseMove(ScreenItem(1).CenterPoint());
    Click(ScreenItem(1).CenterPoint());
    Pump();
    EXPECT_FALSE(combo_.GetDroppedState());
    EXPECT_EQ(combo_.GetCurSel(), 1);
}

TEST_F(AdvComboTest, TheCapturePassesInsideAndAClickOutsideCloses) {
    Make(30);
    combo_.SetDropDownLines(5);
    KeyPress(VK_F4);
    CDropWnd* dropWnd = combo_.GetDropWnd();
    ASSERT_NE(dropWnd, nullptr);
    EXPECT_EQ(CWnd::GetCapture(), dropWnd);
    MouseMove(ScreenItem(1).CenterPoint());
    EXPECT_EQ(CWnd::GetCapture(), DropList());
    CRect scroll;
    dropWnd->GetScrollBar()->GetWindowRect(&scroll);
    MouseMove(scroll.CenterPoint());
    MouseMove(scroll.CenterPoint());
    EXPECT_EQ(CWnd::GetCapture(), dropWnd->GetScrollBar());
    CRect drop;
    dropWnd->GetWindowRect(&drop);
    MouseMove(CPoint(drop.right + 40, drop.bottom + 40));
    EXPECT_EQ(CWnd::GetCapture(), dropWnd);
    Notes();
    page_.SetFocus();
    Click(CPoint(drop.right + 40, drop.bottom + 40));
    Pump();
    EXPECT_FALSE(combo_.GetDroppedState());
    EXPECT_EQ(CWnd::GetFocus(), &combo_);  // the press reached the combo
    EXPECT_EQ(Notes(), (Strings{"selendcancel", "closeup"}));
}

TEST_F(AdvComboTest, LosingTheApplicationActivationCloses) {
    Make(3);
    KeyPress(VK_F4);
    ASSERT_NE(combo_.GetDropWnd(), nullptr);
    combo_.GetDropWnd()->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    Pump();
    EXPECT_FALSE(combo_.GetDroppedState());
    EXPECT_EQ(combo_.GetDropWnd(), nullptr);
}

}  // namespace
}  // namespace kq::xlist::test
