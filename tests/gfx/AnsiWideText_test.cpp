#include <gtest/gtest.h>

#include "platform/gfx/UserDraw.h"
#include "platform/gfx/UserDrawConstants.h"
#include "platform/gfx/WinGdi.h"

namespace {

TEST(AnsiWideText, WideAndAnsiMeasureAsTheUtf8Text) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    const char narrow[] =
        "&\xC3\x96"
        "ffnen\tStrg+O";  // "&Öffnen\tStrg+O"
    const char16_t wide[] = u"&\u00D6ffnen\tStrg+O";
    SIZE expected{}, a{}, w{};
    ASSERT_TRUE(GetTextExtentPoint32(dc, narrow, sizeof narrow - 1, &expected));
    ASSERT_GT(expected.cx, 0);
    ASSERT_TRUE(GetTextExtentPoint32A(dc, narrow, sizeof narrow - 1, &a));
    ASSERT_TRUE(GetTextExtentPoint32W(dc, wide, 14, &w));
    EXPECT_EQ(a.cx, expected.cx);
    EXPECT_EQ(w.cx, expected.cx);
    EXPECT_EQ(w.cy, expected.cy);
    // Part of the text counts units; nothing at all is the height alone.
    SIZE part{}, partNarrow{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, wide, 2, &part));
    ASSERT_TRUE(GetTextExtentPoint32(dc, narrow, 3, &partNarrow));
    EXPECT_EQ(part.cx, partNarrow.cx);
    ASSERT_TRUE(GetTextExtentPoint32W(dc, wide, 0, &part));
    EXPECT_EQ(part.cx, 0);
    EXPECT_EQ(part.cy, expected.cy);
    EXPECT_FALSE(GetTextExtentPoint32W(dc, nullptr, 3, &part));
    EXPECT_FALSE(GetTextExtentPoint32W(dc, wide, -1, &part));

    RECT r{0, 0, 0, 0};
    const int height = DrawTextA(dc, "Datei", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    EXPECT_GT(height, 0);
    GetTextExtentPoint32A(dc, "Datei", 5, &a);
    EXPECT_EQ(r.right - r.left, a.cx);
    ::DeleteDC(dc);
}

}  // namespace
