// A page printed the way the main window prints its diagram: the platform's 300-dpi printer,
// one page over the job's printable rectangle in printer pixels, a BMP placed into a box, the
// job written as a PDF file and rendered back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "base/ScopedTempFolder.h"
#include "controls/print/Page.h"
#include "platform/gfx/PrinterOutput.h"
#include "platform/gfx/codec/Bmp.h"

namespace {

// The colour at (x, y) of a P6 file.
uint32_t PpmPixel(const std::string& path, int x, int y) {
    std::ifstream file(path, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(file)), {});
    std::istringstream in(data);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    const size_t start = static_cast<size_t>(in.tellg()) + 1;
    const size_t at = start + (size_t(y) * w + x) * 3;
    if (magic != "P6" || x >= w || y >= h || at + 3 > data.size())
        return 0xFFFFFFFF;
    return (uint32_t(uint8_t(data[at])) << 16) | (uint32_t(uint8_t(data[at + 1])) << 8) |
           uint8_t(data[at + 2]);
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 12)
            return false;
    return true;
}

TEST(PrintCommand, ABitmapPlacedOnThePageReachesThePdf) {
    kq::test::ScopedTempFolder folder;
    kq::gfx::Image picture(140, 100, 0xFF2050C0);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 140; ++x)
            picture.SetPixel(x, y, 0xFFE03010);
    const std::string bmp = folder / "TEMP_DIAGRAM.bmp";
    ASSERT_TRUE(kq::gfx::SaveBmpFile(bmp, picture));

    const std::string pdf = folder / "job.pdf";
    CDC dc;
    dc.Attach(kq::gfx::CreatePrinterOutputDC({.file = pdf, .dpi = 300}));
    dc.m_bPrinting = TRUE;
    const RECT rect{0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)};
    DOCINFO doc{sizeof(DOCINFO), "Messen", nullptr, nullptr, 0};
    ASSERT_GT(dc.StartDoc(&doc), 0);
    ASSERT_GT(dc.StartPage(), 0);
    {
        CPage page(rect, &dc, MM_TEXT);
        page.DrawBox(590, 295, 3270, 2268, 3, 0, 0);
        page.PrintText(300, 400, kKeepCurrent, 14, "%s", "Messen");
        EXPECT_TRUE(page.DrawBitmapFile(600, 300, 1600, 1700, bmp.c_str()));
    }
    ASSERT_GT(dc.EndPage(), 0);
    ASSERT_GT(dc.EndDoc(), 0);
    dc.DeleteDC();

    // Rendered at 30 dpi the box (printable area offset by a sixth of an inch) is a tenth.
    const std::string page = folder / "page";
    ASSERT_EQ(std::system(("pdftoppm -r 30 '" + pdf + "' '" + page + "'").c_str()), 0);
    const std::string ppm = page + "-1.ppm";
    const int margin = 5;
    EXPECT_TRUE(Near(PpmPixel(ppm, margin + 100, margin + 75), 0xE03010));   // top half
    EXPECT_TRUE(Near(PpmPixel(ppm, margin + 100, margin + 145), 0x2050C0));  // bottom half
    EXPECT_TRUE(Near(PpmPixel(ppm, margin + 100, margin + 200), 0xFFFFFF));  // below the box
}

}  // namespace
