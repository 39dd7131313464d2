#include "pages/measurement/CDlgAdvice.h"

#include "foundation/Language.h"
#include "res/resource.h"

CDlgAdvice::CDlgAdvice(const CString& title) : CDialog(IDD), m_strTitle(title) {}

BOOL CDlgAdvice::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_strTitle);
    // The text takes the place the template reserves for it.
    if (CWnd* place = GetDlgItem(IDC_ADVICE_TEXT)) {
        CRect rect;
        place->GetWindowRect(&rect);
        ScreenToClient(&rect);
        place->DestroyWindow();
        m_wndText.Create(
            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, rect, this,
            IDC_ADVICE_TEXT);
        m_wndText.AddFormattedText(GetLanguageString(IDS_ADVICE_HEADLINE), kHeadlineColor, true,
                                   false);
        m_wndText.AddNewLines(2);
        m_wndText.AddText(GetLanguageString(IDS_ADVICE_BODY), false, false);
    }
    return TRUE;
}
