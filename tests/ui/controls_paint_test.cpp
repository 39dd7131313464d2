// The controls' look: painted into a supplied DC (WM_PRINTCLIENT), with the parent's
// WM_CTLCOLOR* brushes honoured and owner-drawn parts handed to WM_DRAWITEM.
#include "gfx/GfxTestUtil.h"
#include "platform/gfx/UserDraw.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/controls/OwnerDraw.h"
#include "platform/ui/paint/Screenshot.h"
#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

using kq::gfx::test::Canvas;

constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class ControlPaintTest : public ControlTest {
  protected:
    void Paint(HWND hwnd, Canvas& canvas) {
        SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.hdc), 0);
    }
    // The parent answers WM_CTLCOLOR* with this brush.
    void ParentBrush(UINT message, HBRUSH brush) {
        OnMessage(parent_,
                  [message, brush](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                      if (m == message)
                          return reinterpret_cast<LRESULT>(brush);
                      return std::nullopt;
                  });
    }
    int CountIn(const Canvas& c, RECT r, COLORREF color) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += c.At(x, y) == color;
        return n;
    }
};

TEST_F(ControlPaintTest, PushButtonsInTheClassicLook) {
    HWND normal = Make("BUTTON", "", BS_PUSHBUTTON, RECT{0, 0, 80, 23});
    HWND def = Make("BUTTON", "", BS_DEFPUSHBUTTON, RECT{0, 30, 80, 53}, 11);
    Canvas a(80, 23), b(80, 23), pushed(80, 23);
    Paint(normal, a);
    Paint(def, b);
    EXPECT_EQ(a.At(40, 11), kFace);
    EXPECT_EQ(a.At(0, 0), kWhite);    // raised: light top-left
    EXPECT_EQ(a.At(79, 22), kBlack);  // dark bottom-right
    EXPECT_EQ(b.At(0, 0), kBlack);    // the default button's extra frame
    EXPECT_EQ(b.At(1, 1), kWhite);
    SendMessage(normal, BM_SETSTATE, TRUE, 0);
    Paint(normal, pushed);
    EXPECT_NE(pushed.At(1, 1), kWhite);  // pressed in
    EXPECT_EQ(pushed.At(40, 11), kFace);
}

TEST_F(ControlPaintTest, CheckBoxesShowTheirState) {
    HWND box = Make("BUTTON", "", BS_AUTOCHECKBOX, RECT{0, 0, 80, 17});
    Canvas off(80, 17), on(80, 17);
    Paint(box, off);
    SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
    Paint(box, on);
    const RECT inside{3, 5, 11, 13};
    EXPECT_EQ(CountIn(off, inside, kBlack), 0);
    EXPECT_GT(CountIn(on, inside, kBlack), 5);
    EXPECT_EQ(off.At(60, 8), kFace);  // the background right of the box
}

TEST_F(ControlPaintTest, TheParentsBrushPaintsTheBackground) {
    HBRUSH red = CreateSolidBrush(kRed);
    ParentBrush(WM_CTLCOLORSTATIC, red);
    HWND label = Make("STATIC", "", SS_LEFT, RECT{0, 0, 40, 20});
    Canvas c(40, 20);
    Paint(label, c);
    EXPECT_EQ(c.Count(kRed), 40 * 20);
    // The null brush leaves the background as it is.
    ParentBrush(WM_CTLCOLORSTATIC, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    Canvas untouched(40, 20);
    Paint(label, untouched);
    EXPECT_EQ(untouched.Count(kWhite), 40 * 20);
    DeleteObject(red);

    // A parent that leaves the message to the default handling answers the system's colours.
    Canvas c2(4, 4);
    EXPECT_EQ(DefWindowProc(parent_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(c2.hdc), 0),
              reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_EQ(GetBkColor(c2.hdc), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(DefWindowProc(parent_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(c2.hdc), 0),
              reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(GetTextColor(c2.hdc), GetSysColor(COLOR_BTNTEXT));
}

TEST_F(ControlPaintTest, EditsHighlightTheSelectionWhileFocused) {
    HWND e = Make("EDIT", "abcdef", ES_AUTOHSCROLL, RECT{0, 0, 100, 20});
    SendMessage(e, EM_SETSEL, 0, -1);
    Canvas unfocused(100, 20);
    Paint(e, unfocused);
    EXPECT_EQ(unfocused.Count(kNavy), 0);
    EXPECT_EQ(unfocused.At(90, 10), kWhite);
    SetFocus(e);
    SendMessage(e, EM_SETSEL, 0, -1);
    Canvas focused(100, 20);
    Paint(e, focused);
    EXPECT_GT(CountIn(focused, RECT{1, 0, 37, 13}, kNavy), 0);
    EXPECT_EQ(CountIn(focused, RECT{40, 0, 100, 20}, kNavy), 0);

    HWND readOnly = Make("EDIT", "", ES_READONLY, RECT{0, 30, 100, 50}, 11);
    Canvas grey(100, 20);
    Paint(readOnly, grey);
    EXPECT_EQ(grey.At(50, 10), kFace);
}

TEST_F(ControlPaintTest, ListBoxesHighlightTheSelectedItem) {
    HWND l = Make("LISTBOX", "", LBS_NOINTEGRALHEIGHT, RECT{0, 0, 100, 65});
    for (const char* item : {"one", "two", "three"})
        SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessage(l, LB_SETCURSEL, 1, 0);
    Canvas c(100, 65);
    Paint(l, c);
    EXPECT_EQ(c.At(95, 6), kWhite);
    EXPECT_EQ(c.At(95, 19), kNavy);
    EXPECT_EQ(c.At(95, 32), kWhite);
    EXPECT_EQ(c.At(95, 60), kWhite);
}

TEST_F(ControlPaintTest, OwnerDrawnItemsGetTheDcAndTheirState) {
    std::vector<DRAWITEMSTRUCT> drawn;
    OnMessage(parent_, [&](HWND, UINT m, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (m != WM_DRAWITEM)
            return std::nullopt;
        drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    });
    HWND l = Make("LISTBOX", "", LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, RECT{0, 0, 100, 30});
    SendMessage(l, LB_ADDSTRING, 0, 0x10);
    SendMessage(l, LB_ADDSTRING, 0, 0x20);
    SendMessage(l, LB_ADDSTRING, 0, 0x30);  // below the visible area but the partial one
    SendMessage(l, LB_SETCURSEL, 1, 0);
    Canvas c(100, 30);
    Paint(l, c);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].CtlType, ODT_LISTBOX);
    EXPECT_EQ(drawn[0].hDC, c.hdc);
    EXPECT_EQ(drawn[1].itemID, 1u);
    EXPECT_EQ(drawn[1].itemData, 0x20u);
    EXPECT_EQ(drawn[1].rcItem.top, 13);
    EXPECT_TRUE(drawn[1].itemState & ODS_SELECTED);
    EXPECT_FALSE(drawn[0].itemState & ODS_SELECTED);

    drawn.clear();
    HWND b = Make("BUTTON", "", BS_OWNERDRAW, RECT{0, 40, 50, 60}, 11);
    SetFocus(b);
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    Paint(b, c);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].CtlType, ODT_BUTTON);
    EXPECT_EQ(drawn[0].itemState, ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(drawn[0].rcItem.right, 50);
}

TEST_F(ControlPaintTest, ScrollBarsDrawTheThumbWhereThePositionIs) {
    HBRUSH red = CreateSolidBrush(kRed);
    ParentBrush(WM_CTLCOLORSCROLLBAR, red);
    HWND sb = Make("SCROLLBAR", "", SBS_VERT, RECT{0, 0, 16, 200});
    SetScrollRange(sb, SB_CTL, 0, 100, FALSE);
    SetScrollPos(sb, SB_CTL, 100, FALSE);
    Canvas c(16, 200);
    Paint(sb, c);
    EXPECT_EQ(c.At(8, 40), kRed);                          // the track
    EXPECT_NE(c.At(8, 176), kRed);                         // the thumb at the end (168..184)
    EXPECT_GT(CountIn(c, RECT{0, 0, 16, 16}, kBlack), 3);  // the arrow
    DeleteObject(red);
}

TEST_F(ControlPaintTest, FramesLinesAndGroupBoxes) {
    HWND frame = Make("STATIC", "", SS_BLACKFRAME, RECT{0, 0, 20, 20});
    Canvas f(20, 20);
    Paint(frame, f);
    EXPECT_EQ(f.At(0, 10), kBlack);
    EXPECT_EQ(f.At(10, 10), kWhite);
    HWND line = Make("STATIC", "", SS_ETCHEDHORZ, RECT{0, 30, 50, 32}, 11);
    Canvas l(50, 2);
    Paint(line, l);
    EXPECT_EQ(l.At(20, 0), RGB(128, 128, 128));
    EXPECT_EQ(l.At(20, 1), kWhite);
    HWND group = Make("BUTTON", "", BS_GROUPBOX, RECT{0, 40, 100, 100}, 12);
    Canvas g(100, 60);
    Paint(group, g);
    EXPECT_EQ(g.At(0, 30), RGB(128, 128, 128));  // the etched frame's left side
    EXPECT_EQ(g.At(50, 30), kWhite);             // the inside is left alone
}

TEST_F(ControlPaintTest, DialogsEraseWithTheirColour) {
    TemplateBuilder b(40, 20, WS_POPUP);
    static HBRUSH brush = nullptr;
    brush = CreateSolidBrush(kRed);
    DLGPROC proc = [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_CTLCOLORDLG)
            return reinterpret_cast<INT_PTR>(brush);
        return m == WM_INITDIALOG;
    };
    HWND red = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, proc, 0);
    HWND plain = CreateDialogIndirectParam(nullptr, b.Get(), nullptr, nullptr, 0);
    Canvas c(60, 30), d(60, 30);
    SendMessage(red, WM_ERASEBKGND, reinterpret_cast<WPARAM>(c.hdc), 0);
    SendMessage(plain, WM_ERASEBKGND, reinterpret_cast<WPARAM>(d.hdc), 0);
    EXPECT_EQ(c.At(10, 10), kRed);
    EXPECT_EQ(d.At(10, 10), kFace);
    DeleteObject(brush);
}

// On the screen the window system paints the controls itself, again after every change.
TEST_F(ControlPaintTest, TheScreenFollowsTheControlsState) {
    HWND box = Make("BUTTON", "", BS_AUTOCHECKBOX, RECT{10, 10, 90, 27});
    HWND edit = Make("EDIT", "abcdef", ES_AUTOHSCROLL, RECT{10, 40, 110, 60}, 11);
    Pump();
    const POINT boxAt = At(box, 0, 2);
    auto blackInBox = [&] {
        int n = 0;
        for (int y = 3; y < 11; ++y)
            for (int x = 3; x < 11; ++x)
                n += GetScreenPixel(boxAt.x + x, boxAt.y + y) == kBlack;
        return n;
    };
    EXPECT_EQ(GetScreenPixel(boxAt.x + 60, boxAt.y + 6), kFace);
    EXPECT_EQ(blackInBox(), 0);
    Click(Center(box));
    EXPECT_GT(blackInBox(), 5);

    const POINT editAt = At(edit, 0, 0);
    EXPECT_EQ(GetScreenPixel(editAt.x + 90, editAt.y + 10), kWhite);
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 0, -1);
    Pump();
    int navy = 0;
    for (int x = 1; x < 37; ++x)
        for (int y = 0; y < 13; ++y)
            navy += GetScreenPixel(editAt.x + x, editAt.y + y) == kNavy;
    EXPECT_GT(navy, 0);
}

TEST_F(ControlPaintTest, ALabelRepaintsOnlyWhenItsTextChanges) {
    HWND label = Make("STATIC", "12 s", SS_LEFT, RECT{10, 10, 90, 27});
    Pump();
    RECT dirty{};
    EXPECT_TRUE(SetWindowText(label, "12 s"));
    EXPECT_FALSE(GetUpdateRect(label, &dirty, FALSE));
    EXPECT_TRUE(SetWindowText(label, "13 s"));
    EXPECT_TRUE(GetUpdateRect(label, &dirty, FALSE));
    char text[16] = {};
    GetWindowText(label, text, sizeof text);
    EXPECT_STREQ(text, "13 s");
}

TEST_F(ControlPaintTest, AWindowsOwnScrollBarIsDrawnInItsFrame) {
    HWND w = CreateTopLevel(RECT{300, 300, 500, 500}, WS_POPUP | WS_VISIBLE | WS_VSCROLL);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 99, 10, 0, 0};
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    Pump();
    // The bar takes the right 16 pixels; the arrow has its dark glyph, the thumb is at the top.
    int dark = 0;
    for (int y = 300; y < 316; ++y)
        for (int x = 484; x < 500; ++x)
            dark += GetScreenPixel(x, y) == kBlack;
    EXPECT_GT(dark, 3);
    auto edgesNearBottom = [] {
        int n = 0;
        for (int y = 466; y < 484; ++y)
            for (int x = 484; x < 500; ++x)
                n += GetScreenPixel(x, y) != kFace;
        return n;
    };
    EXPECT_EQ(edgesNearBottom(), 0);  // only the track
    SetScrollPos(w, SB_VERT, 90, TRUE);
    Pump();
    EXPECT_GT(edgesNearBottom(), 10);  // the thumb's edges have come down there
}

}  // namespace
}  // namespace kq::ui::test
