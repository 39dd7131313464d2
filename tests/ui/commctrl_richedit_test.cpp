#include <string>

#include "ui/commctrl_list_fixture.h"

namespace kq::ui::test {
namespace {

constexpr UINT kGetSel = 0x00B0;
constexpr UINT kSetSel = 0x00B1;
constexpr UINT kLineScroll = 0x00B6;
constexpr UINT kGetLineCount = 0x00BA;
constexpr UINT kLineIndex = 0x00BB;
constexpr UINT kReplaceSel = 0x00C2;
constexpr UINT kGetFirstVisibleLine = 0x00CE;
constexpr UINT kSetReadOnly = 0x00CF;
constexpr DWORD kReadOnly = 0x0800;
constexpr DWORD kMultiLine = 0x0004;

class RichEditTest : public CommCtrlTest {
  protected:
    void SetUp() override {
        CommCtrlTest::SetUp();
        edit_ = Create(RICHEDIT_CLASS10A, kMultiLine | kReadOnly, {10, 10, 210, 110});
        ASSERT_NE(edit_, nullptr);
    }
    // Appends as the application's log does: the default format with colour and weight,
    // applied to the inserted text.
    void Append(const char* text, COLORREF colour, bool bold) {
        CHARFORMAT cf{};
        cf.cbSize = sizeof cf;
        SendMessage(edit_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
        cf.dwMask = CFM_COLOR | CFM_BOLD;
        cf.dwEffects &= ~CFE_AUTOCOLOR;
        cf.dwEffects = bold ? (cf.dwEffects | CFE_BOLD) : (cf.dwEffects & ~CFE_BOLD);
        cf.crTextColor = colour;
        CHARRANGE before{};
        SendMessage(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&before));
        SendMessage(edit_, kReplaceSel, FALSE, reinterpret_cast<LPARAM>(text));
        CHARRANGE after{};
        SendMessage(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));
        CHARRANGE inserted{before.cpMax, after.cpMax};
        SendMessage(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&inserted));
        SendMessage(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        CHARRANGE end{after.cpMax, after.cpMax};
        SendMessage(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
        SendMessage(edit_, kLineScroll, 0, 1);
    }
    CHARFORMAT FormatOf(LONG from, LONG to) {
        CHARRANGE range{from, to};
        SendMessage(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMAT cf{};
        cf.cbSize = sizeof cf;
        SendMessage(edit_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    }
    std::string Text() {
        char buffer[4096] = {};
        GetWindowText(edit_, buffer, sizeof buffer);
        return buffer;
    }
    int Lines() { return static_cast<int>(SendMessage(edit_, kGetLineCount, 0, 0)); }
    HWND edit_ = nullptr;
};

TEST_F(RichEditTest, LogRunsKeepTheirColourAndWeight) {
    Append("Licence ", RGB(200, 0, 0), true);
    Append("conditions\r\n", RGB(0, 0, 0), false);
    Append("Größe", RGB(0, 0, 255), false);
    EXPECT_EQ(Text(), "Licence conditions\r\nGröße");
    // The window text is measured in bytes, positions in characters (the break counts two).
    EXPECT_EQ(GetWindowTextLength(edit_), 27);
    DWORD from = 0, to = 0;
    SendMessage(edit_, kGetSel, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 25u);
    EXPECT_EQ(to, 25u);
    EXPECT_EQ(Lines(), 2);
    EXPECT_EQ(SendMessage(edit_, kLineIndex, 1, 0), 20);

    CHARFORMAT red = FormatOf(0, 7);
    EXPECT_TRUE(red.dwMask & CFM_COLOR);
    EXPECT_EQ(red.crTextColor, RGB(200, 0, 0));
    EXPECT_FALSE(red.dwEffects & CFE_AUTOCOLOR);
    EXPECT_TRUE(red.dwEffects & CFE_BOLD);
    CHARFORMAT plain = FormatOf(8, 18);
    EXPECT_FALSE(plain.dwEffects & CFE_BOLD);
    EXPECT_EQ(plain.crTextColor, RGB(0, 0, 0));
    EXPECT_EQ(FormatOf(20, 25).crTextColor, RGB(0, 0, 255));
    // Across two runs the differing attributes leave the mask.
    CHARFORMAT mixed = FormatOf(5, 12);
    EXPECT_FALSE(mixed.dwMask & CFM_BOLD);
    EXPECT_FALSE(mixed.dwMask & CFM_COLOR);

    // SCF_ALL recolours everything; the default stays for new text.
    CHARFORMAT green{};
    green.cbSize = sizeof green;
    green.dwMask = CFM_COLOR;
    green.crTextColor = RGB(0, 128, 0);
    SendMessage(edit_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&green));
    EXPECT_EQ(FormatOf(0, 25).crTextColor, RGB(0, 128, 0));
    EXPECT_TRUE(FormatOf(0, 25).dwMask & CFM_COLOR);
}

TEST_F(RichEditTest, SelectionMessagesAndLimits) {
    SetWindowText(edit_, "one two three");
    SendMessage(edit_, kSetSel, 4, 7);
    char buffer[32] = {};
    EXPECT_EQ(SendMessage(edit_, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_STREQ(buffer, "two");
    CHARRANGE all{0, -1};
    EXPECT_EQ(SendMessage(edit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all)), 13);
    CHARRANGE got{};
    SendMessage(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.cpMin, 0);
    EXPECT_EQ(got.cpMax, 13);
    SendMessage(edit_, kSetSel, static_cast<WPARAM>(-1), 0);
    SendMessage(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.cpMin, got.cpMax);
    SendMessage(edit_, kSetSel, 100, 200);  // beyond the end: at the end
    SendMessage(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.cpMin, 13);

    SendMessage(edit_, EM_EXLIMITTEXT, 0, 16);
    SendMessage(edit_, kReplaceSel, FALSE, reinterpret_cast<LPARAM>(" four five"));
    EXPECT_EQ(Text(), "one two three fo");

    TEXTRANGE range{{4, 7}, buffer};
    EXPECT_EQ(SendMessage(edit_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)), 3);
    EXPECT_STREQ(buffer, "two");
}

TEST_F(RichEditTest, WrapsWordsAndScrollsByLines) {
    std::string text;
    for (int i = 0; i < 80; ++i)
        text += "word" + std::to_string(i) + " ";
    SetWindowText(edit_, text.c_str());
    const int lines = Lines();
    EXPECT_GT(lines, 8);
    // Every wrapped line after the first starts right after a blank.
    char buffer[8] = {};
    for (int line = 1; line < lines; ++line) {
        const LONG start = static_cast<LONG>(SendMessage(edit_, kLineIndex, line, 0));
        TEXTRANGE range{{start - 1, start}, buffer};
        SendMessage(edit_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
        EXPECT_STREQ(buffer, " ") << "line " << line;
    }
    EXPECT_EQ(SendMessage(edit_, kGetFirstVisibleLine, 0, 0), 0);
    SendMessage(edit_, kLineScroll, 0, 2);
    EXPECT_EQ(SendMessage(edit_, kGetFirstVisibleLine, 0, 0), 2);
    SendMessage(edit_, kLineScroll, 0, 1000);
    const int last = static_cast<int>(SendMessage(edit_, kGetFirstVisibleLine, 0, 0));
    EXPECT_GT(last, 2);
    EXPECT_LT(last, lines);
    SendMessage(edit_, kLineScroll, 0, -1000);
    EXPECT_EQ(SendMessage(edit_, kGetFirstVisibleLine, 0, 0), 0);
    // Putting the caret at the end and asking for it scrolls it into view.
    SendMessage(edit_, kSetSel, static_cast<WPARAM>(text.size()), static_cast<LPARAM>(text.size()));
    SendMessage(edit_, 0x00B7, 0, 0);
    EXPECT_EQ(SendMessage(edit_, kGetFirstVisibleLine, 0, 0), last);
}

TEST_F(RichEditTest, MouseSelectionCopyAndTyping) {
    SetWindowText(edit_, "alpha beta");
    POINT start{};
    SendMessage(edit_, 0x00D6, reinterpret_cast<WPARAM>(&start), 0);
    POINT mid{};
    SendMessage(edit_, 0x00D6, reinterpret_cast<WPARAM>(&mid), 5);
    MouseDown(At(edit_, start.x, start.y + 3));
    MouseMove(At(edit_, mid.x, mid.y + 3));
    MouseUp(At(edit_, mid.x, mid.y + 3));
    CHARRANGE got{};
    SendMessage(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.cpMin, 0);
    EXPECT_EQ(got.cpMax, 5);
    EXPECT_EQ(GetFocus(), edit_);
    InjectKey(VK_CONTROL, true);
    KeyPress('C', "");
    InjectKey(VK_CONTROL, false);
    std::string copied;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(kq::ui::GetClipboardText(copied));
    CloseClipboard();
    EXPECT_EQ(copied, "alpha");

    // Read-only: typing changes nothing; writable: it replaces the selection.
    Type("X");
    EXPECT_EQ(Text(), "alpha beta");
    SendMessage(edit_, kSetReadOnly, FALSE, 0);
    Type("X");
    EXPECT_EQ(Text(), "X beta");
    KeyPress(VK_BACK);
    EXPECT_EQ(Text(), " beta");

    // A double-click selects a word.
    POINT word{};
    SendMessage(edit_, 0x00D6, reinterpret_cast<WPARAM>(&word), 3);
    Click(At(edit_, word.x, word.y + 3));
    Click(At(edit_, word.x, word.y + 3));
    SendMessage(edit_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.cpMin, 1);
    EXPECT_EQ(got.cpMax, 5);
}

TEST_F(RichEditTest, PaintsColouredRunsBackgroundAndSelection) {
    SendMessage(edit_, EM_SETBKGNDCOLOR, FALSE, RGB(250, 250, 200));
    Append("RED", RGB(255, 0, 0), true);
    Append(" blue", RGB(0, 0, 255), false);
    auto canvas = Render(edit_);
    EXPECT_EQ(canvas->At(150, 80), RGB(250, 250, 200));
    POINT blue{};
    SendMessage(edit_, 0x00D6, reinterpret_cast<WPARAM>(&blue), 4);
    int red = 0, blues = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x) {
            const COLORREF c = canvas->At(x, y);
            red += x < blue.x && GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80;
            blues += x >= blue.x && GetBValue(c) > 150 && GetRValue(c) < 100 && GetGValue(c) < 100;
        }
    EXPECT_GT(red, 5);
    EXPECT_GT(blues, 5);

    SetFocus(edit_);
    SendMessage(edit_, kSetSel, 0, 3);
    canvas = Render(edit_);
    EXPECT_EQ(canvas->At(blue.x / 2, blue.y + 1), GetSysColor(COLOR_HIGHLIGHT));
    SendMessage(edit_, EM_HIDESELECTION, TRUE, 0);
    canvas = Render(edit_);
    EXPECT_NE(canvas->At(blue.x / 2, blue.y + 1), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(RichEditTest, ChangeNotificationOnlyWhenAskedForAndInsertionFormat) {
    int changes = 0;
    OnMessage(parent_, [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_COMMAND && HIWORD(w) == 0x0300)
            ++changes;
        return std::nullopt;
    });
    SendMessage(edit_, kReplaceSel, FALSE, reinterpret_cast<LPARAM>("a"));
    EXPECT_EQ(changes, 0);
    SendMessage(edit_, EM_SETEVENTMASK, 0, 0x00000001);  // ENM_CHANGE
    SendMessage(edit_, kReplaceSel, FALSE, reinterpret_cast<LPARAM>("b"));
    EXPECT_EQ(changes, 1);

    // A format set on an empty selection applies to the next text inserted there.
    CHARFORMAT bold{};
    bold.cbSize = sizeof bold;
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    SendMessage(edit_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
    SendMessage(edit_, kReplaceSel, FALSE, reinterpret_cast<LPARAM>("cd"));
    EXPECT_TRUE(FormatOf(2, 4).dwEffects & CFE_BOLD);
    EXPECT_FALSE(FormatOf(0, 2).dwEffects & CFE_BOLD);
    // Text typed after it continues its format.
    SendMessage(edit_, kSetSel, 4, 4);
    SendMessage(edit_, kReplaceSel, FALSE, reinterpret_cast<LPARAM>("e"));
    EXPECT_TRUE(FormatOf(4, 5).dwEffects & CFE_BOLD);
}

}  // namespace
}  // namespace kq::ui::test
