#include <gtest/gtest.h>

#include <cstring>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class TextLayoutTest : public ::testing::Test {
  protected:
    TextLayoutTest() : c(200, 60) {
        LOGFONT lf{};
        lf.lfHeight = -14;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        std::strcpy(lf.lfFaceName, "Arial");
        font.CreateFontIndirect(&lf);
        c.dc.SelectObject(&font);
        c.dc.GetTextMetrics(&tm);
    }
    int Width(const char* s) { return c.dc.GetTextExtent(s, static_cast<int>(std::strlen(s))).cx; }

    Canvas c;
    CFont font;
    TEXTMETRIC tm{};
};

}  // namespace

TEST_F(TextLayoutTest, CentreAndBottomAlignmentAndClippedOpaqueRectangles) {
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    c.dc.TextOut(100, 40, CString("Wave"));
    const RECT ink = c.InkBox();
    const int w = Width("Wave");
    EXPECT_GE(ink.left, 100 - w / 2 - 1);
    EXPECT_LE(ink.right, 100 + w / 2 + 1);
    EXPECT_LE(ink.bottom, 40);
    EXPECT_GT(ink.bottom, 40 - tm.tmDescent - 2);

    // ETO_OPAQUE fills the rectangle, ETO_CLIPPED keeps the text inside it.
    c.Clear();
    c.dc.SetTextAlign(TA_LEFT | TA_TOP);
    c.dc.SetBkColor(RGB(0, 0, 255));
    const CRect rc(10, 10, 30, 30);
    c.dc.ExtTextOut(10, 10, ETO_OPAQUE | ETO_CLIPPED, &rc, CString("Wavelength"), nullptr);
    EXPECT_EQ(c.At(29, 29), RGB(0, 0, 255));
    EXPECT_EQ(c.At(30, 12), kWhite);
    EXPECT_LE(c.InkBox().right, 30);

    // Explicit advances place every character.
    c.Clear();
    c.dc.SetBkMode(TRANSPARENT);
    INT dx[3] = {40, 40, 40};
    c.dc.ExtTextOut(0, 0, 0, nullptr, "iii", 3, dx);
    EXPECT_GT(c.InkBox().right, 80);
}

TEST_F(TextLayoutTest, MappedTextScalesWithTheMapping) {
    const int plain = Width("Torque");
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(0, 0, CString("Torque"));
    const RECT plainInk = c.InkBox();
    c.Clear();
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowExt(1, 1);
    c.dc.SetViewportExt(2, 2);
    c.dc.SelectObject(&font);  // realised again at twice the size
    TEXTMETRIC mapped{};
    c.dc.GetTextMetrics(&mapped);
    // Measured in logical units the text is as large as before (within rounding).
    EXPECT_NEAR(mapped.tmHeight, tm.tmHeight, 1);
    EXPECT_NEAR(Width("Torque"), plain, 2);
    c.dc.TextOut(0, 0, CString("Torque"));
    EXPECT_NEAR(c.InkBox().right, 2 * plainInk.right, 4);
    EXPECT_NEAR(c.InkBox().bottom, 2 * plainInk.bottom, 4);
}

TEST_F(TextLayoutTest, DrawTextEllipsesAndEmptyText) {
    // Word ellipsis cuts at a word end, multi-line end ellipsis works per line.
    CRect rc(0, 0, Width("Sensor inform") + 1, 0);
    CRect calc = rc;
    c.dc.DrawText(CString("Sensor information\nshort"), &calc,
                  DT_CALCRECT | DT_END_ELLIPSIS | DT_NOPREFIX);
    EXPECT_EQ(calc.Height(), 2 * tm.tmHeight);
    EXPECT_LE(calc.Width(), rc.Width());

    CRect empty(5, 5, 5, 5);
    EXPECT_EQ(c.dc.DrawText(CString(""), &empty, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), tm.tmHeight);

    CRect lead(0, 0, 100, 0);
    c.dc.DrawText(CString("a\nb"), &lead, DT_CALCRECT | DT_EXTERNALLEADING);
    EXPECT_EQ(lead.Height(), 2 * (tm.tmHeight + tm.tmExternalLeading));
}

TEST_F(TextLayoutTest, DrawStateTextDisabledAndComplex) {
    c.Clear(RGB(192, 192, 192));
    c.dc.DrawState(CPoint(10, 10), CSize(0, 0), "Save", DSS_DISABLED, TRUE, 0,
                   static_cast<HBRUSH>(nullptr));
    EXPECT_GT(c.Count(RGB(128, 128, 128)), 10);
    EXPECT_GT(c.Count(RGB(255, 255, 255)), 10);
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 0);

    struct Painted {
        static BOOL Paint(HDC hdc, LPARAM data, WPARAM, int cx, int cy) {
            *reinterpret_cast<int*>(data) = cx * 100 + cy;
            const RECT rc{0, 0, cx, cy};
            ::FillRect(hdc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            return TRUE;
        }
    };
    int seen = 0;
    c.Clear();
    ::DrawState(c.hdc, nullptr, &Painted::Paint, reinterpret_cast<LPARAM>(&seen), 0, 50, 20, 6, 4,
                DST_COMPLEX);
    EXPECT_EQ(seen, 604);
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 24);
    EXPECT_EQ(c.At(50, 20), RGB(0, 0, 0));

    // A bitmap drawn in the union state is partly covered by the brush.
    c.Clear();
    CBitmap bmp;
    bmp.CreateBitmap(4, 4, 1, 32, nullptr);  // black
    CBrush red(RGB(255, 0, 0));
    c.dc.DrawState(CPoint(0, 0), CSize(4, 4), &bmp, DSS_UNION, &red);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 8);
    EXPECT_EQ(c.Count(RGB(0, 0, 0)), 8);
}

TEST_F(TextLayoutTest, MissingGlyphsComeFromTheFallbackFace) {
    // Liberation Sans has no Hebrew letters; DejaVu does, so they still have width and ink.
    const char* alef = "\xD7\x90";
    EXPECT_GT(Width(alef), 2);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(10, 10, alef, 2);
    EXPECT_GT(c.CountNot(kWhite), 5);
}

TEST_F(TextLayoutTest, ExtentExPointCountsWhatFits) {
    const char* text =
        "ab\xC3\xA4"
        "cd";  // 'a' 'b' a-umlaut 'c' 'd': six bytes
    int fit = -1;
    int partial[6] = {};
    SIZE size{};
    const int upToUmlaut = Width("ab\xC3\xA4");
    ASSERT_TRUE(::GetTextExtentExPoint(c.hdc, text, 6, upToUmlaut, &fit, partial, &size));
    EXPECT_EQ(fit, 4);  // whole code points only
    EXPECT_EQ(partial[1], Width("ab"));
    EXPECT_EQ(partial[2], upToUmlaut);
    EXPECT_EQ(partial[3], upToUmlaut);
    EXPECT_EQ(partial[5], size.cx);
    EXPECT_EQ(size.cx, Width(text));
}
