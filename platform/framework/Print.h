// Printing from a view: the print job's description (CPrintInfo) and the choice of the printer.
//
// CView::OnFilePrint asks OnPreparePrinting for a printer DC (DoPreparePrinting: the print
// dialog, or the default printer for direct printing), then calls OnBeginPrinting, for each page
// OnPrepareDC and OnPrint between StartPage and EndPage, and OnEndPrinting. The printer DCs are
// those of the graphics library (a PDF, or a CUPS printer through lp).
//
// The print dialog is the window system's (through CPrintDialog), unless the application
// installs a function of its own (SetPrintDialogFunction).
#pragma once

#include <functional>

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/gfx/PrinterOutput.h"

class CPrintDialog;

class CPrintInfo {
  public:
    CPrintInfo() = default;
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;
    // Deletes a printer DC that nobody took over.
    ~CPrintInfo();

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // The range to print: all pages unless the dialog narrowed it.
    UINT GetFromPage() const { return m_nFromPage != 0 ? m_nFromPage : m_nMinPage; }
    UINT GetToPage() const { return m_nToPage != 0 ? m_nToPage : m_nMaxPage; }
    UINT GetOffsetPage() const { return m_nOffsetPage; }
    // Takes the printer DC over; the caller deletes it.
    HDC DetachPrinterDC();

    // The dialog object when the application's print dialog uses one (else null).
    CPrintDialog* m_pPD = nullptr;
    BOOL m_bDocObject = FALSE;
    BOOL m_bDirect = FALSE;  // print without asking (ID_FILE_PRINT_DIRECT)
    BOOL m_bPreview = FALSE;
    // OnPrepareDC clears it to end the job before the page m_nCurPage.
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    // The printable area of the page in device units, set before each OnPrint.
    CRect m_rectDraw;
    UINT m_nJobNumber = 0;

    // The chosen printer and its DC (owned until DetachPrinterDC).
    kq::gfx::PrinterSettings m_printer;
    HDC m_hPrinterDC = nullptr;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;  // unknown: the view decides while printing
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;
    UINT m_nOffsetPage = 0;
};

namespace kq::fw {

// The print dialog: starts from info.m_printer and the page range, and on IDOK (1) leaves the
// chosen settings there and the DC in info.m_hPrinterDC; IDCANCEL (2) prints nothing.
using PrintDialogFunction = std::function<int(CPrintInfo& info)>;
// Installs the dialog; returns the previous one. An empty function removes it.
PrintDialogFunction SetPrintDialogFunction(PrintDialogFunction function);

// The printer of direct printing and the dialog's first choice; process-wide.
kq::gfx::PrinterSettings DefaultPrinterSettings();
void SetDefaultPrinterSettings(const kq::gfx::PrinterSettings& settings);

// Shows the installed print dialog for info, else the window system's, which starts on the
// printer or PDF file of info.m_printer and asks the printer for the copies chosen.
int DoPrintDialog(CPrintInfo& info);

}  // namespace kq::fw
