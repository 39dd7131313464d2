// The chart on a printer page: the screen layout, computed in screen pixels over the page's
// size in screen units, drawn through a print-scaling DC. The window's own paint is not touched:
// a repaint that was due stays due, and the kept image stays the screen's.
#include "chart/XGraph.h"
#include "platform/framework/commdlg/PrintDialog.h"

namespace {

// A CDCEx that borrows a printer DC's handles for one drawing and gives them back.
class BorrowedPrinterDC : public CDCEx {
  public:
    explicit BorrowedPrinterDC(CDC* printer) {
        m_hDC = printer->m_hDC;
        m_hAttribDC = printer->m_hAttribDC;
        m_bPrinting = TRUE;
        ComputeScale(m_hAttribDC);
        m_bPrintScaling = true;
    }
    ~BorrowedPrinterDC() override {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
    BorrowedPrinterDC(const BorrowedPrinterDC&) = delete;
    BorrowedPrinterDC& operator=(const BorrowedPrinterDC&) = delete;

    // A page rectangle in device pixels as screen units.
    CRect ToScreen(const CRect& r) const {
        return CRect(static_cast<int>(static_cast<float>(r.left) / m_fHorzFactor),
                     static_cast<int>(static_cast<float>(r.top) / m_fVertFactor),
                     static_cast<int>(static_cast<float>(r.right) / m_fHorzFactor),
                     static_cast<int>(static_cast<float>(r.bottom) / m_fVertFactor));
    }
};

}  // namespace

BOOL CXGraph::PrintInto(CDC* printer, const CRect* area) {
    if (printer == nullptr || printer->m_hDC == nullptr)
        return FALSE;
    BorrowedPrinterDC dc(printer);
    const bool preview = printer->m_hAttribDC != nullptr && printer->m_hAttribDC != printer->m_hDC;
    const HDC caps = preview ? printer->m_hAttribDC : printer->m_hDC;
    const CRect page(0, 0, ::GetDeviceCaps(caps, HORZRES), ::GetDeviceCaps(caps, VERTRES));
    m_clPrintRect = dc.ToScreen(area != nullptr ? *area : page);
    m_pPrintDC = &dc;
    BOOL result = TRUE;
    if (preview) {
        dc.m_bClipUnscaled = true;
        PaintChart(&dc, m_clPrintRect);
    } else if (dc.StartDoc("Graph") <= 0) {
        result = FALSE;
    } else if (dc.StartPage() <= 0) {
        dc.AbortDoc();
        result = FALSE;
    } else {
        PaintChart(&dc, m_clPrintRect);
        if (dc.EndPage() <= 0) {
            dc.AbortDoc();
            result = FALSE;
        } else {
            result = dc.EndDoc() > 0 ? TRUE : FALSE;
        }
    }
    m_pPrintDC = nullptr;
    // The page layout replaced the screen's hit rectangles; the next screen paint restores them.
    Redraw();
    return result;
}

BOOL CXGraph::Print(CDC* printer) {
    return PrintInto(printer, nullptr);
}

BOOL CXGraph::PrintRect(CDC* printer, const CRect& rect) {
    return PrintInto(printer, &rect);
}

void CXGraph::OnPrint() {
    CPrintDialog dialog(
        FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE);
    if (dialog.DoModal() != IDOK)
        return;
    HDC hdc = dialog.GetPrinterDC();
    if (hdc == nullptr)
        return;
    CDC printer;
    printer.Attach(hdc);
    Print(&printer);
    printer.Detach();
    ::DeleteDC(hdc);
}
