// The small pieces of the list family: the progress caption, the visual-style library that never
// loads here, and the list's tool-tip answers.
#include <cstring>

#include "controls/list/CThemeLibrary.h"
#include "controls/list/XListProgressCaption.h"
#include "list_fixture.h"

namespace kq::xlist::test {
namespace {

TEST(ListProgressCaption, OnlyTheFirstIntegerConversionTakesThePercent) {
    EXPECT_EQ(FormatProgressCaption("", 40), "40%");
    EXPECT_EQ(FormatProgressCaption("%s %d%%", 40), "%s 40%");
    EXPECT_EQ(FormatProgressCaption("%i of %d", 7), "7 of %d");
    EXPECT_EQ(FormatProgressCaption("Scan %d %% done", 100), "Scan 100 % done");
    EXPECT_EQ(FormatProgressCaption("50%", 3), "50%");
    EXPECT_EQ(FormatProgressCaption("%n%x%", 3), "%n%x%");
}

TEST(ListThemeLibrary, EveryWrapperAnswersItsFallbackAndTheDecisionStaysClassic) {
    EXPECT_EQ(LoadLibrary("UxTheme.dll"), nullptr);
    CThemeLibrary& theme = ThemeLibrary();
    EXPECT_FALSE(theme.IsLoaded());
    EXPECT_EQ(theme.OpenThemeData(nullptr, "COMBOBOX"), nullptr);
    EXPECT_EQ(theme.CloseThemeData(nullptr), E_FAIL);
    RECT rect{0, 0, 10, 10};
    EXPECT_EQ(theme.DrawThemeBackground(nullptr, nullptr, 1, 1, &rect, nullptr), E_FAIL);
    COLORREF colour = 123;
    EXPECT_EQ(theme.GetThemeColor(nullptr, 1, 1, TMT_BORDERCOLOR, &colour), E_FAIL);
    EXPECT_EQ(colour, 123u);
    EXPECT_FALSE(theme.IsAppThemed());
    char file[255] = {};
    char scheme[255] = {};
    EXPECT_EQ(theme.GetCurrentThemeName(file, 255, scheme, 255, nullptr, 0), E_FAIL);
    EXPECT_FALSE(theme.IsXPThemeActive());
    EXPECT_FALSE(theme.IsXPThemeActive());
}

// Gives the tests the cell records, to put in the tool-tip text no operation sets.
class CTipList : public CXListCtrl {
  public:
    using CXListCtrl::Cell;
};

class ListToolTipTest : public ListTest {};

TEST_F(ListToolTipTest, HitCodesNameTheCellAndTextsAreCutOnACharacterBoundary) {
    Fill(0);
    CTipList tips;
    ASSERT_TRUE(
        tips.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 410, 200), &page_, 1077));
    tips.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (int c = 0; c < 3; ++c)
        tips.InsertColumn(c, "C", LVCFMT_LEFT, 100);
    tips.InsertItem(0, "COM1");
    tips.InsertItem(1, "COM2");
    CRect cell;
    tips.GetSubItemRect(1, 2, LVIR_BOUNDS, cell);
    TOOLINFO info{};
    EXPECT_EQ(tips.OnToolHitTest(cell.CenterPoint(), &info), 1 * 1000 + 2 + 1);
    EXPECT_EQ(info.hwnd, tips.m_hWnd);
    EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACK);
    CRect client;
    tips.GetClientRect(&client);
    EXPECT_EQ(CRect(info.rect), client);
    EXPECT_EQ(tips.OnToolHitTest(CPoint(5, client.bottom - 3), &info), -1);

    NMTTDISPINFO request{};
    LRESULT result = 7;
    request.hdr.idFrom = 0;
    EXPECT_TRUE(tips.OnToolTipText(0, &request.hdr, &result));

    // 78 ASCII bytes and a three-byte character: the character does not fit in 79 bytes.
    std::string text(78, 'a');
    text += "\xE2\x82\xAC tail";
    tips.Cell(1, 2)->strToolTip = text.c_str();
    CPoint screen = cell.CenterPoint();
    tips.ClientToScreen(&screen);
    MouseMove(screen);
    request.hdr.idFrom = 1002 + 1;
    EXPECT_FALSE(tips.OnToolTipText(0, &request.hdr, &result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(std::strlen(request.szText), 78u);
    EXPECT_EQ(request.lpszText, request.szText);

    // Tool ids of rows far down reach the list through its notification map too.
    NMTTDISPINFO routed{};
    routed.hdr.hwndFrom = page_.m_hWnd;
    routed.hdr.idFrom = 70 * 1000 + 2 + 1;
    routed.hdr.code = TTN_NEEDTEXT;
    tips.SendMessage(WM_NOTIFY, routed.hdr.idFrom, reinterpret_cast<LPARAM>(&routed.hdr));
    EXPECT_EQ(std::strlen(routed.szText), 78u);
    tips.DestroyWindow();
}

}  // namespace
}  // namespace kq::xlist::test
