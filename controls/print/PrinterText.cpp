// Text output of the page printer. The DC is switched to device pixels for the font and the
// rectangle (with both origins at 0, so that a page mapped onto a rectangle away from the
// sheet's corner is not moved twice), the text is drawn, and its extent comes back in the
// page's logical units.
#include <algorithm>
#include <cstring>

#include "controls/print/Printer.h"
#include "controls/print/PrinterGeometry.h"
#include "controls/print/TextLimits.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr BYTE kVariableSwiss = VARIABLE_PITCH | FF_SWISS;

// The DC prepared for one text in device pixels: saved, in MM_TEXT at origin 0, with the
// state's font selected. The destructor puts everything back.
class DeviceTextScope {
  public:
    explicit DeviceTextScope(const PageState& s) : dc_(s.dc) {
        using kq::print::ShiftX;
        rect = {ShiftX(s.left, s.hOffset), s.top,
                std::min(ShiftX(s.right, s.hOffset), ShiftX(s.pageWidth, -s.hOffset)), s.bottom};
        dc_->LPtoDP(&rect);
        saved_ = dc_->SaveDC();
        dc_->SetMapMode(MM_TEXT);
        dc_->SetWindowOrg(0, 0);
        dc_->SetViewportOrg(0, 0);

        LOGFONT lf{};
        lf.lfHeight = -::MulDiv(s.pointSize, dc_->GetDeviceCaps(LOGPIXELSY), 72);
        lf.lfWeight = (s.textFlags & kTextBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (s.textFlags & kTextItalic) ? 1 : 0;
        lf.lfUnderline = (s.textFlags & kTextUnderline) ? 1 : 0;
        lf.lfStrikeOut = (s.textFlags & kTextStrikeOut) ? 1 : 0;
        lf.lfCharSet = ANSI_CHARSET;
        lf.lfOutPrecision = OUT_STROKE_PRECIS;
        lf.lfClipPrecision = CLIP_STROKE_PRECIS;
        lf.lfQuality = PROOF_QUALITY;
        lf.lfPitchAndFamily = kVariableSwiss;
        const std::string face = kq::print::BoundedCopy(s.faceName.c_str(), LF_FACESIZE - 1);
        std::memcpy(lf.lfFaceName, face.c_str(), face.size() + 1);
        font_.CreateFontIndirect(&lf);
        oldFont_ = dc_->SelectObject(&font_);
        format = kq::print::DrawTextFormat(s.textFlags);
    }
    ~DeviceTextScope() {
        if (oldFont_ != nullptr)
            dc_->SelectObject(oldFont_);
        font_.DeleteObject();
        if (saved_ != 0)
            dc_->RestoreDC(saved_);
    }
    DeviceTextScope(const DeviceTextScope&) = delete;
    DeviceTextScope& operator=(const DeviceTextScope&) = delete;

    RECT rect{};
    UINT format = 0;

  private:
    CDC* dc_;
    CFont font_;
    CFont* oldFont_ = nullptr;
    int saved_ = 0;
};

void RecordExtent(PageState& s, RECT extent) {
    s.dc->DPtoLP(&extent);
    s.lastHeight = extent.bottom - extent.top;
    s.lastRight = extent.right;
    s.textBox = extent;
}

}  // namespace

void CPrinter::MeasureText(PageState& s, double) {
    if (s.dc == nullptr)
        return;
    RECT extent{};
    {
        DeviceTextScope scope(s);
        extent = scope.rect;
        s.dc->DrawText(s.text.c_str(), -1, &extent, scope.format | DT_CALCRECT);
    }
    RecordExtent(s, extent);
}

void CPrinter::OutputText(PageState& s, double) {
    if (s.text.empty() || s.dc == nullptr)
        return;
    CDC* dc = s.dc;
    RECT extent{};
    {
        DeviceTextScope scope(s);
        RECT& rect = scope.rect;
        // A box without size grows to the text: one line per paragraph, so without word breaks
        // (which in a rectangle without width would put every word on a line of its own).
        if (s.right == 0 && s.bottom == 0)
            dc->DrawText(s.text.c_str(), -1, &rect, (scope.format & ~DT_WORDBREAK) | DT_CALCRECT);
        extent = rect;

        CGdiObject* oldBrush = nullptr;
        int oldMode = 0;
        COLORREF oldColour = 0;
        bool modeChanged = false;
        bool colourChanged = false;
        if (s.textFlags & kTextFilledBox) {
            // On the darker fills the text goes transparent (and white on dark grey and black);
            // on plain grey it keeps its opaque background.
            if (s.fillFlags & (kFillBlack | kFillLightGray | kFillDarkGray)) {
                oldMode = dc->SetBkMode(TRANSPARENT);
                modeChanged = true;
            }
            if (s.fillFlags & (kFillBlack | kFillDarkGray)) {
                oldColour = dc->SetTextColor(kWhite);
                colourChanged = true;
            }
            oldBrush = dc->SelectStockObject(kq::print::StockBrushFor(s.fillFlags));
            dc->Rectangle(&rect);
        }
        dc->DrawText(s.text.c_str(), -1, &rect, scope.format);
        if (modeChanged)
            dc->SetBkMode(oldMode);
        if (colourChanged)
            dc->SetTextColor(oldColour);
        dc->DrawText(s.text.c_str(), -1, &extent, scope.format | DT_CALCRECT);
        if (oldBrush != nullptr)
            dc->SelectObject(oldBrush);
    }
    // The metrics block describes the DC as the text leaves it: its own font, in its own
    // mapping, not the font the text was printed in.
    if (s.metrics != nullptr)
        dc->GetTextMetrics(s.metrics);
    RecordExtent(s, extent);
}
