// The view bars of the main frame: a resizable caption bar that hosts a small frame window of
// its own in which the framework creates a view from a creation context, so that each form
// view lives as in a normal frame.
#pragma once

#include "app/bars/SizingControlBarCF.h"

class CViewBarBase : public CSizingControlBarCF {
    DECLARE_DYNAMIC(CViewBarBase)
  public:
    CViewBarBase(CSize horz, CSize vert, CSize floating);

    using CSizingControlBarCF::Create;
    // Creates the bar; with a view class, the bar's frame creates that view in it. Without a
    // given context the context's frame becomes the parent frame.
    BOOL Create(LPCTSTR lpszWindowName, CRuntimeClass* pViewClass, CCreateContext* pContext,
                CWnd* pParentWnd, UINT nID, DWORD dwStyle);

    // The smallest sizes the bar takes (horizontal, vertical, floating).
    void SetMinimumSizes(CSize horz, CSize vert, CSize floating);
    // The size of a docking kind: 0 floating, 1 docked horizontally, 2 docked vertically.
    CSize GetSize(int kind) const;
    void SetSizeByKind(int kind, CSize size);
    // Sizes by index: 0 horizontal, 1 vertical, 2 floating, 3 to 5 their minimums, 6 all
    // sizes, 7 all minimums, 8 all six; the parent frame lays out again.
    virtual void SetSizeByIndex(int index, CSize size);
    // The bar's docking kind as SetSizeByKind counts it.
    int GetDockingKind() const;
    CSize GetFloatingSize() const { return m_szFloat; }
    CWnd* GetHostedFrame() const { return m_pHostedFrame; }

  protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void RecalcParentLayout();

    CRuntimeClass* m_pViewClass = nullptr;
    CCreateContext m_context;
    CFrameWnd* m_pHostedFrame = nullptr;  // deletes itself with its window
    DECLARE_MESSAGE_MAP()
};
