// CFormView: a view made from a dialog template, with the template's controls as its children
// and the dialog manager's keyboard interface. The template is shown as a child of the frame
// without its caption and frame; the frame's shortcut keys come before the dialog keys.
// (Scrolling a form larger than its frame is not offered: the form keeps its size.)
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/View.h"

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
  protected:
    explicit CFormView(UINT nIDTemplate);

  public:
    ~CFormView() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
    // Fills the controls (UpdateData(FALSE)), then the view's own first update.
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    LPCTSTR m_lpszTemplateName = nullptr;
    // The control that had the focus when the view was last left.
    HWND m_hWndFocus = nullptr;

  protected:
    CCreateContext* m_pCreateContext = nullptr;

    DECLARE_MESSAGE_MAP()
};
