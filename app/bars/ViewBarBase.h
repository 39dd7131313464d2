// The docking bars of the main frame: a bar with one size per docking state (horizontal,
// vertical, floating) that may host a small frame window in which the framework creates a view
// from a creation context, so that each form view lives as in a normal frame.
#pragma once

#include "platform/framework/Framework.h"

class CViewBarBase : public CControlBar {
    DECLARE_DYNAMIC(CViewBarBase)
  public:
    CViewBarBase(CSize horz, CSize vert, CSize floating);

    using CWnd::Create;
    // Creates the bar; with a view class, the bar's frame creates that view in it. Without a
    // given context the context's frame becomes the parent frame.
    BOOL Create(LPCTSTR lpszWindowName, CRuntimeClass* pViewClass, CCreateContext* pContext,
                CWnd* pParentWnd, UINT nID, DWORD dwStyle);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // The smallest sizes the bar takes (horizontal, vertical, floating).
    void SetMinimumSizes(CSize horz, CSize vert, CSize floating);
    CSize GetSize(int kind) const;
    // The sizes of the bar under the profile, in the sections "<profile>-SCBar-<id>"; loaded
    // sizes are raised to the minimums and kept inside the virtual screen.
    void LoadState(LPCTSTR lpszProfileName);
    void SaveState(LPCTSTR lpszProfileName) const;
    // The id of the dock bar that holds the bar (the floating one when it floats).
    UINT GetDockBarId() const;
    CSize GetFloatingSize() const { return m_szFloat; }
    // The size of a docking kind: 0 floating, 1 docked horizontally, 2 docked vertically.
    void SetSizeByKind(int kind, CSize size);
    // The bar's docking kind as SetSizeByKind counts it.
    int GetDockingKind() const;
    CWnd* GetHostedFrame() const { return m_pHostedFrame; }

  protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);

    CSize m_szHorz, m_szVert, m_szFloat;
    CSize m_szMinHorz{0, 0}, m_szMinVert{0, 0}, m_szMinFloat{0, 0};
    CRuntimeClass* m_pViewClass = nullptr;
    CCreateContext m_context;
    CFrameWnd* m_pHostedFrame = nullptr;  // deletes itself with its window
    DECLARE_MESSAGE_MAP()
};
