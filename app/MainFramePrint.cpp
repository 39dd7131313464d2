// The diagram's print: command 10003 floats the diagram at the print size and lets the diagram
// view capture it (its TIMER_PRINT), which then calls PrintDiagram. PrintDiagram chooses the
// printer and PrintDiagramPage prints the one page on a given printer DC: frame, header band with
// the documentation's texts and the date, and the capture turned to the page's height.
#include <algorithm>
#include <vector>

#include "app/DiagramPrintLayout.h"
#include "app/ExportRect.h"
#include "app/MainFrame.h"
#include "controls/EnBitmap.h"
#include "controls/print/Page.h"
#include "foundation/DateTimeText.h"
#include "foundation/Language.h"
#include "platform/base/LastError.h"
#include "platform/framework/commdlg/PrintDialog.h"
#include "platform/gfx/PrinterOutput.h"
#include "res/TextIds.h"

namespace {

// The measuring state's text without its dots ("Messen", "Measure", "Mesure") names the print.
constexpr char kFontFace[] = "Courier New";
constexpr int kHeadlineFont = 0, kAddressFont = 1, kCommentFont = 2;
// A text that does not fit its cell is shrunk by this share per try.
constexpr int kShrinkPercent = 90;

CString DocumentName() {
    CString name = GetLanguageString(IDS_STATUS_MEASURING);
    name.TrimRight('.');
    return name;
}

CString SingleLine(CString text) {
    text.Remove('\n');
    text.Remove('\r');
    return text;
}

// The resolution the printer DC reports; its settings' value only when the DC answers nothing.
int PrinterDpi(CDC& dc, int caps, int fromSettings) {
    const int dpi = dc.GetDeviceCaps(caps);
    if (dpi > 0)
        return dpi;
    return fromSettings > 0 ? fromSettings : 300;
}

struct HeaderLine {
    CString text;
    int font;
};

// Prints the lines into the cell, one under the other, each in its font shrunk (same face and
// weight) until the line fits the cell's width and its share of the cell's height.
void PrintCellLines(CDC& dc, const CRect& cell, const std::vector<HeaderLine>& lines, int dpi,
                    UINT align) {
    if (lines.empty() || cell.Width() <= 0 || cell.Height() <= 0)
        return;
    const int share = cell.Height() / static_cast<int>(lines.size());
    int y = cell.top;
    for (const HeaderLine& line : lines) {
        const DiagramPrintFont wanted = DiagramPrintFontFor(line.font, dpi);
        int height = std::min(wanted.height, std::max(share, 1));
        CFont font;
        CSize extent;
        for (;;) {
            font.DeleteObject();
            font.CreateFont(height, 0, 0, 0, wanted.weight, 0, 0, 0, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            FIXED_PITCH | FF_MODERN, kFontFace);
            CFont* old = dc.SelectObject(&font);
            extent = dc.GetTextExtent(line.text);
            dc.SelectObject(old);
            if ((extent.cx <= cell.Width() && extent.cy <= share) || height <= 1)
                break;
            height = std::max(1, height * kShrinkPercent / 100);
        }
        CFont* old = dc.SelectObject(&font);
        const int x = align == TA_RIGHT    ? cell.right - extent.cx
                      : align == TA_CENTER ? cell.left + (cell.Width() - extent.cx) / 2
                                           : cell.left;
        CRect clip(cell.left, y, cell.right, y + share);
        dc.ExtTextOut(x, y, ETO_CLIPPED, &clip, line.text, nullptr);
        dc.SelectObject(old);
        y += share;
    }
}

// The printer's own words for a failed document call, else the error code.
CString PrintFailureText(CDC& dc) {
    CString text = kq::gfx::PrinterOutputError(dc.GetSafeHdc()).c_str();
    if (text.IsEmpty())
        text.Format("%s: %lu", DocumentName().GetString(),
                    static_cast<unsigned long>(GetLastError()));
    return text;
}

}  // namespace

void CMainFrame::StartDiagramPrint() {
    WaitCursorOn();
    m_rectExport = PrepareDiagramForExport(kExportPrint);
    if (IFlowDiagram* diagram = FlowDiagram())
        diagram->ArmPrintTimer();
    else
        RestoreDiagramBarDocking();
}

void CMainFrame::PrintDiagram() {
    CPrintDialog dialog(
        FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE,
        this);
    if (dialog.DoModal() != IDOK)
        return;
    HDC printer = dialog.GetPrinterDC();
    if (printer == nullptr)
        printer = dialog.CreatePrinterDC();
    if (printer == nullptr)
        return;
    int qualityDpi = 0, verticalDpi = 0;
    if (LPDEVMODE mode = dialog.GetDevMode()) {
        qualityDpi = mode->dmPrintQuality;
        verticalDpi = mode->dmYResolution;
    }
    // Kept only as the fallback of a printer DC that answers no resolution.
    m_iPrinterDpiX = qualityDpi;
    m_iPrinterDpiY = verticalDpi;
    CDC dc;
    dc.Attach(printer);
    PrintDiagramPage(dc);
    dc.DeleteDC();
}

BOOL CMainFrame::PrintDiagramPage(CDC& dc) {
    // The page library asks the DC whether it prints.
    dc.m_bPrinting = TRUE;
    m_iPrinterDpiX = PrinterDpi(dc, LOGPIXELSX, m_iPrinterDpiX);
    m_iPrinterDpiY = PrinterDpi(dc, LOGPIXELSY, m_iPrinterDpiY);
    const int width = dc.GetDeviceCaps(HORZRES), height = dc.GetDeviceCaps(VERTRES);
    const DiagramPrintLayout layout(width, height, m_iPrinterDpiX, m_iPrinterDpiY);

    if (dc.StartDoc(DocumentName()) <= 0) {
        AfxMessageBox(PrintFailureText(dc), MB_ICONSTOP);
        return FALSE;
    }
    BOOL printed = dc.StartPage() > 0;
    if (printed) {
        CPage page(CRect(0, 0, width, height), &dc, MM_TEXT);
        PrintDiagramFrame(dc, layout);
        PrintDiagramHeader(dc, layout);
        PrintDiagramPicture(dc, page, layout);
        printed = dc.EndPage() > 0;
    }
    if (printed)
        printed = dc.EndDoc() > 0;
    if (!printed) {
        // The printer's reason is read before the abort forgets it.
        const CString reason = PrintFailureText(dc);
        dc.AbortDoc();
        AfxMessageBox(reason, MB_ICONSTOP);
    }
    return printed;
}

void CMainFrame::PrintDiagramFrame(CDC& dc, const DiagramPrintLayout& layout) {
    CPen pen(PS_SOLID, std::max(1, m_iPrinterDpiX / 150), RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    const CRect& f = layout.frame;
    dc.Rectangle(f.left, f.top, f.right, f.bottom);
    dc.MoveTo(f.left, layout.bandBottom);
    dc.LineTo(f.right, layout.bandBottom);
    for (int x : {layout.separatorLeft, layout.separatorRight}) {
        dc.MoveTo(x, f.top);
        dc.LineTo(x, layout.bandBottom);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CMainFrame::PrintDiagramHeader(CDC& dc, const DiagramPrintLayout& layout) {
    std::vector<HeaderLine> middle, address;
    if (IFlowDocumentation* documentation = FlowDocumentation()) {
        const CString headline = SingleLine(documentation->GetPrintHeadline());
        if (!headline.IsEmpty())
            middle.push_back({headline, kHeadlineFont});
        for (const CString& line : documentation->GetPrintCommentLines())
            middle.push_back({SingleLine(line), kCommentFont});
        for (const CString& line : documentation->GetPrintAddressLines())
            address.push_back({SingleLine(line), kAddressFont});
    }
    CDateTimeText date(0, 1000, 2000, 3000, m_iLanguageOffset);
    date.Update();
    const std::vector<HeaderLine> dateLines = {{date.GetDateText(), kCommentFont},
                                               {date.GetTimeText(), kCommentFont}};
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc.SetTextColor(RGB(0, 0, 0));
    PrintCellLines(dc, layout.addressCell, address, m_iPrinterDpiX, TA_LEFT);
    PrintCellLines(dc, layout.middleCell, middle, m_iPrinterDpiX, TA_CENTER);
    PrintCellLines(dc, layout.dateCell, dateLines, m_iPrinterDpiX, TA_RIGHT);
    dc.SetTextColor(oldColour);
    dc.SetBkMode(oldMode);
}

void CMainFrame::PrintDiagramPicture(CDC& dc, CPage& page, const DiagramPrintLayout& layout) {
    const CRect& area = layout.diagramArea;
    // White behind the picture, so that the corners the turn uncovers print as paper.
    CEnBitmap picture(0x00FFFFFF);
    // The capture is wider than high; turned, it fills the page's height.
    if (picture.LoadImageFile(m_measurement.Files().m_strDiagramBitmap) &&
        picture.RotateImage(270) &&
        WriteBitmapFile(this, static_cast<HBITMAP>(picture.GetSafeHandle()),
                        m_measurement.Files().m_strDiagramBitmap) &&
        page.DrawBitmapFile(area.top, area.left, area.bottom, area.right,
                            m_measurement.Files().m_strDiagramBitmap.GetString()))
        return;
    // No picture: the frame of the area it would fill, turned like it and kept below the band.
    const double scaleX = m_iPrinterDpiX / 96.0, scaleY = m_iPrinterDpiY / 96.0;
    CRect outline(area.left, area.top, area.left + static_cast<int>(m_rectExport.Height() * scaleX),
                  area.top + static_cast<int>(m_rectExport.Width() * scaleY));
    outline.IntersectRect(outline, area);
    if (outline.IsRectEmpty())
        outline = area;
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(outline.left, outline.top, outline.right, outline.bottom);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}
