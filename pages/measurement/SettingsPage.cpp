#include "pages/measurement/SettingsPage.h"

#include "foundation/Language.h"
#include "pages/common/PageHost.h"
#include "pages/common/PageLinks.h"

IMPLEMENT_DYNAMIC(CSettingsPage, CPageDialog)

BEGIN_MESSAGE_MAP(CSettingsPage, CPageDialog)
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CSettingsPage::OnShowWindow(BOOL bShow, UINT nStatus) {
    CPageDialog::OnShowWindow(bShow, nStatus);
    PageHost* frame = GetPageHost();
    if (!bShow || frame == nullptr || frame->IsStartUpPending())
        return;
    if (IMeasurePanelLink* panel = frame->MeasurePanel())
        panel->OnBnClickedStop();
}

void CSettingsPage::PlaceBrowseControl(CBrowseCtrl& browse, UINT id, DWORD style, UINT notifyId) {
    CWnd* placeholder = GetDlgItem(static_cast<int>(id));
    if (placeholder == nullptr)
        return;
    CRect rect;
    placeholder->GetWindowRect(&rect);
    ScreenToClient(&rect);
    placeholder->DestroyWindow();
    browse.Create(rect, this, id, style, notifyId);
}

BOOL SetPageLabelTexts(CWnd* page, const PageLabel* labels, size_t count) {
    BOOL all = TRUE;
    for (size_t i = 0; i < count; ++i) {
        CString text;
        if (!FindLanguageString(labels[i].text, text))
            all = FALSE;
        if (page->m_hWnd != nullptr)
            page->SetDlgItemText(static_cast<int>(labels[i].control), text);
    }
    RepaintAfterNewTexts(page);
    return all;
}
