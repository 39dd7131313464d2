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
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Binary PPM (P6) as pdftoppm writes it.
Image ReadPpm(const fs::path& path) {
    const std::string data = ReadAll(path);
    std::istringstream in(data);
    std::string magic;
    int w = 0, h = 0, max = 0;
    in >> magic >> w >> h >> max;
    in.get();
    const size_t start = static_cast<size_t>(in.tellg());
    if (magic != "P6" || max != 255 || data.size() < start + static_cast<size_t>(w) * h * 3)
        return Image();
    Image image(w, h);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const auto* p = reinterpret_cast<const uint8_t*>(data.data() + start + i * 3);
        image.pixels[i] = MakeArgb(0xFF, p[0], p[1], p[2]);
    }
    return image;
}

// Pixels of `rendered` at (ox, oy) + (x, y) whose channels leave the range of `page` around
// (x, y) by more than a small tolerance: a renderer may blend a pixel at a colour edge.
int Mismatches(const Image& rendered, int ox, int oy, const Image& page) {
    int count = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const uint32_t r = rendered.Pixel(ox + x, oy + y);
            bool ok = true;
            for (int shift = 0; shift < 24 && ok; shift += 8) {
                int low = 255, high = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int v = (page.Pixel(std::clamp(x + dx, 0, page.width - 1),
                                                  std::clamp(y + dy, 0, page.height - 1)) >>
                                       shift) &
                                      0xFF;
                        low = std::min(low, v);
                        high = std::max(high, v);
                    }
                const int v = (r >> shift) & 0xFF;
                ok = v >= low - 4 && v <= high + 4;
            }
            count += ok ? 0 : 1;
        }
    return count;
}

class PrinterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kq_printer_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

void DrawPage(CDC& dc, int number) {
    CFont font;
    font.CreatePointFont(140, "Arial", &dc);
    CFont* oldFont = dc.SelectObject(&font);
    CPen pen(PS_SOLID, 3, number == 1 ? RGB(200, 0, 0) : RGB(0, 0, 160));
    CPen* oldPen = dc.SelectObject(&pen);
    dc.TextOut(20, 20,
               number == 1 ? CString("Seite 1 \xE2\x80\x93 Pr\xC3\xBC"
                                     "fung")
                           : CString("Seite 2"));
    dc.MoveTo(0, 0);
    dc.LineTo(dc.GetDeviceCaps(HORZRES) - 1, dc.GetDeviceCaps(VERTRES) - 1);
    dc.Rectangle(40, 100, 400, 260 + number * 40);
    if (number == 2)
        dc.FillSolidRect(500, 600, 120, 80, RGB(0, 128, 255));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

}  // namespace

TEST_F(PrinterTest, DeviceCapsDescribeTheSheet) {
    const DeviceCaps portrait = PrinterCaps(PrinterSettings{});
    EXPECT_EQ(portrait.Get(LOGPIXELSX), 300);
    EXPECT_EQ(portrait.Get(LOGPIXELSY), 300);
    EXPECT_EQ(portrait.Get(PHYSICALWIDTH), 2480);
    EXPECT_EQ(portrait.Get(PHYSICALHEIGHT), 3508);
    EXPECT_EQ(portrait.Get(PHYSICALOFFSETX), 50);
    EXPECT_EQ(portrait.Get(PHYSICALOFFSETY), 50);
    EXPECT_EQ(portrait.Get(HORZRES), 2380);
    EXPECT_EQ(portrait.Get(VERTRES), 3408);
    EXPECT_EQ(portrait.Get(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(portrait.Get(HORZSIZE), 202);  // printable millimetres

    PrinterSettings wide;
    wide.landscape = true;
    wide.dpi = 100;
    wide.margin = 0;
    HDC hdc = CreatePrinterOutputDC(wide);
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(::GetDeviceCaps(hdc, HORZRES), 1169);
    EXPECT_EQ(::GetDeviceCaps(hdc, VERTRES), 827);
    EXPECT_EQ(::GetDeviceCaps(hdc, PHYSICALWIDTH), 1169);
    EXPECT_EQ(::GetDeviceCaps(hdc, PHYSICALOFFSETX), 0);
    // The page is the printable area, white, and drawing is clipped to it.
    auto page = DCSurface(hdc);
    ASSERT_EQ(page->Width(), 1169);
    EXPECT_EQ(page->Pixel(1168, 826) & 0xFFFFFF, 0xFFFFFFu);
    RECT clip{};
    ::GetClipBox(hdc, &clip);
    EXPECT_EQ(clip.right, 1169);
    EXPECT_EQ(clip.bottom, 827);
    ::DeleteDC(hdc);

    for (int dpi : {0, -5, kMaxPrinterDpi + 1}) {
        PrinterSettings bad;
        bad.dpi = dpi;
        EXPECT_EQ(CreatePrinterOutputDC(bad), nullptr);
        EXPECT_EQ(PrinterCaps(bad).Get(HORZRES), 0);
    }
    PrinterSettings allMargin;
    allMargin.margin = 1240;
    EXPECT_EQ(CreatePrinterOutputDC(allMargin), nullptr);
}

TEST_F(PrinterTest, TwoPagesReadBackFromThePdfMatchTheDrawnPages) {
    PrinterSettings settings;
    settings.dpi = 100;
    settings.margin = 10;
    settings.file = Path("job.pdf");
    CDC dc;
    ASSERT_TRUE(dc.Attach(CreatePrinterOutputDC(settings)));
    ASSERT_GT(dc.StartDoc("Pr\xC3\xBC"
                          "fprotokoll"),
              0);
    std::vector<Image> drawn;
    for (int number : {1, 2}) {
        ASSERT_GT(dc.StartPage(), 0);
        DrawPage(dc, number);
        drawn.push_back(ImageFromSurface(*DCSurface(dc)));
        ASSERT_GT(dc.EndPage(), 0);
    }
    EXPECT_FALSE(fs::exists(settings.file));  // complete only at the end
    ASSERT_GT(dc.EndDoc(), 0) << PrinterOutputError(dc);
    // The second page starts white: the first page's rectangle edge is not on it.
    EXPECT_EQ(drawn[0].Pixel(200, 299), 0x00C80000u);
    EXPECT_EQ(drawn[1].Pixel(200, 299), 0x00FFFFFFu);

    const std::string command = "pdftoppm -r 100 '" + settings.file + "' '" + Path("page") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (int number : {1, 2}) {
        SCOPED_TRACE(number);
        const Image sheet = ReadPpm(Path("page-" + std::to_string(number) + ".ppm"));
        ASSERT_EQ(sheet.width, 827);
        ASSERT_EQ(sheet.height, 1169);
        const Image& page = drawn[static_cast<size_t>(number - 1)];
        ASSERT_EQ(page.width, 807);
        EXPECT_EQ(Mismatches(sheet, 10, 10, page), 0);
        // The margins are blank paper.
        for (int y = 0; y < 1169; y += 7) {
            EXPECT_EQ(sheet.Pixel(3, y), 0xFFFFFFFFu);
            EXPECT_EQ(sheet.Pixel(823, y), 0xFFFFFFFFu);
        }
        // Something was drawn where the page says so: the diagonal's start.
        EXPECT_NE(sheet.Pixel(11, 11), 0xFFFFFFFFu);
    }
    EXPECT_FALSE(fs::exists(Path("page-3.ppm")));
}

TEST_F(PrinterTest, AbortedOrAbandonedJobsLeaveNoFile) {
    PrinterSettings settings;
    settings.dpi = 50;
    settings.file = Path("out.pdf");
    HDC hdc = CreatePrinterOutputDC(settings);
    DOCINFO info{sizeof(DOCINFO), "Graph", nullptr, nullptr, 0};
    ASSERT_GT(::StartDoc(hdc, &info), 0);
    ::StartPage(hdc);
    ::Rectangle(hdc, 0, 0, 50, 50);
    ::EndPage(hdc);
    ::StartPage(hdc);
    EXPECT_GT(::AbortDoc(hdc), 0);
    EXPECT_FALSE(fs::exists(settings.file));
    EXPECT_EQ(::EndDoc(hdc), SP_ERROR);  // nothing left to end

    // An existing file is only replaced by a finished document.
    std::ofstream(settings.file) << "previous";
    ASSERT_GT(::StartDoc(hdc, &info), 0);
    ::StartPage(hdc);
    ::EndPage(hdc);
    ::DeleteDC(hdc);  // the program gave up without EndDoc
    EXPECT_EQ(ReadAll(settings.file), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(PrinterTest, DocumentCallsInTheWrongOrderFail) {
    PrinterSettings settings;
    settings.dpi = 50;
    HDC hdc = CreatePrinterOutputDC(settings);
    EXPECT_EQ(::StartPage(hdc), SP_ERROR);
    EXPECT_EQ(::EndPage(hdc), SP_ERROR);
    DOCINFO info{sizeof(DOCINFO), "Graph", nullptr, nullptr, 0};
    EXPECT_EQ(::StartDoc(hdc, &info), SP_ERROR);  // neither printer nor file
    EXPECT_FALSE(PrinterOutputError(hdc).empty());

    // The document's output name is used; EndDoc ends the open page.
    const std::string output = Path("named.pdf");
    info.lpszOutput = output.c_str();
    ASSERT_GT(::StartDoc(hdc, &info), 0);
    EXPECT_EQ(::StartDoc(hdc, &info), SP_ERROR);
    ASSERT_GT(::StartPage(hdc), 0);
    EXPECT_EQ(::StartPage(hdc), SP_ERROR);
    ::Ellipse(hdc, 10, 10, 100, 100);
    ASSERT_GT(::EndDoc(hdc), 0) << PrinterOutputError(hdc);
    const std::string pdf = ReadAll(output);
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);

    const int bounds[4] = {0, 0, 10, 10};
    const int query = SET_BOUNDS;
    EXPECT_EQ(::Escape(hdc, SET_BOUNDS, sizeof bounds, reinterpret_cast<LPCSTR>(bounds), nullptr),
              1);
    EXPECT_EQ(
        ::Escape(hdc, QUERYESCSUPPORT, sizeof query, reinterpret_cast<LPCSTR>(&query), nullptr), 1);
    EXPECT_EQ(::Escape(hdc, 4096, 0, nullptr, nullptr), 0);
    ::DeleteDC(hdc);
}

TEST_F(PrinterTest, LandscapeJobGoesToLpAsLandscapePages) {
    fs::create_directories(dir_ / "bin");
    fs::create_directories(dir_ / "spool");
    const fs::path lp = dir_ / "bin" / "lp";
    std::ofstream(lp) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << Path("args") << "'\n"
                      << "/bin/cp \"$5\" '" << Path("received.pdf") << "'\n";
    fs::permissions(lp, fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir_ / "bin").c_str(), 1);
    ::setenv("TMPDIR", (dir_ / "spool").c_str(), 1);

    PrinterSettings settings;
    settings.printer = "Bench";
    settings.dpi = 50;
    settings.landscape = true;
    HDC hdc = CreatePrinterOutputDC(settings);
    DOCINFO info{sizeof(DOCINFO), "Diagramm", nullptr, nullptr, 0};
    const bool started = ::StartDoc(hdc, &info) > 0 && ::StartPage(hdc) > 0;
    const bool ended = started && ::EndPage(hdc) > 0 && ::EndDoc(hdc) > 0;
    const std::string error = PrinterOutputError(hdc);
    ::DeleteDC(hdc);
    ::setenv("PATH", oldPath.c_str(), 1);
    ::unsetenv("TMPDIR");
    ASSERT_TRUE(ended) << error;

    const std::string args = ReadAll(Path("args"));
    EXPECT_EQ(args.rfind("-d\nBench\n-t\nDiagramm\n", 0), 0u) << args;
    EXPECT_EQ(args.find("landscape"), std::string::npos);
    // A4 across: 585 x 413 pixels at 50 dpi.
    EXPECT_NE(ReadAll(Path("received.pdf")).find("/MediaBox [0 0 842.400 594.720]"),
              std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir_ / "spool"));
}

TEST_F(PrinterTest, PreviewShowsThePageOnTheSheet) {
    PrinterSettings settings;
    settings.dpi = 100;
    settings.margin = 40;
    CDC dc;
    dc.Attach(CreatePrinterOutputDC(settings));
    // Drawn without a document, as a preview does; the printer DC's mapping does not matter.
    CRect all(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.FillSolidRect(&all, RGB(0, 0, 0));
    dc.SetMapMode(MM_LOMETRIC);

    HBITMAP preview = RenderPagePreview(dc, 0.1);
    ASSERT_NE(preview, nullptr);
    const Image image = ImageFromBitmap(preview);
    EXPECT_EQ(image.width, 83);  // 827 x 1169 at a tenth
    EXPECT_EQ(image.height, 117);
    EXPECT_EQ(image.Pixel(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(image.Pixel(3, 60), 0xFFFFFFFFu);
    EXPECT_EQ(image.Pixel(4, 60), 0xFF000000u);  // the margin is 4 pixels at this scale
    EXPECT_EQ(image.Pixel(41, 58), 0xFF000000u);
    EXPECT_EQ(image.Pixel(79, 60), 0xFFFFFFFFu);
    ::DeleteObject(preview);

    // Half the area: an edge falls inside a pixel and is averaged to grey.
    dc.SetMapMode(MM_TEXT);
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    dc.FillSolidRect(0, 0, 5, 10, RGB(0, 0, 0));
    HBITMAP half = RenderPagePreview(dc, 0.1);
    const uint32_t edge = ImageFromBitmap(half).Pixel(4, 4);
    EXPECT_GT(RedOf(edge), 90);
    EXPECT_LT(RedOf(edge), 165);
    ::DeleteObject(half);

    EXPECT_EQ(RenderPagePreview(dc, 0), nullptr);
    EXPECT_EQ(RenderPagePreview(dc, 1e12), nullptr);
    HDC screen = ::CreateCompatibleDC(nullptr);
    EXPECT_EQ(RenderPagePreview(screen, 1.0), nullptr);
    ::DeleteDC(screen);
}
