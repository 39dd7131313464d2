#include <gtest/gtest.h>

#include <cstring>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

LOGFONT Face(const char* name, int height, int weight = FW_NORMAL) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    std::strncpy(lf.lfFaceName, name, LF_FACESIZE - 1);
    return lf;
}

}  // namespace

TEST(Text, WindowsFacesMapToMetricCompatibleFonts) {
    Canvas c(10, 10);
    CFont arial;
    LOGFONT lf = Face("Arial", -20);
    arial.CreateFontIndirect(&lf);
    c.dc.SelectObject(&arial);
    TEXTMETRIC tm{};
    ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
    // Arial's (and Liberation Sans') ascent and descent for a 20-pixel em.
    EXPECT_EQ(tm.tmAscent, 18);
    EXPECT_EQ(tm.tmDescent, 4);
    EXPECT_EQ(tm.tmHeight, 22);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    CString face;
    c.dc.GetTextFace(face);
    EXPECT_EQ(face, "Arial");

    // A positive height is the cell height.
    CFont cell;
    lf = Face("Arial", 22);
    cell.CreateFontIndirect(&lf);
    c.dc.SelectObject(&cell);
    c.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmHeight, 22);

    // Courier New is fixed pitch: every character has the same advance.
    CFont courier;
    lf = Face("Courier New", -16);
    courier.CreateFontIndirect(&lf);
    c.dc.SelectObject(&courier);
    EXPECT_EQ(c.dc.GetTextExtent("iiii").cx, c.dc.GetTextExtent("WWWW").cx);
    c.dc.GetTextMetrics(&tm);
    EXPECT_FALSE(tm.tmPitchAndFamily & TMPF_FIXED_PITCH);

    // Times New Roman maps to a serif face with other widths than Arial.
    CFont times;
    lf = Face("Times New Roman", -16);
    times.CreateFontIndirect(&lf);
    c.dc.SelectObject(&times);
    const int timesWidth = c.dc.GetTextExtent("Measurement").cx;
    c.dc.SelectObject(&arial);
    EXPECT_NE(timesWidth, c.dc.GetTextExtent("Measurement").cx);
}

TEST(Text, ExtentEqualsTheInkedAdvance) {
    Canvas whole(200, 30);
    Canvas parts(200, 30);
    CFont font;
    LOGFONT lf = Face("Arial", -16);
    font.CreateFontIndirect(&lf);
    for (Canvas* c : {&whole, &parts}) {
        c->dc.SelectObject(&font);
        c->dc.SetBkMode(TRANSPARENT);
    }
    whole.dc.TextOut(5, 5, CString("Torque 42.5 Nm"));
    const int first = parts.dc.GetTextExtent(CString("Torque 42")).cx;
    parts.dc.TextOut(5, 5, CString("Torque 42"));
    parts.dc.TextOut(5 + first, 5, CString(".5 Nm"));
    EXPECT_EQ(whole.Picture(0, 0, 200, 30), parts.Picture(0, 0, 200, 30));

    // Updating the current position continues exactly after the text.
    Canvas cp(200, 30);
    cp.dc.SelectObject(&font);
    cp.dc.SetBkMode(TRANSPARENT);
    cp.dc.SetTextAlign(TA_UPDATECP);
    cp.dc.MoveTo(5, 5);
    cp.dc.TextOut(0, 0, CString("Torque 42"));
    EXPECT_EQ(cp.dc.GetCurrentPosition(), CPoint(5 + first, 5));
    cp.dc.TextOut(0, 0, CString(".5 Nm"));
    EXPECT_EQ(cp.Picture(0, 0, 200, 30), whole.Picture(0, 0, 200, 30));

    // The ink stays within the measured width and the cell height.
    const CSize size = whole.dc.GetTextExtent(CString("Torque 42.5 Nm"));
    const RECT ink = whole.InkBox();
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.right, 5 + size.cx + 1);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + size.cy);
}

TEST(Text, AlignmentOpaqueBackgroundAndUtf8) {
    Canvas c(120, 40);
    CFont font;
    LOGFONT lf = Face("Arial", -14);
    font.CreateFontIndirect(&lf);
    c.dc.SelectObject(&font);
    TEXTMETRIC tm{};
    c.dc.GetTextMetrics(&tm);
    const CSize size = c.dc.GetTextExtent(CString("Abc"));
    // Opaque mode fills the text cell with the background colour.
    c.dc.SetBkColor(RGB(255, 0, 0));
    c.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    c.dc.TextOut(100, 30, CString("Abc"));
    EXPECT_EQ(c.At(100 - size.cx, 30 - tm.tmAscent), RGB(255, 0, 0));
    EXPECT_EQ(c.At(99, 30 + tm.tmDescent - 1), RGB(255, 0, 0));
    EXPECT_EQ(c.At(100, 30), kWhite);
    EXPECT_EQ(c.At(99, 30 + tm.tmDescent), kWhite);

    // UTF-8 is measured by code points; broken bytes are drawn as a replacement character.
    const CSize umlaut = c.dc.GetTextExtent(CString("\xC3\xA4"));  // a with diaeresis
    const CSize plain = c.dc.GetTextExtent(CString("a"));
    EXPECT_EQ(umlaut.cx, plain.cx);
    EXPECT_GT(c.dc.GetTextExtent(CString("\xC3")).cx, 0);
    EXPECT_GT(c.dc.GetTextExtent(CString("\xE2\x84\xA6")).cx, 0);  // Ohm sign
}

TEST(Text, RotatedTextAtNinetyAndTwoSeventyIsTheTurnedImage) {
    const char* text = "Kg 12";
    Canvas flat(80, 80);
    Canvas up(80, 80);
    Canvas down(80, 80);
    LOGFONT lf = Face("Arial", -16);
    CFont f0, f90, f270;
    f0.CreateFontIndirect(&lf);
    lf.lfEscapement = lf.lfOrientation = 900;
    f90.CreateFontIndirect(&lf);
    lf.lfEscapement = lf.lfOrientation = 2700;
    f270.CreateFontIndirect(&lf);
    flat.dc.SelectObject(&f0);
    up.dc.SelectObject(&f90);
    down.dc.SelectObject(&f270);
    for (Canvas* c : {&flat, &up, &down}) {
        c->dc.SetBkMode(TRANSPARENT);
        c->dc.SetTextAlign(TA_BASELINE);
    }
    flat.dc.TextOut(20, 40, text, 5);
    up.dc.TextOut(40, 60, text, 5);    // reading upwards from (40, 60)
    down.dc.TextOut(40, 20, text, 5);  // reading downwards from (40, 20)
    int compared = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            // A point (dx, dy) from the reference of the flat text is at (dy, -dx) from the
            // reference of the upward text (pixel cells: one less on the turned axis).
            const int dx = x - 20, dy = y - 40;
            const int ux = 40 + dy, uy = 60 - dx - 1;
            const int vx = 40 - dy - 1, vy = 20 + dx;
            if (ux < 0 || uy < 0 || ux >= 80 || uy >= 80 || vx < 0 || vy < 0 || vx >= 80 ||
                vy >= 80)
                continue;
            ASSERT_EQ(flat.At(x, y), up.At(ux, uy)) << x << "," << y;
            ASSERT_EQ(flat.At(x, y), down.At(vx, vy)) << x << "," << y;
            compared += flat.At(x, y) != kWhite;
        }
    EXPECT_GT(compared, 30);

    // Other angles draw too, along the rotated baseline.
    Canvas slant(80, 80);
    lf.lfEscapement = lf.lfOrientation = 450;
    CFont f45;
    f45.CreateFontIndirect(&lf);
    slant.dc.SelectObject(&f45);
    slant.dc.SetBkMode(TRANSPARENT);
    slant.dc.TextOut(10, 60, text, 5);
    const RECT ink = slant.InkBox();
    EXPECT_GT(ink.right - ink.left, 20);
    EXPECT_GT(ink.bottom - ink.top, 20);
    EXPECT_LT(ink.top, 45);
}

TEST(Text, FontWidthUnderlineAndWeight) {
    Canvas c(200, 40);
    LOGFONT lf = Face("Arial", 41);
    lf.lfWidth = 15;
    CFont wide;
    wide.CreateFontIndirect(&lf);
    c.dc.SelectObject(&wide);
    TEXTMETRIC tm{};
    c.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmAveCharWidth, 15);
    EXPECT_EQ(tm.tmHeight, 41);
    lf.lfWidth = 4;
    CFont narrow;
    narrow.CreateFontIndirect(&lf);
    c.dc.SelectObject(&narrow);
    c.dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmAveCharWidth, 4);

    LOGFONT ul = Face("Arial", -14);
    ul.lfUnderline = TRUE;
    CFont underlined;
    underlined.CreateFontIndirect(&ul);
    c.dc.SelectObject(&underlined);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextAlign(TA_BASELINE);
    c.dc.TextOut(10, 20, CString("...."));
    const int width = c.dc.GetTextExtent(CString("....")).cx;
    int underlineRow = -1;
    for (int y = 21; y < 30 && underlineRow < 0; ++y) {
        bool full = true;
        for (int x = 10; x < 10 + width; ++x)
            full = full && c.At(x, y) == kBlack;
        if (full)
            underlineRow = y;
    }
    EXPECT_GT(underlineRow, 20);

    CFont bold, normal;
    LOGFONT b = Face("Arial", -14, FW_BOLD);
    bold.CreateFontIndirect(&b);
    LOGFONT n = Face("Arial", -14, FW_NORMAL);
    normal.CreateFontIndirect(&n);
    c.dc.SelectObject(&bold);
    const int boldWidth = c.dc.GetTextExtent(CString("Sensor")).cx;
    c.dc.SelectObject(&normal);
    EXPECT_GT(boldWidth, c.dc.GetTextExtent(CString("Sensor")).cx);
}

TEST(Text, PointFontsAndMarlettSymbols) {
    Canvas c(40, 40);
    CFont point;
    point.CreatePointFont(90, "MS Sans Serif", &c.dc);  // 9 points at 96 dpi: 12 pixels
    LOGFONT lf{};
    point.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -12);

    LOGFONT m = Face("Marlett", -8);
    CFont marlett;
    marlett.CreateFontIndirect(&m);
    c.dc.SelectObject(&marlett);
    EXPECT_EQ(c.dc.GetTextExtent("r", 1), CSize(8, 8));
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(2, 2, "r", 1);  // the close symbol: a cross in the em square
    EXPECT_EQ(c.At(2 + 2, 2 + 2), kBlack);
    EXPECT_EQ(c.At(2 + 5, 2 + 2), kBlack);
    EXPECT_EQ(c.At(2 + 3, 2 + 0), kWhite);
    const RECT ink = c.InkBox();
    EXPECT_GE(ink.left, 2);
    EXPECT_LE(ink.right, 10);
}

TEST(Text, TabbedTextAndCharacterWidths) {
    Canvas c(300, 30);
    CFont font;
    LOGFONT lf = Face("Arial", -14);
    font.CreateFontIndirect(&lf);
    c.dc.SelectObject(&font);
    INT stops[] = {100};
    const CSize s = c.dc.GetTabbedTextExtent(CString("a\tb"), 1, stops);
    EXPECT_EQ(s.cx, 100 + c.dc.GetTextExtent("b", 1).cx);
    int widths[3] = {};
    c.dc.GetCharWidth('a', 'c', widths);
    EXPECT_EQ(widths[0], c.dc.GetTextExtent("a", 1).cx);
    EXPECT_EQ(widths[2], c.dc.GetTextExtent("c", 1).cx);
}

TEST(Text, FontFamiliesCanBeEnumerated) {
    Canvas c(4, 4);
    struct Seen {
        bool arial = false;
        bool marlett = false;
        int count = 0;
    } seen;
    auto proc = [](const LOGFONT* lf, const TEXTMETRIC*, DWORD type, LPARAM data) -> int {
        auto* s = reinterpret_cast<Seen*>(data);
        s->arial = s->arial || std::strcmp(lf->lfFaceName, "Arial") == 0;
        s->marlett = s->marlett || std::strcmp(lf->lfFaceName, "Marlett") == 0;
        ++s->count;
        return type == TRUETYPE_FONTTYPE ? 1 : 0;
    };
    ::EnumFontFamilies(c.hdc, nullptr, proc, reinterpret_cast<LPARAM>(&seen));
    EXPECT_TRUE(seen.arial);
    EXPECT_TRUE(seen.marlett);
    Seen one;
    ::EnumFontFamilies(c.hdc, "Times New Roman", proc, reinterpret_cast<LPARAM>(&one));
    EXPECT_EQ(one.count, 1);
}
