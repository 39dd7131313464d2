// CView: a window that shows a document inside a frame. Commands reach the view first and go on
// to its document. A view deletes itself when its window is destroyed.
#pragma once

#include "platform/framework/Wnd.h"

class CDC;
class CDocument;
class CPrintInfo;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
  public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Called once the frame and all views exist; the default calls OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed (UpdateAllViews).
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    // Draws the document; called from the view's painting (and printing).
    virtual void OnDraw(CDC* pDC) = 0;
    // Prepares the DC before OnDraw (mapping mode, origin); pInfo is set when printing.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

    // --- printing (see Print.h) ---
    // Gets the printer DC; the default asks DoPreparePrinting. FALSE cancels the job.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // Prints the page pInfo->m_nCurPage inside pInfo->m_rectDraw; the default calls OnDraw.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The print dialog, or for direct printing and preview the default printer; TRUE with a
    // printer DC in pInfo.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The print commands (ID_FILE_PRINT, ID_FILE_PRINT_DIRECT): the whole job.
    void OnFilePrint();
    // The print preview command (ID_FILE_PRINT_PREVIEW): the pages on the screen in the view's
    // place (CPreviewView) until the preview is closed.
    void OnFilePrintPreview();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnPaint();
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    CDocument* m_pDocument = nullptr;

  protected:
    DECLARE_MESSAGE_MAP()
};

// The style of a frame's view pane.
constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;
