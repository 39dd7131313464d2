#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/gfx/CDC.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/PrintPreview.h"
#include "platform/gfx/PrinterOutput.h"
#include "platform/gfx/SurfaceDc.h"

using namespace kq::gfx;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Pixels of a pdftoppm page (P6) at (ox, oy) + (x, y) whose channels leave the range of `page`
// around (x, y) by more than a small tolerance (a renderer may blend pixels at colour edges).
int Mismatches(const fs::path& ppm, int ox, int oy, const Image& page) {
    const std::string data = ReadAll(ppm);
    std::istringstream in(data);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    const size_t start = static_cast<size_t>(in.tellg()) + 1;
    if (magic != "P6" || data.size() < start + size_t(w) * h * 3 || w < ox + page.width ||
        h < oy + page.height)
        return -1;
    int count = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int low = 255, high = 0;
                for (int d = 0; d < 9; ++d) {
                    const uint32_t p = page.Pixel(std::clamp(x + d % 3 - 1, 0, page.width - 1),
                                                  std::clamp(y + d / 3 - 1, 0, page.height - 1));
                    low = std::min(low, int(p >> (16 - 8 * c)) & 0xFF);
                    high = std::max(high, int(p >> (16 - 8 * c)) & 0xFF);
                }
                const int v =
                    static_cast<uint8_t>(data[start + (size_t(oy + y) * w + ox + x) * 3 + c]);
                count += (v < low - 4 || v > high + 4) ? 1 : 0;
            }
    return count;
}

class PrinterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "bin");
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    const fs::path dir_ = fs::temp_directory_path() / ("kq_printer_" + std::to_string(::getpid()));
    DOCINFO doc_{sizeof(DOCINFO), "Graph", nullptr, nullptr, 0};
};

}  // namespace

TEST_F(PrinterTest, DeviceCapsDescribeTheSheet) {
    const DeviceCaps a4 = PrinterCaps(PrinterSettings{});  // 300 dpi, a sixth of an inch margin
    EXPECT_EQ(a4.Get(LOGPIXELSY), 300);
    EXPECT_EQ(a4.Get(PHYSICALWIDTH), 2480);
    EXPECT_EQ(a4.Get(PHYSICALHEIGHT), 3508);
    EXPECT_EQ(a4.Get(PHYSICALOFFSETX), 50);
    EXPECT_EQ(a4.Get(HORZRES), 2380);
    EXPECT_EQ(a4.Get(VERTRES), 3408);
    EXPECT_EQ(a4.Get(TECHNOLOGY), DT_RASPRINTER);

    HDC hdc = CreatePrinterOutputDC({.dpi = 100, .landscape = true, .margin = 0});
    EXPECT_EQ(::GetDeviceCaps(hdc, HORZRES), 1169);
    EXPECT_EQ(::GetDeviceCaps(hdc, VERTRES), 827);
    EXPECT_EQ(::GetDeviceCaps(hdc, PHYSICALWIDTH), 1169);
    EXPECT_EQ(DCSurface(hdc)->Width(), 1169);  // the page is the printable area
    ::DeleteDC(hdc);
    for (PrinterSettings bad :
         {PrinterSettings{.dpi = 0}, PrinterSettings{.dpi = kMaxPrinterDpi + 1},
          PrinterSettings{.margin = 1240}}) {
        EXPECT_EQ(CreatePrinterOutputDC(bad), nullptr);
        EXPECT_EQ(PrinterCaps(bad).Get(HORZRES), 0);
    }
}

TEST_F(PrinterTest, TwoPagesReadBackFromThePdfMatchTheDrawnPages) {
    CDC dc;
    ASSERT_TRUE(
        dc.Attach(CreatePrinterOutputDC({.file = Path("job.pdf"), .dpi = 100, .margin = 10})));
    ASSERT_GT(dc.StartDoc("Pr\xC3\xBC"
                          "fprotokoll"),
              0);
    CFont font;
    font.CreatePointFont(140, "Arial", &dc);
    dc.SelectObject(&font);
    CPen pen(PS_SOLID, 3, RGB(200, 0, 0));
    dc.SelectObject(&pen);
    std::vector<Image> drawn;
    for (int number : {1, 2}) {
        ASSERT_GT(dc.StartPage(), 0);
        dc.TextOut(20, 20,
                   number == 1 ? CString("Seite 1 \xE2\x80\x93 Pr\xC3\xBC"
                                         "fung")
                               : CString("Seite 2"));
        dc.MoveTo(0, 0);
        dc.LineTo(dc.GetDeviceCaps(HORZRES) - 1, dc.GetDeviceCaps(VERTRES) - 1);
        dc.Rectangle(40, 100, 400, 260 + number * 40);
        drawn.push_back(ImageFromSurface(*DCSurface(dc)));
        ASSERT_GT(dc.EndPage(), 0);
    }
    EXPECT_FALSE(fs::exists(Path("job.pdf")));  // the file appears complete, at the end
    ASSERT_GT(dc.EndDoc(), 0) << PrinterOutputError(dc);
    // Each page starts white: the first page's lower edge is not on the second.
    EXPECT_EQ(drawn[0].Pixel(200, 299), 0x00C80000u);
    EXPECT_EQ(drawn[1].Pixel(200, 299), 0x00FFFFFFu);

    ASSERT_EQ(
        std::system(("pdftoppm -r 100 '" + Path("job.pdf") + "' '" + Path("page") + "'").c_str()),
        0);
    for (int number : {1, 2}) {
        const fs::path ppm = Path("page-" + std::to_string(number) + ".ppm");
        EXPECT_EQ(Mismatches(ppm, 10, 10, drawn[number - 1]), 0) << number;
        EXPECT_EQ(Mismatches(ppm, 0, 0, Image(827, 10, 0xFFFFFFFF)), 0);  // blank margins
        EXPECT_EQ(Mismatches(ppm, 817, 0, Image(10, 1169, 0xFFFFFFFF)), 0);
    }
    EXPECT_FALSE(fs::exists(Path("page-3.ppm")));
}

TEST_F(PrinterTest, AbortedOrAbandonedJobsLeaveNoFile) {
    HDC hdc = CreatePrinterOutputDC({.file = Path("out.pdf"), .dpi = 50});
    ASSERT_GT(::StartDoc(hdc, &doc_), 0);
    ::StartPage(hdc);
    ::Rectangle(hdc, 0, 0, 50, 50);
    ::EndPage(hdc);
    ::StartPage(hdc);
    EXPECT_GT(::AbortDoc(hdc), 0);
    EXPECT_FALSE(fs::exists(Path("out.pdf")));
    EXPECT_EQ(::EndDoc(hdc), SP_ERROR);  // nothing left to end

    std::ofstream(Path("out.pdf")) << "previous";
    ASSERT_GT(::StartDoc(hdc, &doc_), 0);
    ::StartPage(hdc);
    ::EndPage(hdc);
    ::DeleteDC(hdc);  // given up without EndDoc
    EXPECT_EQ(ReadAll(Path("out.pdf")), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);  // no leftovers beside bin/
}

TEST_F(PrinterTest, DocumentCallsOutOfOrderFailAndEscapesAreHarmless) {
    HDC hdc = CreatePrinterOutputDC({.dpi = 50});
    EXPECT_EQ(::StartPage(hdc), SP_ERROR);
    EXPECT_EQ(::EndPage(hdc), SP_ERROR);
    EXPECT_EQ(::StartDoc(hdc, &doc_), SP_ERROR);  // neither printer nor file
    EXPECT_FALSE(PrinterOutputError(hdc).empty());
    const std::string output = Path("named.pdf");
    doc_.lpszOutput = output.c_str();  // the document names its output
    ASSERT_GT(::StartDoc(hdc, &doc_), 0);
    EXPECT_EQ(::StartDoc(hdc, &doc_), SP_ERROR);
    ASSERT_GT(::StartPage(hdc), 0);
    EXPECT_EQ(::StartPage(hdc), SP_ERROR);
    const int bounds[4] = {0, 0, 10, 10}, query = SET_BOUNDS;
    EXPECT_EQ(::Escape(hdc, SET_BOUNDS, sizeof bounds, reinterpret_cast<LPCSTR>(bounds), nullptr),
              1);
    EXPECT_EQ(
        ::Escape(hdc, QUERYESCSUPPORT, sizeof query, reinterpret_cast<LPCSTR>(&query), nullptr), 1);
    EXPECT_EQ(::Escape(hdc, 4096, 0, nullptr, nullptr), 0);
    ASSERT_GT(::EndDoc(hdc), 0) << PrinterOutputError(hdc);  // ends the open page too
    EXPECT_NE(ReadAll(output).find("/Count 1"), std::string::npos);
    ::DeleteDC(hdc);
}

TEST_F(PrinterTest, LandscapeJobGoesToLpAsLandscapePages) {
    std::ofstream(dir_ / "bin" / "lp")
        << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << Path("args") << "'\n"
        << "/bin/cp \"$5\" '" << Path("received.pdf") << "'\n";
    fs::permissions(dir_ / "bin" / "lp", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", (dir_ / "bin").c_str(), 1);
    HDC hdc = CreatePrinterOutputDC({.printer = "Bench", .dpi = 50, .landscape = true});
    const bool printed = ::StartDoc(hdc, &doc_) > 0 && ::StartPage(hdc) > 0 && ::EndPage(hdc) > 0 &&
                         ::EndDoc(hdc) > 0;
    ::setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(printed) << PrinterOutputError(hdc);
    ::DeleteDC(hdc);
    const std::string args = ReadAll(Path("args"));
    EXPECT_EQ(args.rfind("-d\nBench\n-t\nGraph\n", 0), 0u) << args;
    EXPECT_EQ(args.find("landscape"), std::string::npos);
    // A4 across: 585 x 413 pixels at 50 dpi.
    EXPECT_NE(ReadAll(Path("received.pdf")).find("/MediaBox [0 0 842.400 594.720]"),
              std::string::npos);
}

TEST_F(PrinterTest, PreviewShowsThePageOnTheSheet) {
    CDC dc;
    dc.Attach(CreatePrinterOutputDC({.dpi = 100, .margin = 40}));
    // Drawn without a document, as a preview does; the DC's mapping does not matter.
    dc.FillSolidRect(0, 0, 5, 10, RGB(0, 0, 0));
    dc.FillSolidRect(20, 20, 700, 1000, RGB(0, 0, 0));
    dc.SetMapMode(MM_LOMETRIC);
    HBITMAP preview = RenderPagePreview(dc, 0.1);
    const Image image = ImageFromBitmap(preview);
    ::DeleteObject(preview);
    EXPECT_EQ(image.width, 83);  // 827 x 1169 at a tenth
    EXPECT_EQ(image.height, 117);
    EXPECT_EQ(image.Pixel(3, 60), 0xFFFFFFFFu);  // the margin: 4 pixels at this scale
    EXPECT_EQ(image.Pixel(40, 60), 0xFF000000u);
    const uint8_t edge = RedOf(image.Pixel(4, 4));  // half black: averaged to grey
    EXPECT_TRUE(edge > 90 && edge < 165) << int(edge);
    EXPECT_EQ(RenderPagePreview(dc, 0), nullptr);
    EXPECT_EQ(RenderPagePreview(dc, 1e12), nullptr);
    HDC screen = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(RenderPagePreview(screen, 1.0), nullptr);
    ::DeleteDC(screen);
}
