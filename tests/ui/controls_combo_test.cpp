// The combo box: the drop-down list on the screen, opened, chosen from and cancelled, with the
// notifications in order; keys while closed; the edit of an editable combo box.
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/controls/TextMetrics.h"
#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

class ComboTest : public ControlTest {
  protected:
    HWND MakeCombo(DWORD style = CBS_DROPDOWNLIST, RECT r = RECT{10, 10, 160, 110}) {
        HWND c = Make("COMBOBOX", "", style | WS_TABSTOP | WS_VSCROLL, r);
        for (const char* item : {"alpha", "beta", "gamma", "delta"})
            SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        ClearLog();
        return c;
    }
    RECT Dropped(HWND c) {
        RECT r{};
        SendMessage(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Screen point on an item of the open list (one pixel of border, 13-pixel items).
    POINT ListItem(HWND c, int index) {
        RECT r = Dropped(c);
        return POINT{r.left + 20, r.top + 1 + index * 13 + 6};
    }
    POINT Button(HWND c) {
        RECT r{};
        GetWindowRect(c, &r);
        return POINT{r.right - 8, (r.top + r.bottom) / 2};
    }
    bool IsDropped(HWND c) { return SendMessage(c, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    LRESULT CurSel(HWND c) { return SendMessage(c, CB_GETCURSEL, 0, 0); }
    void AltDown() {
        KeyDown(VK_MENU);
        KeyPress(VK_DOWN);
        KeyUp(VK_MENU);
    }
};

TEST_F(ComboTest, TheClosedComboIsAsHighAsItsField) {
    HWND c = MakeCombo();
    RECT r{};
    GetWindowRect(c, &r);
    EXPECT_EQ(r.bottom - r.top, 21);
    EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 15);
    EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, 0, 0), 13);
    RECT d = Dropped(c);
    EXPECT_EQ(d.top, r.bottom);
    EXPECT_EQ(d.right - d.left, 150);
    EXPECT_EQ(d.bottom - d.top, 4 * 13 + 2);  // no longer than its items
}

TEST_F(ComboTest, ChoosingWithTheMouse) {
    HWND c = MakeCombo();
    SendMessage(c, CB_SETCURSEL, 0, 0);
    Click(Button(c));
    ASSERT_TRUE(IsDropped(c));
    HWND list = WindowFromPoint(ListItem(c, 0));
    ASSERT_NE(list, nullptr);
    EXPECT_NE(list, c);
    EXPECT_EQ(GetCapture(), list);
    EXPECT_EQ(GetFocus(), c);
    MouseMove(ListItem(c, 3));  // hovering only highlights
    EXPECT_EQ(CurSel(c), 0);
    Click(ListItem(c, 2));
    EXPECT_FALSE(IsDropped(c));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(CurSel(c), 2);
    EXPECT_EQ(TextOf(c), "gamma");
    EXPECT_EQ(Codes(c), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP,
                                          CBN_SELCHANGE}));
    // Choosing the item that is already selected reports no change.
    ClearLog();
    Click(Button(c));
    Click(ListItem(c, 2));
    EXPECT_EQ(Codes(c), (std::vector<int>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboTest, CancellingWithEscapeOrAClickElsewhere) {
    HWND c = MakeCombo();
    SendMessage(c, CB_SETCURSEL, 1, 0);
    SetFocus(c);
    ClearLog();
    KeyPress(VK_F4);
    ASSERT_TRUE(IsDropped(c));
    KeyPress(VK_DOWN);  // moves the selection at once
    EXPECT_EQ(CurSel(c), 2);
    KeyPress(VK_ESCAPE);
    EXPECT_FALSE(IsDropped(c));
    EXPECT_EQ(Codes(c),
              (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_CLOSEUP}));

    ClearLog();
    AltDown();
    ASSERT_TRUE(IsDropped(c));
    Click(POINT{600, 400});  // on the parent, far from the combo box
    EXPECT_FALSE(IsDropped(c));
    EXPECT_EQ(Codes(c), (std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(Count(parent_, WM_LBUTTONDOWN), 0);  // the click only closed the list
    EXPECT_EQ(CurSel(c), 2);

    // Enter chooses the highlighted item.
    ClearLog();
    AltDown();
    KeyPress(VK_UP);
    KeyPress(VK_RETURN);
    EXPECT_EQ(CurSel(c), 1);
    EXPECT_EQ(Codes(c), (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboTest, KeysWhileClosedChangeTheSelection) {
    HWND c = MakeCombo();
    SetFocus(c);
    ClearLog();
    KeyPress(VK_DOWN);
    EXPECT_EQ(CurSel(c), 0);
    KeyPress(VK_END);
    EXPECT_EQ(CurSel(c), 3);
    KeyPress(VK_DOWN);  // already at the end: nothing
    Type("b");
    EXPECT_EQ(CurSel(c), 1);
    EXPECT_EQ(TextOf(c), "beta");
    EXPECT_EQ(Codes(c), (std::vector<int>{CBN_SELENDOK, CBN_SELCHANGE, CBN_SELENDOK, CBN_SELCHANGE,
                                          CBN_SELENDOK, CBN_SELCHANGE}));
    EXPECT_FALSE(IsDropped(c));
    // With the extended interface Down opens the list.
    SendMessage(c, CB_SETEXTENDEDUI, TRUE, 0);
    KeyPress(VK_DOWN);
    EXPECT_TRUE(IsDropped(c));
}

TEST_F(ComboTest, AnEditableComboReportsTypingAndFollowsTheList) {
    HWND c = MakeCombo(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    HWND edit = GetWindow(c, GW_CHILD);
    ASSERT_NE(edit, nullptr);
    SetFocus(c);
    EXPECT_EQ(GetFocus(), edit);
    ClearLog();
    Type("be");
    EXPECT_EQ(Codes(c),
              (std::vector<int>{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(CurSel(c), CB_ERR);
    Type("ta");
    EXPECT_EQ(CurSel(c), 1);  // the text names an item
    ClearLog();
    SendMessage(c, CB_SETCURSEL, 3, 0);
    EXPECT_EQ(TextOf(c), "delta");
    EXPECT_TRUE(Codes(c).empty());
    DWORD start = 0, end = 0;
    SendMessage(c, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 5u);
    SendMessage(c, CB_SETEDITSEL, 0, MAKELPARAM(1, 3));
    SendMessage(c, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 3u);
    SendMessage(c, CB_LIMITTEXT, 5, 0);
    KeyPress(VK_END);
    Type("xyz");
    EXPECT_EQ(TextOf(c), "delta");

    // Up and Down walk the list while closed; Alt+Down opens it and Enter chooses.
    KeyPress(VK_UP);
    EXPECT_EQ(TextOf(c), "gamma");
    AltDown();
    EXPECT_TRUE(IsDropped(c));
    KeyPress(VK_UP);
    KeyPress(VK_RETURN);
    EXPECT_FALSE(IsDropped(c));
    EXPECT_EQ(TextOf(c), "beta");

    HWND other = Make("EDIT", "", WS_TABSTOP, RECT{0, 200, 100, 220}, 20);
    ClearLog();
    SetFocus(other);
    EXPECT_EQ(Codes(c), (std::vector<int>{CBN_KILLFOCUS}));
}

TEST_F(ComboTest, AListOfLongerTextsIsWiderThanItsBoxAndStaysOnTheScreen) {
    HWND c = MakeCombo(CBS_DROPDOWNLIST, RECT{10, 10, 70, 110});
    const char* longest = "Number of values, limits and more";
    SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longest));
    RECT box{};
    GetWindowRect(c, &box);
    const RECT d = Dropped(c);
    const int text = GetTextMetricsSource()->TextWidth(
        reinterpret_cast<HFONT>(SendMessage(c, WM_GETFONT, 0, 0)), longest);
    EXPECT_EQ(d.left, box.left);
    EXPECT_GE(d.right - d.left, text + 4);
    // Near the screen's right edge the wider list moves left instead of leaving the screen.
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    HWND edge = CreateTopLevel(RECT{screen - 80, 10, screen, 200}, WS_POPUP | WS_VISIBLE);
    HWND right = CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10,
                                60, 100, edge, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    SendMessage(right, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longest));
    EXPECT_LE(Dropped(right).right, screen);
}

TEST_F(ComboTest, TheListOpensUpwardsWithoutRoomBelow) {
    HWND low = CreateTopLevel(RECT{100, 1000, 400, 1070}, WS_POPUP | WS_VISIBLE);
    HWND c = CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10,
                            150, 100, low, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    for (const char* item : {"a", "b", "c", "d", "e"})
        SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    RECT r{};
    GetWindowRect(c, &r);
    RECT d = Dropped(c);
    EXPECT_EQ(d.bottom, r.top);
    SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
    HWND list = WindowFromPoint(POINT{d.left + 5, d.top + 5});
    RECT lr{};
    GetWindowRect(list, &lr);
    EXPECT_EQ(lr.bottom, r.top);
    SendMessage(c, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(list));
}

TEST_F(ComboTest, OwnerDrawnCombosMeasureFieldAndItems) {
    std::vector<UINT> measured;
    OnMessage(parent_, [&](HWND, UINT m, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (m != WM_MEASUREITEM)
            return std::nullopt;
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        EXPECT_EQ(mis->CtlType, ODT_COMBOBOX);
        measured.push_back(mis->itemID);
        mis->itemHeight = mis->itemID == static_cast<UINT>(-1) ? 24 : 18;
        return TRUE;
    });
    HWND c = Make("COMBOBOX", "", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                  RECT{10, 10, 160, 200});
    EXPECT_EQ(measured, (std::vector<UINT>{static_cast<UINT>(-1), 0}));
    EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 24);
    EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, 0, 0), 18);
    RECT r{};
    GetWindowRect(c, &r);
    EXPECT_EQ(r.bottom - r.top, 30);
}

TEST_F(ComboTest, InADialogAnOpenListTakesEnterAndEscape) {
    TemplateBuilder b;
    b.Add("COMBOBOX", "", 10, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 5, 5, 80, 60)
        .Add("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 80, 50, 14);
    static int okPressed = 0;
    okPressed = 0;
    DLGPROC proc = [](HWND, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        if (m == WM_COMMAND && LOWORD(w) == IDOK)
            ++okPressed;
        return m == WM_INITDIALOG;
    };
    HWND dlg =
        CreateDialogIndirectParam(nullptr, b.Style(WS_POPUP | WS_VISIBLE).Get(), parent_, proc, 0);
    SetPreTranslateHandler([dlg](MSG& m) { return IsDialogMessage(dlg, &m); });
    HWND c = GetDlgItem(dlg, 10);
    for (const char* item : {"one", "two"})
        SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SetFocus(c);
    KeyPress(VK_F4);
    ASSERT_TRUE(IsDropped(c));
    KeyPress(VK_DOWN);
    KeyPress(VK_RETURN);
    EXPECT_FALSE(IsDropped(c));
    EXPECT_EQ(CurSel(c), 0);
    EXPECT_EQ(okPressed, 0);
    KeyPress(VK_F4);
    KeyPress(VK_ESCAPE);
    EXPECT_FALSE(IsDropped(c));
    KeyPress(VK_RETURN);  // closed again, Enter is the dialog's
    EXPECT_EQ(okPressed, 1);
}

}  // namespace
}  // namespace kq::ui::test
