// The edit control: notifications, keyboard and mouse selection, UTF-8 carets, filters and
// limits, clipboard, undo, multi-line layout.
#include <algorithm>

#include "ui/dialog_test_support.h"

namespace kq::ui::test {
namespace {

class EditTest : public ControlTest {
  protected:
    HWND MakeEdit(const char* text = "", DWORD style = ES_AUTOHSCROLL,
                  RECT r = RECT{10, 10, 210, 30}) {
        HWND e = Make("EDIT", text, style | WS_TABSTOP, r);
        SetFocus(e);
        ClearLog();
        return e;
    }
    std::pair<DWORD, DWORD> Sel(HWND e) {
        DWORD start = 0, end = 0;
        SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    std::string Clipboard() {
        std::string text;
        if (OpenClipboard(nullptr)) {
            GetClipboardText(text);
            CloseClipboard();
        }
        return text;
    }
    void PutOnClipboard(const char* text) {
        OpenClipboard(nullptr);
        EmptyClipboard();
        SetClipboardText(text);
        CloseClipboard();
    }
    // x of the boundary before character i of a single-line edit (6-pixel cells, margin 1).
    static int X(int i) { return 1 + 6 * i; }
};

TEST_F(EditTest, EveryChangeSendsUpdateThenChangeBeforeTheCallReturns) {
    HWND e = MakeEdit();
    std::vector<std::string> seen;
    OnMessage(parent_, [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_COMMAND && HIWORD(w) == EN_CHANGE)
            seen.push_back(TextOf(e));
        return std::nullopt;
    });
    Type("ab");
    EXPECT_EQ(Codes(e), (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    ClearLog();
    SetWindowText(e, "xyz");
    EXPECT_EQ(Codes(e), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    ClearLog();
    SendMessage(e, EM_SETSEL, 1, 2);
    SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("--"));
    EXPECT_EQ(Codes(e), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "ab", "xyz", "x--z"}));
    // A caret move is no change.
    ClearLog();
    KeyPress(VK_HOME);
    EXPECT_TRUE(Codes(e).empty());
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 0}));
}

TEST_F(EditTest, FocusNotifications) {
    HWND e = Make("EDIT", "", WS_TABSTOP, RECT{0, 0, 100, 20});
    HWND other = Make("EDIT", "", WS_TABSTOP, RECT{0, 30, 100, 50}, 11);
    SetFocus(e);
    SetFocus(other);
    EXPECT_EQ(Codes(e), (std::vector<int>{EN_SETFOCUS, EN_KILLFOCUS}));
    CaretState caret = GetCaretState();
    EXPECT_EQ(caret.owner, other);
}

TEST_F(EditTest, KeyboardSelectionWithShiftCtrlHomeAndEnd) {
    HWND e = MakeEdit("hello world");
    KeyPress(VK_HOME);
    Shift(VK_RIGHT, 3);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 3}));
    Shift(VK_END);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 11}));
    KeyPress(VK_LEFT);  // collapses to the start of the selection
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 0}));
    Ctrl(VK_RIGHT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 6}));
    KeyDown(VK_CONTROL);
    Shift(VK_RIGHT);
    KeyUp(VK_CONTROL);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 11}));
    Ctrl(VK_LEFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 6}));
    // The caret is where the layout says.
    EXPECT_EQ(GetCaretState().pos.x, X(6));
}

TEST_F(EditTest, CaretMovesByCharacterOverMultiByteText) {
    HWND e = MakeEdit(
        "a\xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E"
        "b");  // a ä € 𝄞 b
    EXPECT_EQ(GetWindowTextLength(e), 11);
    KeyPress(VK_END);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{5, 5}));
    KeyPress(VK_LEFT);
    KeyPress(VK_LEFT);
    EXPECT_EQ(GetCaretState().pos.x, X(3));
    KeyPress(VK_BACK);  // the euro sign goes, all three bytes of it
    EXPECT_EQ(TextOf(e),
              "a\xC3\xA4\xF0\x9D\x84\x9E"
              "b");
    KeyPress(VK_DELETE);
    EXPECT_EQ(TextOf(e),
              "a\xC3\xA4"
              "b");
    Shift(VK_LEFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{1, 2}));
    Ctrl('C');
    EXPECT_EQ(Clipboard(), "\xC3\xA4");
    Type("\xC3\x9F");  // ß replaces the selection
    EXPECT_EQ(TextOf(e),
              "a\xC3\x9F"
              "b");
    char small[3];
    EXPECT_EQ(GetWindowText(e, small, sizeof small), 1);  // never half a character
}

TEST_F(EditTest, NumberEditsRefuseLettersAndLimitsHold) {
    HWND e = MakeEdit("", ES_NUMBER | ES_AUTOHSCROLL);
    Type("12a3-");
    EXPECT_EQ(TextOf(e), "123");
    SendMessage(e, EM_LIMITTEXT, 4, 0);
    ClearLog();
    Type("45");
    EXPECT_EQ(TextOf(e), "1234");
    EXPECT_EQ(Codes(e), (std::vector<int>{EN_UPDATE, EN_CHANGE, EN_MAXTEXT}));
    // Text set by the program is not limited; EM_REPLACESEL is.
    SetWindowText(e, "123456");
    EXPECT_EQ(TextOf(e), "123456");
    SetWindowText(e, "12");
    SendMessage(e, EM_SETSEL, 2, 2);
    SendMessage(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("9999"));
    EXPECT_EQ(TextOf(e), "1299");
}

TEST_F(EditTest, UpperCaseAndNarrowEditsWithoutScrolling) {
    HWND upper = MakeEdit("", ES_UPPERCASE | ES_AUTOHSCROLL);
    Type("ab\xC3\xA4");
    EXPECT_EQ(TextOf(upper), "AB\xC3\x84");
    // Eight characters fill this edit; without ES_AUTOHSCROLL the ninth is refused.
    HWND narrow = MakeEdit("", 0, RECT{0, 40, 50, 60});
    Type("abcdefghij");
    EXPECT_EQ(TextOf(narrow), "abcdefgh");
    EXPECT_EQ(Codes(narrow).back(), EN_MAXTEXT);
}

TEST_F(EditTest, ClipboardCutCopyPasteAndTheirRefusals) {
    HWND e = MakeEdit("one two");
    Ctrl('A');
    Ctrl('X');
    EXPECT_EQ(Clipboard(), "one two");
    EXPECT_EQ(TextOf(e), "");
    Ctrl('V');
    Ctrl('V');
    EXPECT_EQ(TextOf(e), "one twoone two");
    // A single-line edit takes the first line of what is pasted.
    PutOnClipboard("first\r\nsecond");
    SendMessage(e, WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(e), "one twoone twofirst");

    HWND password = MakeEdit("secret", ES_PASSWORD | ES_AUTOHSCROLL);
    PutOnClipboard("keep");
    SendMessage(password, EM_SETSEL, 0, -1);
    SendMessage(password, WM_COPY, 0, 0);
    SendMessage(password, WM_CUT, 0, 0);
    EXPECT_EQ(Clipboard(), "keep");
    EXPECT_EQ(TextOf(password), "secret");
    EXPECT_EQ(SendMessage(password, EM_GETPASSWORDCHAR, 0, 0), '*');

    HWND readOnly = MakeEdit("fixed", ES_READONLY | ES_AUTOHSCROLL);
    SendMessage(readOnly, EM_SETSEL, 0, -1);
    Ctrl('C');
    EXPECT_EQ(Clipboard(), "fixed");
    Ctrl('V');
    Type("x");
    KeyPress(VK_DELETE);
    EXPECT_EQ(TextOf(readOnly), "fixed");
    SendMessage(readOnly, EM_SETREADONLY, FALSE, 0);
    Type("x");
    EXPECT_EQ(TextOf(readOnly), "x");
}

TEST_F(EditTest, UndoTakesBackTheLastStepAndAgainRedoesIt) {
    HWND e = MakeEdit();
    Type("abc");
    KeyPress(VK_BACK);
    KeyPress(VK_BACK);
    EXPECT_EQ(TextOf(e), "a");
    EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
    Ctrl('Z');  // the run of backspaces goes back as one step
    EXPECT_EQ(TextOf(e), "abc");
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{1, 3}));
    Ctrl('Z');
    EXPECT_EQ(TextOf(e), "a");
    SetWindowText(e, "new");
    EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
    EXPECT_FALSE(SendMessage(e, EM_UNDO, 0, 0));
    EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
    Type("!");
    EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
}

TEST_F(EditTest, MouseSelectsWithTheCaptureAndDoubleClickTakesAWord) {
    HWND e = MakeEdit("hello world");
    SetFocus(parent_);
    MouseDown(At(e, X(2) + 1, 5));
    EXPECT_EQ(GetFocus(), e);
    EXPECT_EQ(GetCapture(), e);
    MouseMove(At(e, X(8) - 2, 5));
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{2, 8}));
    MouseMove(At(e, -50, 5));  // outside the edit the selection still follows
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 2}));
    MouseUp(At(e, X(9), 5));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{2, 9}));
    // Shift+click extends from the anchor.
    KeyDown(VK_SHIFT);
    Click(At(e, X(11), 5));
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{2, 11}));
    SendMessage(e, WM_LBUTTONDBLCLK, 0, MAKELPARAM(X(7), 5));
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 11}));
}

TEST_F(EditTest, SetSelSpecialValues) {
    HWND e = MakeEdit("abcdef");
    SendMessage(e, EM_SETSEL, 0, -1);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 6}));
    SendMessage(e, EM_SETSEL, 4, 2);  // the caret at the end given
    KeyDown(VK_SHIFT);
    KeyPress(VK_LEFT);
    KeyUp(VK_SHIFT);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{1, 4}));
    SendMessage(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{1, 1}));
    SendMessage(e, EM_SETSEL, 3, 100);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{3, 6}));
}

TEST_F(EditTest, LongTextScrollsToTheCaret) {
    HWND e = MakeEdit("", ES_AUTOHSCROLL, RECT{0, 0, 62, 20});  // ten characters wide
    Type("0123456789abcdef");
    const LRESULT caret = SendMessage(e, EM_POSFROMCHAR, 16, 0);
    EXPECT_LE(GET_X_LPARAM(caret), 61);
    EXPECT_GE(GET_X_LPARAM(caret), 1);
    KeyPress(VK_HOME);
    EXPECT_EQ(GET_X_LPARAM(SendMessage(e, EM_POSFROMCHAR, 0, 0)), X(0));
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(EditTest, MultiLineLinesWrapAndArrowsKeepTheColumn) {
    const DWORD style = ES_MULTILINE | ES_AUTOVSCROLL;
    HWND e = MakeEdit("one\r\ntwo\r\nthree", style, RECT{0, 0, 200, 100});
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 1, 0), 5);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 3, 0), -1);
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 6, 0), 3);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, 11, 0), 2);
    char line[16] = {};
    *reinterpret_cast<WORD*>(line) = sizeof line;
    EXPECT_EQ(SendMessage(e, EM_GETLINE, 2, reinterpret_cast<LPARAM>(line)), 5);
    EXPECT_EQ(std::string(line, 5), "three");

    SendMessage(e, EM_SETSEL, 2, 2);
    KeyPress(VK_DOWN);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{7, 7}));
    KeyPress(VK_END);
    KeyPress(VK_RIGHT);  // over the line break in one step
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{10, 10}));
    KeyPress(VK_BACK);  // and back over it
    EXPECT_EQ(TextOf(e), "one\r\ntwothree");

    // Without ES_AUTOHSCROLL lines wrap at blanks; ten cells fit.
    HWND wrap = MakeEdit("aaaa bbbb cccc", style, RECT{0, 110, 62, 200});
    EXPECT_EQ(SendMessage(wrap, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(wrap, EM_LINEINDEX, 1, 0), 10);
}

TEST_F(EditTest, MultiLineWithoutAutoScrollStopsAtTheLastVisibleLine) {
    // Two lines of 13 pixels fit.
    HWND e = MakeEdit("", ES_MULTILINE | ES_WANTRETURN, RECT{0, 0, 100, 30});
    Type("a\rb\rc");
    EXPECT_EQ(TextOf(e), "a\r\nbc");
    const std::vector<int> codes = Codes(e);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_MAXTEXT), 1);
}

}  // namespace
}  // namespace kq::ui::test
