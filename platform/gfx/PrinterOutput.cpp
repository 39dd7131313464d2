#include "platform/gfx/PrinterOutput.h"

#include <atomic>
#include <cstring>
#include <memory>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/ImageBridge.h"
#include "platform/gfx/PixelColor.h"
#include "platform/gfx/SurfaceDc.h"
#include "platform/gfx/print/PrintJob.h"

namespace kq::gfx {

namespace {

struct Geometry {
    PageFormat sheet;
    int margin = 0;
    int Width() const { return sheet.widthPixels - 2 * margin; }
    int Height() const { return sheet.heightPixels - 2 * margin; }
};

bool GeometryOf(const PrinterSettings& s, Geometry& g) {
    if (s.dpi < 1 || s.dpi > kMaxPrinterDpi) {
        return false;
    }
    g.sheet = A4Page(s.dpi, s.landscape);
    g.margin = s.margin >= 0 ? s.margin : s.dpi / 6;
    return g.Width() > 0 && g.Height() > 0;
}

// The job behind a printer DC's document calls. Pages are drawn on `page`; each finished page
// goes into the job as the whole sheet.
class PrinterDocument final : public PrintJobSink {
  public:
    PrinterDocument(PrinterSettings settings, Geometry geometry, std::shared_ptr<Surface> page)
        : settings_(std::move(settings)), geometry_(geometry), page_(std::move(page)) {}

    int StartDoc(const DOCINFO& info) override {
        if (job_.IsActive()) {
            return Fail("a document is already being printed");
        }
        PrintTarget target{settings_.printer, settings_.file, settings_.copies, settings_.collate};
        if (info.lpszOutput && *info.lpszOutput) {
            target = PrintTarget{std::string(), info.lpszOutput};
        }
        error_.clear();
        if (!job_.Begin(info.lpszDocName ? info.lpszDocName : "", target)) {
            return Fail(job_.Error());
        }
        pageOpen_ = false;
        static std::atomic<int> jobs{0};
        return ++jobs;
    }
    int StartPage() override {
        if (!job_.IsActive() || pageOpen_) {
            return SP_ERROR;
        }
        page_->Fill(kWhitePixel);
        pageOpen_ = true;
        return 1;
    }
    int EndPage() override {
        if (!job_.IsActive() || !pageOpen_) {
            return SP_ERROR;
        }
        pageOpen_ = false;
        const double dpi = geometry_.sheet.dpiX;
        return job_.AddPage(Sheet(), dpi, dpi) ? 1 : Fail(job_.Error());
    }
    int EndDoc() override {
        if (!job_.IsActive() || (pageOpen_ && EndPage() == SP_ERROR)) {
            return SP_ERROR;
        }
        return job_.End() ? 1 : Fail(job_.Error());
    }
    int AbortDoc() override {
        if (!job_.IsActive()) {
            return SP_ERROR;
        }
        job_.Abort();
        pageOpen_ = false;
        return 1;
    }
    int Escape(int code, int inSize, const void* in, void*) override {
        if (code == SET_BOUNDS) {
            return 1;
        }
        if (code == QUERYESCSUPPORT && in && inSize >= static_cast<int>(sizeof(int))) {
            int asked = 0;
            std::memcpy(&asked, in, sizeof asked);
            return asked == SET_BOUNDS || asked == QUERYESCSUPPORT ? 1 : 0;
        }
        return 0;
    }

    const std::string& Error() const { return error_; }

  private:
    int Fail(const std::string& text) {
        error_ = text;
        return SP_ERROR;
    }
    // The page on a white sheet, at the margin.
    Image Sheet() const {
        Image sheet(geometry_.sheet.widthPixels, geometry_.sheet.heightPixels, 0xFFFFFFFFu);
        for (int y = 0; y < page_->Height(); ++y) {
            std::memcpy(sheet.Row(y + geometry_.margin) + geometry_.margin, page_->Row(y),
                        static_cast<size_t>(page_->Width()) * 4);
        }
        return sheet;
    }

    PrinterSettings settings_;
    Geometry geometry_;
    std::shared_ptr<Surface> page_;
    PrintJob job_;
    bool pageOpen_ = false;
    std::string error_;
};

}  // namespace

DeviceCaps PrinterCaps(const PrinterSettings& settings) {
    Geometry g;
    if (!GeometryOf(settings, g)) {
        return DeviceCaps::Printer(0, 0, 0, 0, 0, 0, 0);
    }
    return DeviceCaps::Printer(settings.dpi, g.Width(), g.Height(), g.sheet.widthPixels,
                               g.sheet.heightPixels, g.margin, g.margin);
}

HDC CreatePrinterOutputDC(const PrinterSettings& settings) {
    Geometry g;
    if (!GeometryOf(settings, g)) {
        return nullptr;
    }
    auto page = Surface::Create(g.Width(), g.Height());
    if (!page) {
        return nullptr;
    }
    page->Fill(kWhitePixel);
    auto document = std::make_shared<PrinterDocument>(settings, g, page);
    return CreatePrinterDC(page, PrinterCaps(settings), document);
}

std::string PrinterOutputError(HDC printerDc) {
    auto dc = LookupDc(printerDc);
    const auto* document = dc ? dynamic_cast<const PrinterDocument*>(dc->PrintSink()) : nullptr;
    return document ? document->Error() : std::string();
}

}  // namespace kq::gfx
