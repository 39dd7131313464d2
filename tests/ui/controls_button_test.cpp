// Buttons and statics: click tracking with the capture, the space bar, check states, radio
// groups, notifications; statics that report clicks and those the mouse passes through.
#include "platform/gfx/WinGdi.h"
#include "platform/ui/paint/Screenshot.h"
#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

class ButtonTest : public ControlTest {
  protected:
    HWND MakeButton(DWORD style = BS_PUSHBUTTON, RECT r = RECT{10, 10, 90, 33}, int id = 10) {
        HWND b = Make("BUTTON", "Press", style | WS_TABSTOP, r, id);
        ClearLog();
        return b;
    }
    bool Pushed(HWND b) { return (SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
    LRESULT Check(HWND b) { return SendMessage(b, BM_GETCHECK, 0, 0); }
};

TEST_F(ButtonTest, AClickCountsOnlyWhenReleasedOnTheButton) {
    HWND b = MakeButton();
    const POINT inside = Center(b);
    MouseDown(inside);
    EXPECT_EQ(GetCapture(), b);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_TRUE(Pushed(b));
    MouseMove(POINT{inside.x + 200, inside.y});
    EXPECT_FALSE(Pushed(b));
    MouseMove(inside);
    EXPECT_TRUE(Pushed(b));
    MouseUp(inside);
    EXPECT_EQ(Codes(b), std::vector<int>{BN_CLICKED});
    EXPECT_EQ(GetCapture(), nullptr);

    ClearLog();
    Advance(1000);
    MouseDown(inside);
    MouseUp(POINT{inside.x + 200, inside.y});
    EXPECT_TRUE(Codes(b).empty());
    EXPECT_FALSE(Pushed(b));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, TheSpaceBarPressesAndReleases) {
    HWND b = MakeButton();
    HWND other = MakeButton(BS_PUSHBUTTON, RECT{100, 10, 180, 33}, 11);
    SetFocus(b);
    KeyDown(VK_SPACE);
    EXPECT_TRUE(Pushed(b));
    EXPECT_TRUE(Codes(b).empty());
    KeyUp(VK_SPACE);
    EXPECT_EQ(Codes(b), std::vector<int>{BN_CLICKED});
    // Losing the focus in between cancels the press.
    KeyDown(VK_SPACE);
    SetFocus(other);
    KeyUp(VK_SPACE);
    EXPECT_EQ(Codes(b), std::vector<int>{BN_CLICKED});
    EXPECT_FALSE(Pushed(b));
}

TEST_F(ButtonTest, CheckBoxesCycleTheirStates) {
    HWND check = MakeButton(BS_AUTOCHECKBOX);
    Click(Center(check));
    EXPECT_EQ(Check(check), BST_CHECKED);
    Advance(1000);
    Click(Center(check));
    EXPECT_EQ(Check(check), BST_UNCHECKED);
    SendMessage(check, BM_SETCHECK, BST_INDETERMINATE, 0);  // only a 3-state box has a third
    EXPECT_EQ(Check(check), BST_CHECKED);

    HWND three = MakeButton(BS_AUTO3STATE, RECT{10, 40, 90, 60}, 11);
    std::vector<LRESULT> states;
    for (int i = 0; i < 3; ++i) {
        Advance(1000);
        Click(Center(three));
        states.push_back(Check(three));
    }
    EXPECT_EQ(states, (std::vector<LRESULT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));

    HWND plain = MakeButton(BS_CHECKBOX, RECT{10, 70, 90, 90}, 12);
    Click(Center(plain));
    EXPECT_EQ(Check(plain), BST_UNCHECKED);  // the parent decides
    EXPECT_EQ(Codes(plain), std::vector<int>{BN_CLICKED});
    EXPECT_EQ(SendMessage(MakeButton(), BM_GETCHECK, 0, 0), 0);
}

TEST_F(ButtonTest, AutoRadioButtonsUncheckTheirGroupOnly) {
    HWND r1 = MakeButton(BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 10, 90, 30}, 1);
    HWND r2 = MakeButton(BS_AUTORADIOBUTTON, RECT{10, 40, 90, 60}, 2);
    HWND r3 = MakeButton(BS_AUTORADIOBUTTON, RECT{10, 70, 90, 90}, 3);
    HWND other = MakeButton(BS_AUTORADIOBUTTON | WS_GROUP, RECT{10, 100, 90, 120}, 4);
    SendMessage(r1, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
    Click(Center(r2));
    EXPECT_EQ(Check(r1), BST_UNCHECKED);
    EXPECT_EQ(Check(r2), BST_CHECKED);
    EXPECT_EQ(Check(r3), BST_UNCHECKED);
    EXPECT_EQ(Check(other), BST_CHECKED);
    EXPECT_EQ(Codes(r2), std::vector<int>{BN_CLICKED});
    // Tab stops at the checked button of the group.
    EXPECT_TRUE(GetWindowLong(r2, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLong(r1, GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(SendMessage(r1, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
}

TEST_F(ButtonTest, DoubleClicksAndFocusNotifications) {
    HWND radio = MakeButton(BS_RADIOBUTTON);
    Click(Center(radio));
    Click(Center(radio));
    EXPECT_EQ(Codes(radio), (std::vector<int>{BN_CLICKED, BN_DBLCLK}));

    HWND push = MakeButton(BS_PUSHBUTTON, RECT{100, 10, 180, 33}, 11);
    Advance(1000);
    Click(Center(push));
    Click(Center(push));  // a push button counts both presses
    EXPECT_EQ(Codes(push), (std::vector<int>{BN_CLICKED, BN_CLICKED}));

    HWND notify = MakeButton(BS_PUSHBUTTON | BS_NOTIFY, RECT{200, 10, 280, 33}, 12);
    SetFocus(notify);
    SetFocus(push);
    EXPECT_EQ(Codes(notify), (std::vector<int>{BN_SETFOCUS, BN_KILLFOCUS}));
}

TEST_F(ButtonTest, ButtonMessages) {
    HWND b = MakeButton();
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(Codes(b), std::vector<int>{BN_CLICKED});
    EnableWindow(b, FALSE);
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(Codes(b).size(), 1u);
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    EXPECT_TRUE(Pushed(b));
    SendMessage(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLong(b, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON));
    EXPECT_TRUE(GetWindowLong(b, GWL_STYLE) & WS_TABSTOP);  // only the type changes

    // An owner-drawn button stays owner-drawn when the dialog makes it the default.
    HWND drawn = MakeButton(BS_OWNERDRAW, RECT{100, 10, 180, 33}, 11);
    EXPECT_EQ(SendMessage(drawn, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    SendMessage(drawn, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLong(drawn, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_OWNERDRAW));
    EXPECT_EQ(SendMessage(drawn, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);

    HANDLE image = reinterpret_cast<HANDLE>(static_cast<intptr_t>(0x40));
    SendMessage(b, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessage(b, BM_GETIMAGE, IMAGE_BITMAP, 0)), image);
    EXPECT_EQ(SendMessage(b, BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST_F(ButtonTest, GroupBoxesAndPlainStaticsLetTheMouseThrough) {
    HWND group = MakeButton(BS_GROUPBOX, RECT{10, 10, 200, 100});
    EXPECT_EQ(SendMessage(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    Click(Center(group));
    EXPECT_EQ(Count(parent_, WM_LBUTTONDOWN), 1);
    EXPECT_TRUE(Codes(group).empty());

    HWND label = Make("STATIC", "Label", SS_LEFT, RECT{10, 120, 100, 140}, 20);
    ClearLog();
    Click(Center(label));
    EXPECT_EQ(Count(parent_, WM_LBUTTONDOWN), 1);

    HWND link = Make("STATIC", "Link", SS_NOTIFY, RECT{10, 150, 100, 170}, 21);
    ClearLog();
    Advance(1000);
    Click(Center(link));
    Click(Center(link));
    EXPECT_EQ(Count(parent_, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Codes(link), (std::vector<int>{STN_CLICKED, STN_DBLCLK}));
    EnableWindow(link, FALSE);
    EXPECT_EQ(Codes(link).back(), STN_DISABLE);
}

TEST_F(ButtonTest, IconStaticsLoadTheIconTheirTextNames) {
    HWND icon = Make("STATIC", "#32513", SS_ICON, RECT{10, 10, 20, 20});  // the standard error icon
    EXPECT_NE(SendMessage(icon, STM_GETICON, 0, 0), 0);
    HWND missing = Make("STATIC", "#9999", SS_ICON, RECT{10, 40, 20, 50}, 11);
    EXPECT_EQ(SendMessage(missing, STM_GETICON, 0, 0), 0);
}

TEST_F(ButtonTest, StaticImages) {
    HWND picture = Make("STATIC", "", SS_BITMAP | SS_CENTERIMAGE, RECT{10, 10, 60, 60});
    HANDLE first = reinterpret_cast<HANDLE>(static_cast<intptr_t>(0x100));
    HANDLE second = reinterpret_cast<HANDLE>(static_cast<intptr_t>(0x200));
    EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP,
                                                   reinterpret_cast<LPARAM>(second))),
              first);
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              second);
    EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, IMAGE_ICON, 0), 0);
    SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, 0);  // detached again
    EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(ButtonTest, ARealSizeBitmapStaticKeepsItsSizeAndStretchesThePicture) {
    HWND picture =
        Make("STATIC", "", SS_BITMAP | SS_REALSIZECONTROL | WS_VISIBLE, RECT{10, 10, 50, 50});
    // 4 × 2 pixels: red on the left, blue on the right.
    const DWORD bits[8] = {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF,
                           0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF};
    HBITMAP bitmap = CreateBitmap(4, 2, 1, 32, bits);
    SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    RECT r{};
    GetWindowRect(picture, &r);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(r.bottom - r.top, 40);
    InvalidateRect(picture, nullptr, TRUE);
    UpdateWindow(picture);
    POINT origin{0, 0};
    ClientToScreen(picture, &origin);
    EXPECT_EQ(GetScreenPixel(origin.x + 5, origin.y + 35), RGB(255, 0, 0));
    EXPECT_EQ(GetScreenPixel(origin.x + 35, origin.y + 35), RGB(0, 0, 255));
    SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, 0);
    DeleteObject(bitmap);
}

}  // namespace
}  // namespace kq::ui::test
