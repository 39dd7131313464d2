// Printing from a view: the printer's choice and the page loop.
#include <mutex>

#include "platform/base/Trace.h"
#include "platform/framework/Document.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/PreviewView.h"
#include "platform/framework/Print.h"
#include "platform/framework/View.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/commdlg/PrintDialog.h"
#include "platform/gfx/CDC.h"
#include "platform/ui/commdlg/PrintChoice.h"

namespace {

std::mutex g_printMutex;
kq::fw::PrintDialogFunction g_printDialog;
kq::gfx::PrinterSettings g_defaultPrinter;

// Fills the dialog's blocks so that it starts on the printer (or PDF file) of the settings;
// settings that name neither leave the dialog on the system's default printer.
void StartOn(PRINTDLG& pd, const kq::gfx::PrinterSettings& settings) {
    if (settings.printer.empty() && settings.file.empty())
        return;
    kq::ui::commdlg::PrintChoice choice;
    choice.printer.name = settings.printer;
    choice.printer.pdf = settings.printer.empty();
    choice.file = settings.file;
    choice.copies = settings.copies;
    choice.landscape = settings.landscape;
    kq::ui::commdlg::StoreDevMode(pd.hDevMode, choice);
    kq::ui::commdlg::StoreDevNames(pd.hDevNames, choice);
}

}  // namespace

CPrintInfo::~CPrintInfo() {
    if (m_hPrinterDC != nullptr)
        ::DeleteDC(m_hPrinterDC);
}

HDC CPrintInfo::DetachPrinterDC() {
    HDC hdc = m_hPrinterDC;
    m_hPrinterDC = nullptr;
    return hdc;
}

namespace kq::fw {

PrintDialogFunction SetPrintDialogFunction(PrintDialogFunction function) {
    std::lock_guard lock(g_printMutex);
    PrintDialogFunction previous = std::move(g_printDialog);
    g_printDialog = std::move(function);
    return previous;
}

kq::gfx::PrinterSettings DefaultPrinterSettings() {
    std::lock_guard lock(g_printMutex);
    return g_defaultPrinter;
}

void SetDefaultPrinterSettings(const kq::gfx::PrinterSettings& settings) {
    std::lock_guard lock(g_printMutex);
    g_defaultPrinter = settings;
}

int DoPrintDialog(CPrintInfo& info) {
    PrintDialogFunction dialog;
    {
        std::lock_guard lock(g_printMutex);
        dialog = g_printDialog;
    }
    if (dialog)
        return dialog(info);
    // The window system's print dialog, starting on the printer of info; the printer makes
    // the copies, since the page loop prints each page once.
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION);
    // Page numbers only for a known number of pages.
    if (info.GetMaxPage() == 0xFFFF)
        dlg.m_pd.Flags |= PD_NOPAGENUMS;
    dlg.m_pd.nMinPage = static_cast<WORD>(info.GetMinPage());
    dlg.m_pd.nMaxPage = static_cast<WORD>(info.GetMaxPage());
    dlg.m_pd.nFromPage = static_cast<WORD>(info.GetFromPage());
    dlg.m_pd.nToPage = static_cast<WORD>(info.GetToPage());
    StartOn(dlg.m_pd, info.m_printer);
    kq::gfx::PrinterSettings chosen;
    if (dlg.DoModal() != IDOK || dlg.GetPrinterDC() == nullptr ||
        !kq::ui::commdlg::SettingsFromHandles(dlg.m_pd.hDevMode, dlg.m_pd.hDevNames, chosen)) {
        if (dlg.GetPrinterDC() != nullptr)
            ::DeleteDC(dlg.GetPrinterDC());
        return IDCANCEL;
    }
    info.m_printer = chosen;
    if (info.m_hPrinterDC != nullptr)
        ::DeleteDC(info.m_hPrinterDC);
    info.m_hPrinterDC = dlg.GetPrinterDC();
    if (dlg.PrintRange()) {
        info.m_nFromPage = static_cast<UINT>(dlg.GetFromPage());
        info.m_nToPage = static_cast<UINT>(dlg.GetToPage());
    }
    return IDOK;
}

}  // namespace kq::fw

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    pInfo->m_printer = kq::fw::DefaultPrinterSettings();
    if (pInfo->m_bDirect || pInfo->m_bPreview) {
        if (pInfo->m_hPrinterDC == nullptr)
            pInfo->m_hPrinterDC = kq::gfx::CreatePrinterOutputDC(pInfo->m_printer);
    } else if (kq::fw::DoPrintDialog(*pInfo) != IDOK) {
        return FALSE;
    }
    return pInfo->m_hPrinterDC != nullptr;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*) {
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint() {
    CPrintInfo info;
    const MSG* msg = GetCurrentMessage();
    if (msg != nullptr && msg->message == WM_COMMAND && LOWORD(msg->wParam) == ID_FILE_PRINT_DIRECT)
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info) || info.m_hPrinterDC == nullptr)
        return;

    CWaitCursor wait;
    CDC dc;
    dc.Attach(info.DetachPrinterDC());
    dc.m_bPrinting = TRUE;
    OnBeginPrinting(&dc, &info);

    CString title;
    if (CDocument* doc = GetDocument())
        title = doc->GetTitle();
    DOCINFO docInfo{};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = title;
    if (dc.StartDoc(&docInfo) <= 0) {
        OnEndPrinting(&dc, &info);
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }

    // From the last page backwards is not offered: pages come in order.
    bool failed = false;
    const UINT last = info.GetToPage();
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= last; ++info.m_nCurPage) {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (dc.StartPage() <= 0) {
            failed = true;
            break;
        }
        // The printable area; OnPrepareDC may have set a mapping mode.
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&info.m_rectDraw);
        OnPrint(&dc, &info);
        if (dc.EndPage() <= 0) {
            failed = true;
            break;
        }
        if (info.m_nCurPage == 0xFFFF)
            break;
    }
    if (failed || dc.EndDoc() <= 0) {
        dc.AbortDoc();
        failed = true;
    }
    OnEndPrinting(&dc, &info);
    if (failed)
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
}

void CView::OnFilePrintPreview() {
    CPreviewView::Start(this);
}
