// The framework's object for a progress bar control.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/ui/commctrl/ProgressBarApi.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
  public:
    CProgressCtrl() = default;
    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    // Each returns the previous position.
    int SetPos(int nPos);
    int OffsetPos(int nPos);
};
