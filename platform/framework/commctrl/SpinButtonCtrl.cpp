#include "platform/framework/commctrl/SpinButtonCtrl.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(UPDOWN_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)));
}

int CSpinButtonCtrl::SetPos(int nPos) {
    return static_cast<int>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(nPos), 0)));
}

int CSpinButtonCtrl::GetPos() const {
    return static_cast<int>(SendMessage(UDM_GETPOS));
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper) {
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(nUpper), static_cast<WORD>(nLower)));
}

void CSpinButtonCtrl::GetRange(int& nLower, int& nUpper) const {
    const LRESULT range = SendMessage(UDM_GETRANGE);
    nLower = static_cast<SHORT>(HIWORD(range));
    nUpper = static_cast<SHORT>(LOWORD(range));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
}

void CSpinButtonCtrl::GetRange32(int& nLower, int& nUpper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower),
                reinterpret_cast<LPARAM>(&nUpper));
}

int CSpinButtonCtrl::SetPos32(int nPos) {
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos));
}

int CSpinButtonCtrl::GetPos32(BOOL* lpbError) const {
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}
