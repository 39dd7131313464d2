// The one place that uses the chart's property sheet: made on first use over the live chart, and
// given the page texts (tab titles, captions, control texts) every time it is shown.
#include "app/views/GraphicDisplayWnd.h"
#include "chart/dialogs/ChartPage.h"
#include "chart/dialogs/ChartTabPage.h"

void CGraphicDisplayWnd::SetPageTexts(int page, PageTexts texts) {
    if (page >= 0 && page < 3)
        m_aPageTexts[page] = std::move(texts);
}

void CGraphicDisplayWnd::ShowProperties() {
    if (m_pChart == nullptr)
        return;
    if (m_pProperties == nullptr) {
        auto sheet = std::make_unique<CChartPage>(m_pChart.get());
        if (!sheet->Create(CChartPage::IDD, this))
            return;
        m_pProperties = std::move(sheet);
    }
    m_pProperties->ShowWindow(SW_SHOW);
    ApplyPageTexts();
}

void CGraphicDisplayWnd::ApplyPageTexts() {
    CTabCtrl& tabs = m_pProperties->GetTabCtrl();
    for (int page = 0; page < 3; ++page) {
        CChartTabPage* window = m_pProperties->GetPage(page);
        for (const DlgTextElement& element : m_aPageTexts[page]) {
            if (element.id == kPageTabTitle) {
                if (tabs.GetSafeHwnd() != nullptr && page < tabs.GetItemCount()) {
                    CString title = element.text;
                    TCITEM item{};
                    item.mask = TCIF_TEXT;
                    item.pszText = title.GetBuffer();
                    tabs.SetItem(page, &item);
                    title.ReleaseBuffer();
                }
            } else if (element.id == kPageCaption) {
                // The sheet is titled in the user's language, never by its template's name.
                m_pProperties->SetWindowText(element.text);
                if (window != nullptr && window->GetSafeHwnd() != nullptr)
                    window->SetWindowText(element.text);
            } else if (window != nullptr && window->GetSafeHwnd() != nullptr) {
                if (CWnd* control = window->GetDlgItem(static_cast<UINT>(element.id)))
                    control->SetWindowText(element.text);
            }
        }
    }
}
