// CEditView: a view that is a multi-line edit control. Its text is the control's; a change of
// it marks the document modified. Printing prints the text line by line.
#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/View.h"

class CEditView : public CView {
    DECLARE_DYNCREATE(CEditView)
  public:
    CEditView();
    ~CEditView() override;

    // The default styles of the edit control.
    static const DWORD dwStyleDefault;

    // The control (the view's own window).
    CEdit& GetEditCtrl() const;
    UINT GetBufferLength() const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    BOOL OnEditChange();

  protected:
    mutable CEdit m_edit;  // shares the view's handle, without a map entry of its own
    int m_nLinesPerPage = 0;

    DECLARE_MESSAGE_MAP()
};
