// How a chart control gets its picture out: onto a printer page drawn at screen proportions,
// and into a BMP file built from a device-dependent bitmap with GetDIBits.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "GfxTestUtil.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/PrinterOutput.h"

using kq::gfx::test::Canvas;
namespace fs = std::filesystem;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class ChartOutput : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    const fs::path dir_ =
        fs::temp_directory_path() / ("kq_chart_out_" + std::to_string(::getpid()));
};

// Screen-to-printer scaling as the chart does it: multiply and truncate toward zero.
int Scaled(int v, double factor) {
    return static_cast<int>(v * factor);
}

// A DC object that borrows another's handles for a while and gives them back before it is
// destroyed, as an off-screen helper does when its target is a printer.
class BorrowingDC : public CDC {
  public:
    explicit BorrowingDC(CDC& target) {
        m_bPrinting = target.m_bPrinting;
        m_hDC = target.m_hDC;
        m_hAttribDC = target.m_hAttribDC;
    }
    ~BorrowingDC() override {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
};

}  // namespace

TEST_F(ChartOutput, PrinterPageTakesTheChartScaledToItsResolution) {
    CDC printer;
    ASSERT_TRUE(printer.Attach(kq::gfx::CreatePrinterOutputDC({.file = Path("chart.pdf")})));
    ASSERT_EQ(printer.m_hDC, printer.m_hAttribDC);  // a real printer, not a preview
    const int dpi = printer.GetDeviceCaps(LOGPIXELSX);
    EXPECT_EQ(dpi, 300);
    EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSY), 300);
    EXPECT_EQ(printer.GetDeviceCaps(NUMCOLORS), -1);  // prints in colour
    const int width = printer.GetDeviceCaps(HORZRES);
    const int height = printer.GetDeviceCaps(VERTRES);
    ASSERT_GT(width, 2000);
    ASSERT_GT(height, 3000);

    Canvas screen(4, 4);
    const double f = double(dpi) / screen.dc.GetDeviceCaps(LOGPIXELSX);  // 3.125
    // The layout rectangle in screen pixels.
    const CRect layout(0, 0, static_cast<int>(width / f), static_cast<int>(height / f));
    EXPECT_EQ(layout.right, static_cast<int>(width / 3.125));

    ASSERT_GT(printer.StartDoc("Graph"), 0);
    ASSERT_GT(printer.StartPage(), 0);
    {
        BorrowingDC dc(printer);
        const int saved = dc.SaveDC();
        dc.FillSolidRect(0, 0, Scaled(layout.right, f), Scaled(layout.bottom, f),
                         RGB(171, 171, 171));
        dc.IntersectClipRect(Scaled(20, f), Scaled(20, f), Scaled(200, f), Scaled(100, f));
        CPen solid(PS_SOLID, Scaled(2, f), RGB(200, 0, 0));  // 6 pixels wide
        CPen* old = dc.SelectObject(&solid);
        dc.MoveTo(Scaled(10, f), Scaled(50, f));
        dc.LineTo(Scaled(300, f), Scaled(50, f));
        dc.SelectObject(old);
        CFont font;
        font.CreateFont(static_cast<int>((-14 - 1) * f), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial");
        CFont* oldFont = dc.SelectObject(&font);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 46);
        dc.SelectObject(oldFont);
        dc.RestoreDC(saved);

        const auto page = kq::gfx::DCSurface(printer.m_hDC);
        ASSERT_TRUE(page);
        auto at = [&](int x, int y) { return page->Pixel(x, y) & 0xFFFFFF; };
        const uint32_t red = page->Pixel(100, 156) & 0xFFFFFF;
        EXPECT_NE(red, at(100, 100));
        int thickness = 0;
        for (int y = 140; y < 175; ++y)
            thickness += at(100, y) == red;
        EXPECT_EQ(thickness, 6);
        EXPECT_NE(at(61, 156), red);   // left of the clip rectangle
        EXPECT_NE(at(630, 156), red);  // right of it
        EXPECT_EQ(at(620, 156), red);
    }
    // The borrowed handles were given back: the printer DC still works.
    EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSX), 300);
    EXPECT_GT(printer.EndPage(), 0);
    EXPECT_GT(printer.EndDoc(), 0);
    std::ifstream pdf(Path("chart.pdf"), std::ios::binary);
    char magic[5] = {};
    pdf.read(magic, 4);
    EXPECT_STREQ(magic, "%PDF");
}

TEST_F(ChartOutput, WindowImageBecomesABmpFileThatReadsBack) {
    constexpr int kW = 100, kH = 50;
    Canvas window(kW + 20, kH + 20, kWhite);
    window.dc.FillSolidRect(0, 0, kW, kH, RGB(10, 20, 30));
    window.dc.SetPixel(0, 0, RGB(255, 0, 0));
    window.dc.SetPixel(kW - 1, kH - 1, RGB(0, 255, 0));
    window.dc.SetPixel(kW - 1, 0, RGB(0, 0, 255));

    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&window.dc));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&window.dc, kW, kH));
    CBitmap* old = mem.SelectObject(&bitmap);
    ASSERT_TRUE(mem.BitBlt(0, 0, kW, kH, &window.dc, 0, 0, SRCCOPY));
    mem.SelectObject(old);

    BITMAP bm{};
    ASSERT_EQ(bitmap.GetObject(sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bm.bmPlanes * bm.bmBitsPixel);
    header.biCompression = BI_RGB;

    // No device here has a palette: the system palette gives nothing and the stock palette is
    // selected and realised harmlessly.
    Canvas screen(1, 1);
    EXPECT_EQ(screen.dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE, 0);
    PALETTEENTRY entries[255];
    EXPECT_EQ(::GetSystemPaletteEntries(screen.hdc, 0, 255, entries), 0u);
    HPALETTE stock = static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
    HPALETTE oldPalette = ::SelectPalette(screen.hdc, stock, FALSE);
    ASSERT_NE(oldPalette, nullptr);
    ::RealizePalette(screen.hdc);

    // Header (and one colour-table entry) first; GetDIBits without bits fills in the size.
    std::vector<uint8_t> dib(sizeof header + 4);
    std::memcpy(dib.data(), &header, sizeof header);
    auto* info = reinterpret_cast<BITMAPINFO*>(dib.data());
    ASSERT_NE(::GetDIBits(screen.hdc, static_cast<HBITMAP>(bitmap.GetSafeHandle()), 0, kH, nullptr,
                          info, DIB_RGB_COLORS),
              0);
    const DWORD imageSize = info->bmiHeader.biSizeImage;
    EXPECT_EQ(imageSize, 20000u);
    dib.resize(sizeof header + 4 + imageSize);
    info = reinterpret_cast<BITMAPINFO*>(dib.data());
    ASSERT_EQ(::GetDIBits(screen.hdc, static_cast<HBITMAP>(bitmap.GetSafeHandle()), 0, kH,
                          dib.data() + sizeof header + 4, info, DIB_RGB_COLORS),
              kH);
    ::SelectPalette(screen.hdc, oldPalette, FALSE);
    // Rows bottom-up, blue-green-red-unused.
    const uint8_t* bits = dib.data() + sizeof header + 4;
    const uint8_t* topLeft = bits + (kH - 1) * kW * 4;
    EXPECT_EQ(topLeft[2], 255);
    EXPECT_EQ(topLeft[0], 0);
    EXPECT_EQ(bits[(kW - 1) * 4 + 1], 255);  // bottom right

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfSize = static_cast<DWORD>(dib.size() + sizeof file);
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof header + 4);
    EXPECT_EQ(DWORD{file.bfOffBits}, 58u);
    {
        std::ofstream out(Path("chart.bmp"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(dib.data()), std::streamsize(dib.size()));
    }
    EXPECT_EQ(fs::file_size(Path("chart.bmp")), 20058u);

    HBITMAP loaded = static_cast<HBITMAP>(
        ::LoadImage(nullptr, Path("chart.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(loaded, nullptr);
    CDC read;
    read.CreateCompatibleDC(nullptr);
    HGDIOBJ oldLoaded = read.SelectObject(static_cast<HGDIOBJ>(loaded));
    EXPECT_EQ(read.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(read.GetPixel(kW - 1, kH - 1), RGB(0, 255, 0));
    EXPECT_EQ(read.GetPixel(kW - 1, 0), RGB(0, 0, 255));
    EXPECT_EQ(read.GetPixel(50, 25), RGB(10, 20, 30));
    read.SelectObject(oldLoaded);
    ::DeleteObject(loaded);
}

TEST(ChartKeptImage, OutlivesTheDCItWasDrawnInAndGivesItsBits) {
    Canvas window(8, 4, RGB(1, 2, 3));
    CBitmap kept;
    {
        CDC mem;
        mem.CreateCompatibleDC(&window.dc);
        kept.CreateCompatibleBitmap(&window.dc, 8, 4);
        mem.SelectObject(&kept);  // left selected: the DC goes first
        mem.BitBlt(0, 0, 8, 4, &window.dc, 0, 0, SRCCOPY);
        mem.SetPixel(7, 0, RGB(9, 8, 7));
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = 4;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint8_t> bits(8 * 4 * 4);
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    ASSERT_EQ(::GetDIBits(screen.m_hDC, static_cast<HBITMAP>(kept.GetSafeHandle()), 0, 4,
                          bits.data(), &info, DIB_RGB_COLORS),
              4);
    const uint8_t* topRight = bits.data() + (3 * 8 + 7) * 4;
    EXPECT_EQ(topRight[0], 7);
    EXPECT_EQ(topRight[2], 9);
    EXPECT_EQ(bits[0], 3);
    // The image can be replaced by a new one in the same object.
    EXPECT_TRUE(kept.CreateCompatibleBitmap(&window.dc, 2, 2));
    BITMAP bm{};
    kept.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 2);
}

TEST(ChartLogFont, RecordHasTheSixtyByteLayoutItIsArchivedIn) {
    EXPECT_EQ(sizeof(LOGFONT), 60u);
    EXPECT_EQ(offsetof(LOGFONT, lfWeight), 16u);
    EXPECT_EQ(offsetof(LOGFONT, lfItalic), 20u);
    EXPECT_EQ(offsetof(LOGFONT, lfPitchAndFamily), 27u);
    EXPECT_EQ(offsetof(LOGFONT, lfFaceName), 28u);
    CFont font;
    ASSERT_TRUE(font.CreateFont(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_CHARACTER_PRECIS, ANTIALIASED_QUALITY,
                                DEFAULT_PITCH, "Arial"));
    LOGFONT lf{};
    ASSERT_EQ(font.GetLogFont(&lf), 60);
    EXPECT_EQ(lf.lfHeight, 14);
    EXPECT_EQ(lf.lfQuality, ANTIALIASED_QUALITY);
    EXPECT_EQ(lf.lfClipPrecision, CLIP_CHARACTER_PRECIS);
    // A font made again from the stored record is the same font.
    CFont again;
    ASSERT_TRUE(again.CreateFontIndirect(&lf));
    LOGFONT lf2{};
    again.GetLogFont(&lf2);
    EXPECT_EQ(std::memcmp(&lf, &lf2, sizeof lf), 0);
}
