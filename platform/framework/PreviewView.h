// CPreviewView: the print preview of a view. It takes the place of the frame's view (which is
// hidden with the frame's control bars, menu and shortcut keys) and shows one or two pages as
// the view prints them, each a white sheet with a shadow on a grey ground, scaled to fit or
// zoomed in two steps with scroll bars. The preview bar along the top moves through the pages,
// switches between one and two pages, zooms, prints and closes; PgUp, PgDn, Home, End and Esc do
// the same from the keyboard. Closing brings the frame back exactly as it was, focus included.
//
// The pages are drawn by the view's OnPrepareDC and OnPrint into a printer DC of the default
// printer (DoPreparePrinting in preview mode) and scaled onto the screen.
#pragma once

#include <memory>
#include <vector>

#include "platform/framework/Print.h"
#include "platform/framework/View.h"
#include "platform/gfx/CDC.h"

class CPreviewBar;

class CPreviewView : public CView {
    DECLARE_DYNAMIC(CPreviewView)
  public:
    enum ZoomState { zoomOut = 0, zoomMiddle = 1, zoomIn = 2 };

    ~CPreviewView() override;

    // Shows the preview of pPrintView in its frame: OnPreparePrinting, OnBeginPrinting, then the
    // first page. FALSE, with the frame untouched, when the view prints nothing or its frame
    // already shows a preview.
    static BOOL Start(CView* pPrintView);
    // Ends the preview: OnEndPrinting once, the frame as it was before. Deletes this view.
    void Close();

    CView* GetPrintView() const { return m_pPrintView; }
    CPrintInfo* GetPrintInfo() const { return m_pInfo.get(); }
    CPreviewBar* GetPreviewBar() const { return m_pBar; }
    // The first page shown; the number of page places (1 or 2); the zoom state.
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    UINT GetPagesShown() const { return m_nPages; }
    int GetZoomState() const { return m_nZoomState; }
    // The sheet of page place 0 or 1 in client coordinates; empty when no page is there.
    CRect GetSheetRect(int nPlace);
    // Whether the view prints the page (its range, and OnPrepareDC for an unknown length).
    BOOL PageExists(UINT nPage);

    void OnDraw(CDC* pDC) override;

    // --- commands ---
    void OnPreviewClose();
    void OnPreviewPrint();
    void OnNextPage();
    void OnPrevPage();
    void OnNumPageChange();
    void OnZoomIn();
    void OnZoomOut();
    void OnUpdateNextPage(CCmdUI* pCmdUI);
    void OnUpdatePrevPage(CCmdUI* pCmdUI);
    void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    void OnUpdateZoomIn(CCmdUI* pCmdUI);
    void OnUpdateZoomOut(CCmdUI* pCmdUI);

    // --- handlers ---
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

  protected:
    CPreviewView();

  private:
    struct RenderedPage {
        UINT page;
        double scale;
        HBITMAP bitmap;
    };
    struct Layout {
        double scale = 0;
        CSize sheet;    // one sheet on the screen
        CSize content;  // sheets, shadows and gaps
        CPoint origin;  // of the content in the client area
    };

    // Zoomed, one page fills the view; two pages only side by side at full view.
    UINT PlacesShown() const { return m_nZoomState == zoomOut ? m_nPages : 1; }
    BOOL Begin(CView* pPrintView, std::unique_ptr<CPrintInfo> info);
    // The frame back as it was; the view's OnEndPrinting when it has not run.
    void RestoreFrame();
    void EndPrinting();
    void SetCurrentPage(UINT nPage);
    // "Page 1" or "Pages 1-2" in the frame's status line.
    void ShowPageDescription();
    void SetZoomState(int nState);
    Layout ComputeLayout();
    void UpdateScrollBars();
    void ScrollBy(int bar, int delta);
    // The page drawn by the view and scaled; null when the view does not print it.
    HBITMAP PageBitmap(UINT nPage, double scale);
    void ClearRenderedPages();

    CView* m_pPrintView = nullptr;
    std::unique_ptr<CPrintInfo> m_pInfo;
    CDC m_dcPrint;
    CPreviewBar* m_pBar = nullptr;
    UINT m_nCurrentPage = 1;
    UINT m_nPages = 1;
    int m_nZoomState = zoomOut;
    CPoint m_scroll;
    BOOL m_bInScrollUpdate = FALSE;
    BOOL m_bEnded = FALSE;
    std::vector<RenderedPage> m_rendered;

    // What the frame looked like before.
    HWND m_hFrame = nullptr;
    HWND m_hFocus = nullptr;
    HMENU m_hMenu = nullptr;
    HACCEL m_hAccel = nullptr;
    CView* m_pActiveViewBefore = nullptr;
    BOOL m_bPrintViewVisible = FALSE;
    std::vector<HWND> m_hiddenWindows;

    DECLARE_MESSAGE_MAP()
};
