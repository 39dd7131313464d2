// The framework's object for an up-down control.
#pragma once

#include "platform/framework/Wnd.h"
#include "platform/ui/commctrl/UpDownApi.h"

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
  public:
    CSpinButtonCtrl() = default;
    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    CWnd* GetBuddy() const;
    // 16-bit position and range; GetPos has a nonzero high word when the buddy's text is no
    // valid number.
    int SetPos(int nPos);
    int GetPos() const;
    void SetRange(short nLower, short nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    // The full 32-bit range and position.
    void SetRange32(int nLower, int nUpper);
    void GetRange32(int& nLower, int& nUpper) const;
    int SetPos32(int nPos);
    int GetPos32(BOOL* lpbError = nullptr) const;
};
