#include <gtest/gtest.h>

#include <cstring>

#include "GfxTestUtil.h"

using kq::gfx::test::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class DrawTextTest : public ::testing::Test {
  protected:
    DrawTextTest() : c(300, 200) {
        LOGFONT lf{};
        lf.lfHeight = -13;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        std::strcpy(lf.lfFaceName, "Arial");
        font.CreateFontIndirect(&lf);
        c.dc.SelectObject(&font);
        c.dc.SetBkMode(TRANSPARENT);
        c.dc.GetTextMetrics(&tm);
    }
    int Width(const char* s) { return c.dc.GetTextExtent(s, static_cast<int>(std::strlen(s))).cx; }

    Canvas c;
    CFont font;
    TEXTMETRIC tm{};
};

}  // namespace

TEST_F(DrawTextTest, CalcRectMeasuresSingleAndMultipleLines) {
    CRect rc(10, 10, 10, 10);
    EXPECT_EQ(c.dc.DrawText(CString("Sensor"), &rc, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(rc, CRect(10, 10, 10 + Width("Sensor"), 10 + tm.tmHeight));

    CRect multi(0, 0, 0, 0);
    c.dc.DrawText(CString("one\r\nthree\nfour"), &multi, DT_CALCRECT);
    EXPECT_EQ(multi.Height(), 3 * tm.tmHeight);
    EXPECT_EQ(multi.Width(), Width("three"));

    // Word breaking keeps whole words within the width; a lone long word overflows it.
    CRect wrap(0, 0, Width("Torque sensor") + 2, 0);
    c.dc.DrawText(CString("Torque sensor rotor stator"), &wrap, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(wrap.Height(), 2 * tm.tmHeight);
    CRect narrow(0, 0, 5, 0);
    c.dc.DrawText(CString("Calibration"), &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow.Height(), tm.tmHeight);
    EXPECT_EQ(narrow.Width(), Width("Calibration"));
    // An edit control breaks such a word.
    CRect edit(0, 0, Width("Calib") + 1, 0);
    c.dc.DrawText(CString("Calibration"), &edit, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_GT(edit.Height(), tm.tmHeight);
}

TEST_F(DrawTextTest, AlignmentPutsTheTextWhereAsked) {
    const int w = Width("Nm");
    CRect rc(0, 0, 100, 40);
    c.dc.DrawText(CString("Nm"), &rc, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    RECT ink = c.InkBox();
    EXPECT_LE(ink.right, 100);
    EXPECT_GE(ink.left, 100 - w);
    EXPECT_GE(ink.top, 40 - tm.tmHeight);
    c.Clear();
    const int offset = c.dc.DrawText(CString("Nm"), &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    ink = c.InkBox();
    EXPECT_GE(ink.left, (100 - w) / 2);
    EXPECT_LE(ink.right, (100 - w) / 2 + w + 1);
    EXPECT_EQ(offset, (40 - tm.tmHeight) / 2 + tm.tmHeight);
}

TEST_F(DrawTextTest, TextIsClippedToItsRectangleUnlessNoClip) {
    CRect rc(0, 0, Width("Mea"), tm.tmHeight);
    c.dc.DrawText(CString("Measurement"), &rc, DT_SINGLELINE);
    EXPECT_LE(c.InkBox().right, rc.right);
    c.Clear();
    c.dc.DrawText(CString("Measurement"), &rc, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(c.InkBox().right, rc.right + 10);
}

TEST_F(DrawTextTest, EllipsesShortenToTheWidth) {
    const CString text("Measurement uncertainty");
    const int width = Width("Measurement u...");
    CRect rc(0, 0, width, tm.tmHeight);
    CRect calc = rc;
    c.dc.DrawText(text, &calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(calc.Width(), width);
    EXPECT_EQ(calc.Width(), width);

    // The modified string shows what was drawn.
    char buffer[64];
    std::strcpy(buffer, "C:\\Data\\Sensors\\Measurements\\run42.csv");
    CRect path(0, 0, Width("C:\\...\\run42.csv") + 3, tm.tmHeight);
    c.dc.DrawTextEx(buffer, -1, &path, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING, nullptr);
    const std::string shown(buffer);
    EXPECT_NE(shown.find("..."), std::string::npos);
    EXPECT_EQ(shown.substr(shown.size() - 10), "\\run42.csv");
    EXPECT_LE(Width(buffer), path.Width());

    // Text that fits is left alone.
    std::strcpy(buffer, "short");
    c.dc.DrawTextEx(buffer, -1, &path, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, nullptr);
    EXPECT_STREQ(buffer, "short");
}

TEST_F(DrawTextTest, PrefixUnderlinesAndDoubleAmpersands) {
    CRect rc(0, 0, 200, 30);
    CRect calc = rc;
    c.dc.DrawText(CString("&File && Edit"), &calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.Width(), Width("File & Edit"));
    CRect raw = rc;
    c.dc.DrawText(CString("&File"), &raw, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(raw.Width(), Width("&File"));

    c.dc.DrawText(CString("&File"), &rc, DT_SINGLELINE);
    // The underline of "F" is a full row under the baseline, exactly the advance of "F".
    const int y = tm.tmAscent + 1;
    for (int x = 0; x < Width("F"); ++x)
        EXPECT_EQ(c.At(x, y), kBlack) << x;
    EXPECT_EQ(c.At(Width("F") + 1, y), kWhite);
    c.Clear();
    c.dc.DrawText(CString("&File"), &rc, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(c.At(1, y), kWhite);
}

TEST_F(DrawTextTest, TabsExpandToEightAverageCharacters) {
    CRect rc(0, 0, 0, 0);
    c.dc.DrawText(CString("a\tb"), &rc, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_EQ(rc.Width(), 8 * tm.tmAveCharWidth + Width("b"));
    // The tab length in the high byte (which then holds no other flags).
    CRect line(0, 0, 200, 30);
    c.dc.DrawText(CString("\t|"), &line, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
    EXPECT_GE(c.InkBox().left, 4 * tm.tmAveCharWidth);
    EXPECT_LT(c.InkBox().left, 5 * tm.tmAveCharWidth);
    DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), 4, 0, 0, 0};
    char text[] = "a\tb";
    CRect four(0, 0, 0, 0);
    c.dc.DrawTextEx(text, -1, &four, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS, &params);
    EXPECT_EQ(four.Width(), 4 * tm.tmAveCharWidth + Width("b"));
}
