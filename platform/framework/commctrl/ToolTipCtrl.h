// CToolTipCtrl: the framework's object for a tool tip control ("tooltips_class32").
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/Wnd.h"
#include "platform/ui/commctrl/CommCtrl.h"

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
  public:
    CToolTipCtrl() = default;
    // A top-most pop-up owned by the parent's window.
    using CWnd::Create;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // With a rectangle or a tool id the tool is that area of pWnd; otherwise it is pWnd
    // itself. The tip sees the tool window's mouse messages by itself (TTF_SUBCLASS).
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const;
    void RelayEvent(LPMSG lpMsg);
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    int SetMaxTipWidth(int iWidth);
    int GetMaxTipWidth() const;

  private:
    static void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool);
};
