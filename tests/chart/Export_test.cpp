// The chart's picture going out: the kept image as a BMP file of the documented layout, the
// window image as a packed DIB, and printed pages at printer resolution, through a real job
// into a PDF and through a preview pairing without a job.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ChartTestUtil.h"
#include "platform/gfx/ImageLoad.h"
#include "platform/gfx/PrinterOutput.h"
#include "platform/gfx/codec/Bmp.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "platform/ui/commdlg/GlobalMemory.h"

namespace kq::chart::test {
namespace {

namespace fs = std::filesystem;

constexpr COLORREF kBack = RGB(20, 40, 60);
constexpr COLORREF kInner = RGB(250, 250, 240);
constexpr COLORREF kCurve = RGB(200, 0, 0);

uint32_t U32(const std::string& s, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, s.data() + at, 4);
    return v;
}

uint16_t U16(const std::string& s, size_t at) {
    uint16_t v = 0;
    std::memcpy(&v, s.data() + at, 2);
    return v;
}

class ChartExport : public ChartWindowTest {
  protected:
    CXGraph* Painted(int w, int h) {
        CXGraph* chart = MakeChart(w, h);
        flat_ = Points(20, [](int) { return 5.0; });
        chart->SetData(flat_.data(), 20, 0, 0, 0, false);
        chart->GetXAxis(0).SetRange(0, 19);
        chart->GetYAxis(0).SetRange(0, 10);
        chart->GetCurve(0).SetColor(kCurve);
        chart->GetCurve(0).SetLineWidth(2);
        chart->SetBackColor(kBack);
        chart->SetInnerColor(kInner);
        chart->SetShowLegend(false);
        chart->UpdateWindow();
        return chart;
    }
    std::string Path(const std::string& name) const { return folder_.Path() + "/" + name; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The kept image's pixel, read through a memory DC.
    static COLORREF Kept(CXGraph* chart, int x, int y) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* old = dc.SelectObject(chart->GetChartBitmap());
        const COLORREF c = dc.GetPixel(x, y);
        dc.SelectObject(old);
        return c;
    }
    // The row of the flat curve in a chart painted at screen size over `rect`.
    int CurveRow(CXGraph* chart, const CRect& rect) {
        ChartCanvas canvas(rect.Width(), rect.Height());
        chart->PaintChart(&canvas.dc, rect);
        const int x = chart->GetPlotRect().CenterPoint().x;
        for (int y = 0; y < rect.Height(); ++y)
            if (canvas.At(x, y) == kCurve)
                return y;
        return -1;
    }
    std::vector<TDataPoint> flat_;
};

TEST_F(ChartExport, TheBmpFileHasTheDocumentedLayoutAndTheScreensPixels) {
    for (const CSize size : {CSize(100, 50), CSize(101, 37)}) {
        CXGraph* chart = Painted(size.cx, size.cy);
        ASSERT_TRUE(chart->SaveBitmap(Path("chart.bmp").c_str()));
        const std::string f = Read(Path("chart.bmp"));
        const uint32_t image = static_cast<uint32_t>(size.cx * size.cy * 4);
        ASSERT_EQ(f.size(), 58u + image);
        EXPECT_EQ(f.substr(0, 2), "BM");
        EXPECT_EQ(U32(f, 2), f.size());
        EXPECT_EQ(U32(f, 6), 0u);
        EXPECT_EQ(U32(f, 10), 58u);
        EXPECT_EQ(U32(f, 14), 40u);
        EXPECT_EQ(static_cast<int>(U32(f, 18)), size.cx);
        EXPECT_EQ(static_cast<int>(U32(f, 22)), size.cy);  // positive: bottom-up
        EXPECT_EQ(U16(f, 26), 1);
        EXPECT_EQ(U16(f, 28), 32);
        EXPECT_EQ(U32(f, 30), static_cast<uint32_t>(BI_RGB));
        EXPECT_EQ(U32(f, 34), image);
        for (size_t at : {38u, 42u, 46u, 50u, 54u})
            EXPECT_EQ(U32(f, at), 0u) << at;
        int mismatches = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) {
                const size_t at = 58 + (static_cast<size_t>(size.cy - 1 - y) * size.cx + x) * 4;
                const COLORREF c = RGB(static_cast<BYTE>(f[at + 2]), static_cast<BYTE>(f[at + 1]),
                                       static_cast<BYTE>(f[at]));
                mismatches += c != Kept(chart, x, y) || c != ScreenAt(chart, x, y);
            }
        EXPECT_EQ(mismatches, 0);
        chart->DestroyWindow();
        const kq::gfx::ImageResult decoded = kq::gfx::LoadBmpFile(Path("chart.bmp"));
        ASSERT_TRUE(decoded) << decoded.error;
        EXPECT_EQ(decoded.image.Pixel(2, 2) & 0xFFFFFF, 0x14283Cu);  // kBack as 0xRRGGBB
        HBITMAP loaded = static_cast<HBITMAP>(
            ::LoadImage(nullptr, Path("chart.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ASSERT_NE(loaded, nullptr);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HGDIOBJ old = dc.SelectObject(static_cast<HGDIOBJ>(loaded));
        EXPECT_EQ(dc.GetPixel(size.cx / 2, size.cy / 2), Kept(chart, size.cx / 2, size.cy / 2));
        dc.SelectObject(old);
        ::DeleteObject(loaded);
    }
}

TEST_F(ChartExport, AnIndependentDecoderReadsTheSamePixels) {
    if (std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null") != 0)
        GTEST_SKIP() << "Debian's python3-pil is not installed";
    CXGraph* chart = Painted(101, 37);
    ASSERT_TRUE(chart->SaveBitmap(Path("pil.bmp").c_str()));
    const std::string script = "from PIL import Image; im = Image.open('" + Path("pil.bmp") +
                               "').convert('RGB'); print(im.size[0], im.size[1], *[" +
                               "'%02x%02x%02x' % im.getpixel((x, y)) for (x, y) in " +
                               "((0, 0), (50, 18), (100, 36))])";
    FILE* pipe = ::popen(("/usr/bin/python3 -c \"" + script + "\"").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[256] = {};
    ASSERT_NE(std::fgets(line, sizeof line, pipe), nullptr);
    ::pclose(pipe);
    const auto hex = [&](int x, int y) {
        const COLORREF c = Kept(chart, x, y);
        char s[8];
        std::snprintf(s, sizeof s, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
        return std::string(s);
    };
    EXPECT_EQ(std::string(line),
              "101 37 " + hex(0, 0) + " " + hex(50, 18) + " " + hex(100, 36) + "\n");
}

TEST_F(ChartExport, NoFileUnlessAllOfItIsWritten) {
    CXGraph* chart = MakeChart(100, 50);
    EXPECT_FALSE(chart->SaveBitmap(Path("early.bmp").c_str()));  // nothing painted yet
    EXPECT_FALSE(fs::exists(Path("early.bmp")));
    chart->UpdateWindow();
    EXPECT_FALSE(chart->SaveBitmap(Path("missing/x.bmp").c_str()));
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(chart->SaveBitmap("/dev/full"));
    }
    const std::string folder = Path("locked");
    fs::create_directories(folder);
    std::ofstream(folder + "/x.bmp") << "old";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(folder.c_str(), W_OK) != 0) {
        EXPECT_FALSE(chart->SaveBitmap((folder + "/x.bmp").c_str()));
        EXPECT_EQ(Read(folder + "/x.bmp"), "old");
    }
    fs::permissions(folder, fs::perms::owner_all);
    CBitmap bitmap;
    bitmap.CreateBitmap(4, 4, 1, 32, nullptr);
    EXPECT_EQ(chart->DDBToDIB(bitmap, BI_BITFIELDS, nullptr), nullptr);
    EXPECT_FALSE(chart->WriteDIB(Path("null.bmp").c_str(), nullptr));
}

TEST_F(ChartExport, TheWindowDibIsTheBmpWithoutItsFileHeader) {
    CXGraph* chart = Painted(100, 50);
    ASSERT_TRUE(chart->SaveBitmap(Path("w.bmp").c_str()));
    const std::string file = Read(Path("w.bmp"));
    HGLOBAL dib = chart->GetWindowDIB();
    ASSERT_NE(dib, nullptr);
    ASSERT_EQ(::GlobalSize(dib), 40u + 4 + 20000);
    const auto* bytes = static_cast<const char*>(::GlobalLock(dib));
    EXPECT_EQ(std::string(bytes, 40 + 4 + 20000), file.substr(14));
    ::GlobalUnlock(dib);
    ::GlobalFree(dib);

    CXGraph* empty = MakeChart(0, 0);
    EXPECT_EQ(empty->GetWindowDIB(), nullptr);
}

TEST_F(ChartExport, APrintedPageIsTheScreenLayoutAtPrinterScale) {
    CXGraph* chart = Painted(200, 120);
    ASSERT_TRUE(chart->SaveBitmap(Path("before.bmp").c_str()));
    chart->Invalidate(FALSE);  // a repaint is due when the print starts
    CDC printer;
    ASSERT_TRUE(
        printer.Attach(kq::gfx::CreatePrinterOutputDC({.file = Path("p.pdf"), .dpi = 150})));
    const int w = printer.GetDeviceCaps(HORZRES), h = printer.GetDeviceCaps(VERTRES);
    ASSERT_TRUE(chart->Print(&printer));
    const std::string pdf = Read(Path("p.pdf"));
    EXPECT_EQ(pdf.substr(0, 4), "%PDF");
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
    EXPECT_NE(pdf.find("<FEFF00470072006100700068>"), std::string::npos);  // "Graph"
    EXPECT_TRUE(chart->GetUpdateRect(nullptr, FALSE));
    ASSERT_TRUE(chart->SaveBitmap(Path("after.bmp").c_str()));
    EXPECT_EQ(Read(Path("after.bmp")), Read(Path("before.bmp")));

    // The page rendered at the printer's resolution: back colour, and the curve's row scaled.
    const double f = 150.0 / 96.0;
    const int row = CurveRow(chart, CRect(0, 0, static_cast<int>(w / f), static_cast<int>(h / f)));
    ASSERT_GT(row, 0);
    const std::string out = Path("page");
    ASSERT_EQ(std::system(("pdftoppm -r 150 '" + Path("p.pdf") + "' '" + out + "'").c_str()), 0);
    const std::string ppm = Read(out + "-1.ppm");
    std::istringstream in(ppm);
    std::string magic;
    int pw = 0, ph = 0, max = 0;
    in >> magic >> pw >> ph >> max;
    in.get();
    const size_t start = static_cast<size_t>(in.tellg());
    const auto at = [&](int x, int y) {
        const size_t i = start + (static_cast<size_t>(y) * pw + x) * 3;
        return RGB(static_cast<BYTE>(ppm[i]), static_cast<BYTE>(ppm[i + 1]),
                   static_cast<BYTE>(ppm[i + 2]));
    };
    const int ox = (pw - w) / 2, oy = (ph - h) / 2;  // the printable area is centred
    EXPECT_EQ(at(ox + 3, oy + 3), kBack);
    // The renderer blends the line's edges: take the run of rows that are not the plot's colour.
    const int x = ox + w / 2;
    int first = -1, last = -1;
    for (int y = oy + 1; y < oy + h - 1; ++y)
        if (at(x, y) != kInner && at(x, y - 1) == kInner && first < 0)
            first = y - oy;
        else if (at(x, y) != kInner && at(x, y + 1) == kInner && first >= 0 && last < 0)
            last = y - oy;
    // A 2-pixel line at screen rows row, row + 1 is centred on row + 1 before scaling.
    EXPECT_NEAR((first + last) / 2.0, (row + 1) * f, 1.0);
    EXPECT_GE(last - first + 1, 3);  // 2 screen pixels at 1.5625
    EXPECT_LE(last - first + 1, 4);
}

TEST_F(ChartExport, APreviewDrawsAtPrinterScaleWithoutAJob) {
    CXGraph* chart = Painted(200, 120);
    CDC printer;
    ASSERT_TRUE(
        printer.Attach(kq::gfx::CreatePrinterOutputDC({.file = Path("no.pdf"), .dpi = 150})));
    const int w = printer.GetDeviceCaps(HORZRES), h = printer.GetDeviceCaps(VERTRES);
    ChartCanvas surface(w, h);
    CDC preview;
    preview.m_hDC = surface.dc.m_hDC;
    preview.m_hAttribDC = printer.m_hDC;
    ASSERT_TRUE(chart->Print(&preview));
    EXPECT_EQ(surface.At(w - 3, h - 3), kBack);
    EXPECT_GT(surface.Count(kCurve), 0);
    EXPECT_FALSE(fs::exists(Path("no.pdf")));

    // A quarter of the page: nothing beyond it.
    ChartCanvas quarter(w, h);
    preview.m_hDC = quarter.dc.m_hDC;
    const CRect part(0, 0, w / 2, h / 2);
    ASSERT_TRUE(chart->PrintRect(&preview, part));
    EXPECT_EQ(quarter.At(w / 2 - 3, h / 2 - 3), kBack);
    EXPECT_EQ(quarter.Count(kWhite, CRect(w / 2, 0, w, h)), (w - w / 2) * h);
    EXPECT_EQ(quarter.Count(kWhite, CRect(0, h / 2, w / 2, h)), (w / 2) * (h - h / 2));
    preview.m_hDC = nullptr;
    preview.m_hAttribDC = nullptr;
}

TEST_F(ChartExport, ThePrintCommandAsksForAPrinterAndReportsFailures) {
    CXGraph* chart = Painted(200, 120);
    const std::string pdf = Path("cmd.pdf");
    bool ok = true;
    kq::ui::SetCommonDialogHook([&](const kq::ui::CommonDialogRequest& r) {
        std::optional<kq::ui::CommonDialogAnswer> answer;
        if (r.kind == kq::ui::CommonDialogKind::Print)
            answer = kq::ui::CommonDialogAnswer{.ok = ok, .text = "PDF", .file = pdf};
        return answer;
    });
    ok = false;
    chart->SendMessage(WM_COMMAND, 60007);
    EXPECT_FALSE(fs::exists(pdf));
    ok = true;
    chart->SendMessage(WM_COMMAND, 60007);
    EXPECT_NE(Read(pdf).find("/Count 1"), std::string::npos);
    kq::ui::SetCommonDialogHook(nullptr);

    CDC printer;
    ASSERT_TRUE(printer.Attach(
        kq::gfx::CreatePrinterOutputDC({.file = Path("missing/x.pdf"), .dpi = 150})));
    EXPECT_FALSE(chart->Print(&printer));
    EXPECT_FALSE(kq::gfx::PrinterOutputError(printer.m_hDC).empty());
}

}  // namespace
}  // namespace kq::chart::test
