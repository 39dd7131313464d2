#include "platform/framework/commdlg/ColorDialog.h"

#include <algorithm>
#include <array>

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_cc{} {
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.Flags = dwFlags;
    m_cc.lpCustColors = GetSavedCustomColors();
    SetCurrentColor(clrInit);
}

INT_PTR CColorDialog::DoModal() {
    m_cc.hwndOwner = OwnerWindow();
    return ::ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr) {
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}

COLORREF* CColorDialog::GetSavedCustomColors() {
    static std::array<COLORREF, 16> colors = [] {
        std::array<COLORREF, 16> white;
        white.fill(RGB(255, 255, 255));
        return white;
    }();
    return colors.data();
}
