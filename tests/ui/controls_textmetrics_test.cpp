// The text-metrics source over the graphics library's fonts agrees with itself and with GDI.
#include "platform/gfx/Icons.h"
#include "platform/gfx/WinGdi.h"
#include "platform/ui/controls/GdiTextMetrics.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/Utf8Text.h"

#include <gtest/gtest.h>

namespace kq::ui {
namespace {

TEST(GdiTextMetricsTest, OffsetsAgreeWithWidthsOverMultiByteText) {
    GdiTextMetrics m;
    const FontMetrics font = m.Metrics(nullptr);
    EXPECT_GT(font.height, 8);
    EXPECT_GT(font.averageWidth, 2);
    EXPECT_LT(m.TextWidth(nullptr, "iiii"), m.TextWidth(nullptr, "WWWW"));
    const std::u32string text = DecodeText(
        "Ma\xC3\x9F \xE2\x82\xAC"
        "5");
    std::vector<int> offsets = m.CharacterOffsets(nullptr, text);
    ASSERT_EQ(offsets.size(), text.size() + 1);
    EXPECT_EQ(offsets.front(), 0);
    for (size_t i = 1; i < offsets.size(); ++i)
        EXPECT_GE(offsets[i], offsets[i - 1]);
    EXPECT_EQ(offsets.back(), m.TextWidth(nullptr, EncodeText(text)));
    EXPECT_EQ(offsets[3], m.TextWidth(nullptr, "Ma\xC3\x9F"));
}

TEST(GdiTextMetricsTest, DialogFontsAndImageSizes) {
    GdiTextMetrics m;
    kq::DialogFont dialogFont;
    dialogFont.pointSize = 12;
    dialogFont.face = "MS Shell Dlg";
    HFONT font = m.CreateDialogFont(dialogFont);
    ASSERT_NE(font, nullptr);
    EXPECT_GT(m.Metrics(font).height, m.Metrics(nullptr).height);
    m.DeleteDialogFont(font);

    HBITMAP bitmap = CreateBitmap(24, 17, 1, 32, nullptr);
    SIZE size = m.ImageSize(bitmap, IMAGE_BITMAP);
    EXPECT_EQ(size.cx, 24);
    EXPECT_EQ(size.cy, 17);
    DeleteObject(bitmap);
    EXPECT_EQ(m.ImageSize(nullptr, IMAGE_ICON).cx, 0);
}

}  // namespace
}  // namespace kq::ui
