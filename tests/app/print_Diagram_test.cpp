// The diagram's printed page: the layout in the printer's pixels, the header fonts by resolution,
// the page printed on the platform's 300-dpi PDF printer and rendered back (frame, band, the
// capture turned onto the page, the fallback frame), refused documents and the print command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "AppTest.h"
#include "app/DiagramPrintLayout.h"
#include "foundation/Language.h"
#include "platform/base/FileSystem.h"
#include "platform/gfx/PrinterOutput.h"
#include "platform/gfx/codec/Bmp.h"
#include "platform/ui/commdlg/CommonDialogHook.h"
#include "tests/app/MeasurementForTest.h"

namespace apptest {
namespace {

constexpr int kDpi = 300;
constexpr int kMargin = 50;  // a sixth of an inch at 300 dpi: the printable area's offset

TEST(DiagramPrintLayout, CentimetresLandOnTheCentredPrintableArea) {
    // A printable area 20.0 cm wide: the frame's left edge lies 2.0 cm inside it.
    const int width = static_cast<int>(20.0 / 2.54 * kDpi + 0.5);
    const DiagramPrintLayout layout(width, 3300, kDpi, kDpi);
    EXPECT_EQ(layout.frame.left, static_cast<int>(2.0 / 2.54 * kDpi + 0.5));
    EXPECT_NEAR(layout.frame.Width(), 16.7 / 2.54 * kDpi, 1.0);
    // The band's cells lie between their lines, the picture below the band inside the frame.
    EXPECT_LT(layout.addressCell.right, layout.separatorLeft);
    EXPECT_GT(layout.middleCell.left, layout.separatorLeft);
    EXPECT_LT(layout.middleCell.right, layout.separatorRight);
    EXPECT_GT(layout.dateCell.left, layout.separatorRight);
    EXPECT_LT(layout.dateCell.bottom, layout.bandBottom);
    EXPECT_GT(layout.diagramArea.top, layout.bandBottom);
    EXPECT_LT(layout.diagramArea.bottom, layout.frame.bottom);
    // A device answering no resolution still gives a layout of pixels, not a division by 0.
    const DiagramPrintLayout broken(0, 0, 0, -5);
    EXPECT_LE(broken.frame.Width(), 100);
}

TEST(DiagramPrintLayout, FontsScaleWithTheResolutionWithinTheirLimits) {
    const DiagramPrintFont at600[] = {DiagramPrintFontFor(0, 600), DiagramPrintFontFor(1, 600),
                                      DiagramPrintFontFor(2, 600)};
    EXPECT_EQ(at600[0].height, 1700);
    EXPECT_EQ(at600[0].weight, 700);
    EXPECT_EQ(at600[1].height, 600);
    EXPECT_EQ(at600[1].weight, 380);
    EXPECT_EQ(at600[2].height, 500);
    EXPECT_EQ(at600[2].weight, 315);
    EXPECT_EQ(DiagramPrintFontFor(0, 300).height, 850);
    // A resolution code of 0 or below, or a huge one, stays within the font's limits.
    EXPECT_EQ(DiagramPrintFontFor(0, -4).height, 1);
    EXPECT_EQ(DiagramPrintFontFor(0, -4).weight, 1);
    EXPECT_EQ(DiagramPrintFontFor(0, 100000).weight, 1000);
}

// The colour at (x, y) of a P6 file read once.
class Ppm {
  public:
    explicit Ppm(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        data_.assign(std::istreambuf_iterator<char>(file), {});
        std::istringstream in(data_);
        std::string magic;
        int max = 0;
        in >> magic >> w_ >> h_ >> max;
        start_ = static_cast<size_t>(in.tellg()) + 1;
        if (magic != "P6")
            w_ = h_ = 0;
    }
    int Width() const { return w_; }
    uint32_t At(int x, int y) const {
        const size_t at = start_ + (size_t(y) * w_ + x) * 3;
        if (x < 0 || y < 0 || x >= w_ || y >= h_ || at + 3 > data_.size())
            return 0xFFFFFFFF;
        return (uint32_t(uint8_t(data_[at])) << 16) | (uint32_t(uint8_t(data_[at + 1])) << 8) |
               uint8_t(data_[at + 2]);
    }
    // Some pixel of the 5 x 5 block around a device point is dark.
    bool DarkNear(int x, int y) const {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if ((At(x + kMargin + dx, y + kMargin + dy) & 0xFFFFFF) < 0x404040)
                    return true;
        return false;
    }
    // Counts the pixels of a device rectangle that are not white.
    int InkIn(const CRect& r) const {
        int ink = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                ink += (At(x + kMargin, y + kMargin) & 0xFFFFFF) != 0xFFFFFF;
        return ink;
    }

  private:
    std::string data_;
    size_t start_ = 0;
    int w_ = 0, h_ = 0;
};

bool Near(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 24)
            return false;
    return true;
}

class DiagramPrint : public StartedApp {
  protected:
    void SetUp() override {
        StartedApp::SetUp();
        Run(100);
        frame_->ShowWindow(SW_SHOW);
        MeasurementForTest(*frame_).Files().m_strDiagramBitmap =
            (folder_ / "TEMP_DIAGRAM.bmp").c_str();
        pdf_ = folder_ / "page.pdf";
    }
    void TearDown() override {
        kq::ui::SetCommonDialogHook(nullptr);
        StartedApp::TearDown();
    }
    // A capture of 140 x 100 pixels, its upper half red, its lower half blue.
    void WriteCapture() {
        kq::gfx::Image picture(140, 100, 0xFF2050C0);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 140; ++x)
                picture.SetPixel(x, y, 0xFFE03010);
        ASSERT_TRUE(kq::gfx::SaveBmpFile(
            frame_->Measurement().Files().m_strDiagramBitmap.GetString(), picture));
    }
    BOOL PrintOnPdf(kq::gfx::PrinterSettings settings) {
        CDC dc;
        dc.Attach(kq::gfx::CreatePrinterOutputDC(settings));
        width_ = dc.GetDeviceCaps(HORZRES);
        height_ = dc.GetDeviceCaps(VERTRES);
        const BOOL printed = frame_->PrintDiagramPage(dc);
        dc.DeleteDC();
        return printed;
    }
    Ppm Render() {
        const std::string page = folder_ / "page";
        EXPECT_EQ(std::system(("pdftoppm -r 300 '" + pdf_ + "' '" + page + "'").c_str()), 0);
        return Ppm(page + "-1.ppm");
    }

    std::string pdf_;
    int width_ = 0, height_ = 0;
};

TEST_F(DiagramPrint, ThePageShowsFrameBandDateAndTheCaptureTurned) {
    WriteCapture();
    // The DC's own resolution wins over an earlier printer's settings.
    frame_->m_iPrinterDpiX = frame_->m_iPrinterDpiY = 600;
    ASSERT_TRUE(PrintOnPdf({.file = pdf_, .dpi = kDpi}));
    EXPECT_EQ(frame_->m_iPrinterDpiX, kDpi);
    EXPECT_TRUE(boxes_.empty());
    const Ppm page = Render();
    ASSERT_GT(page.Width(), 0);
    // The lines sit at the pixels the printable width reported by the DC gives.
    const DiagramPrintLayout layout(width_, height_, kDpi, kDpi);
    const CRect& f = layout.frame;
    EXPECT_TRUE(page.DarkNear(f.left, (f.top + f.bottom) / 2));
    EXPECT_TRUE(page.DarkNear(f.right, (f.top + f.bottom) / 2));
    EXPECT_TRUE(page.DarkNear(f.CenterPoint().x, f.top));
    EXPECT_TRUE(page.DarkNear(f.CenterPoint().x, f.bottom));
    EXPECT_TRUE(page.DarkNear(f.CenterPoint().x, layout.bandBottom));
    EXPECT_TRUE(page.DarkNear(layout.separatorLeft, (f.top + layout.bandBottom) / 2));
    EXPECT_TRUE(page.DarkNear(layout.separatorRight, (f.top + layout.bandBottom) / 2));
    // The date is printed in its cell; nothing lies outside the frame.
    EXPECT_GT(page.InkIn(layout.dateCell), 0);
    EXPECT_EQ(page.InkIn(CRect(0, 0, f.left - 4, height_)), 0);
    EXPECT_EQ(page.InkIn(CRect(f.right + 4, 0, width_, height_)), 0);
    EXPECT_EQ(page.InkIn(CRect(0, f.bottom + 4, width_, height_)), 0);
    // Turned by 270 degrees the capture's red top lies on the page's left.
    const CRect& area = layout.diagramArea;
    const int midY = area.CenterPoint().y;
    EXPECT_TRUE(Near(page.At(kMargin + area.left + area.Width() / 4, kMargin + midY), 0xE03010));
    EXPECT_TRUE(
        Near(page.At(kMargin + area.left + area.Width() * 3 / 4, kMargin + midY), 0x2050C0));
    // The temporary file now holds the turned picture.
    const kq::gfx::ImageResult turned =
        kq::gfx::LoadBmpFile(frame_->Measurement().Files().m_strDiagramBitmap.GetString());
    ASSERT_TRUE(turned.Ok());
    // (the rotation may add a pixel of border on each side)
    EXPECT_NEAR(turned.image.width, 100, 2);
    EXPECT_NEAR(turned.image.height, 140, 2);
    EXPECT_TRUE(Near(turned.image.Pixel(10, 70) & 0xFFFFFF, 0xE03010));
    // What the turn uncovers (the picture's right columns and top rows) is paper, in the file
    // and on the page.
    const int w = turned.image.width, h = turned.image.height;
    EXPECT_EQ(turned.image.Pixel(w - 1, h / 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(turned.image.Pixel(w / 2, 0) & 0xFFFFFF, 0xFFFFFFu);
    const int inX = area.Width() / (2 * w), inY = area.Height() / (2 * h);
    EXPECT_TRUE(Near(page.At(kMargin + area.right - 1 - inX, kMargin + midY), 0xFFFFFF));
    EXPECT_TRUE(Near(page.At(kMargin + area.CenterPoint().x, kMargin + area.top + inY), 0xFFFFFF));
}

TEST_F(DiagramPrint, WithoutACaptureTheAreaIsFramedBelowTheBand) {
    frame_->m_rectExport = CRect(0, 0, 1872, 1331);
    ASSERT_TRUE(PrintOnPdf({.file = pdf_, .dpi = kDpi}));
    const Ppm page = Render();
    const DiagramPrintLayout layout(width_, height_, kDpi, kDpi);
    const CRect& area = layout.diagramArea;
    EXPECT_TRUE(page.DarkNear(area.left, area.CenterPoint().y));
    EXPECT_TRUE(page.DarkNear(area.CenterPoint().x, area.top));
    CRect inside = area;
    inside.DeflateRect(6, 6);
    EXPECT_EQ(page.InkIn(inside), 0);
    EXPECT_FALSE(PathFileExists(frame_->Measurement().Files().m_strDiagramBitmap));
}

TEST_F(DiagramPrint, ARefusedDocumentIsReportedAndLeavesNoFile) {
    WriteCapture();
    pdf_ = folder_ / "missing/page.pdf";
    EXPECT_FALSE(PrintOnPdf({.file = pdf_, .dpi = kDpi}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_FALSE(boxes_[0].text.IsEmpty());
    EXPECT_FALSE(PathFileExists(pdf_.c_str()));
}

TEST_F(DiagramPrint, TheCommandPrintsTheCaptureAndDocksTheBarBack) {
    MeasurementForTest edit(*frame_);
    CViewBarDiagram& bar = frame_->m_wndDiagramBar;
    frame_->ShowControlBar(&bar, TRUE, FALSE);
    frame_->DockControlBar(&bar, AFX_IDW_DOCKBAR_BOTTOM);
    frame_->RecalcLayout();
    WriteCapture();  // an earlier print's picture, which must not be printed again
    int asked = 0;
    kq::ui::CommonDialogAnswer answer;
    answer.text = "PDF";
    answer.file = pdf_;
    kq::ui::SetCommonDialogHook([&](const kq::ui::CommonDialogRequest& request) {
        EXPECT_EQ(request.kind, kq::ui::CommonDialogKind::Print);
        ++asked;
        return std::optional(answer);
    });
    frame_->SendMessage(WM_COMMAND, 10003);
    EXPECT_TRUE(bar.IsFloating());
    Run(50);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(PathFileExists(pdf_.c_str()));
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(bar.GetDockBarId(), static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM));
    // The capture of the live diagram replaced the old picture: turned, it is higher than wide.
    const kq::gfx::ImageResult turned =
        kq::gfx::LoadBmpFile(frame_->Measurement().Files().m_strDiagramBitmap.GetString());
    ASSERT_TRUE(turned.Ok());
    EXPECT_GT(turned.image.height, turned.image.width);
    EXPECT_NE(turned.image.width, 100);

    // A capture that cannot be written is reported, and the page shows the frame instead.
    DeleteFile(pdf_.c_str());
    edit.Files().m_strDiagramBitmap = (folder_ / "missing/TEMP_DIAGRAM.bmp").c_str();
    frame_->SendMessage(WM_COMMAND, 10003);
    Run(50);
    EXPECT_EQ(asked, 2);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text.Find(GetLanguageString(5259)), 0);
    EXPECT_TRUE(PathFileExists(pdf_.c_str()));
    boxes_.clear();
    edit.Files().m_strDiagramBitmap = (folder_ / "TEMP_DIAGRAM.bmp").c_str();

    // Cancel prints nothing.
    DeleteFile(pdf_.c_str());
    answer.ok = false;
    frame_->SendMessage(WM_COMMAND, 10003);
    Run(50);
    EXPECT_EQ(asked, 3);
    EXPECT_FALSE(PathFileExists(pdf_.c_str()));
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace apptest
