// The three clock panes of the status bar, refreshed by the framework's idle update. The time pane
// keeps its own one-shot timer running (every second) so the clock goes on without other
// traffic; the date pane follows a change of day or of language.
#include <ctime>

#include "app/MainFrame.h"
#include "foundation/ClockTexts.h"
#include "foundation/DateTimeText.h"
#include "foundation/Language.h"
#include "platform/base/Time.h"

CString CMainFrame::FormatDateText(int day, int month, int year, int languageOffset) {
    return ::FormatDateText(day, month, year, languageOffset);
}

CString CMainFrame::FormatTimeText(int64_t seconds) {
    return ::FormatTimeText(seconds);
}

CString CMainFrame::WeekdayPaneText() const {
    CDateTimeText text(LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH_OLD, LANGUAGE_SPANISH,
                       m_iLanguageOffset);
    return " " + text.GetWeekdayName(CTime::GetCurrentTime()) + " ";
}

CString CMainFrame::DatePaneText() const {
    std::tm now{};
    CTime::GetCurrentTime().GetLocalTm(&now);
    return ::FormatDateText(now.tm_mday, now.tm_mon + 1, now.tm_year + 1900, m_iLanguageOffset);
}

void CMainFrame::ShowClockPanesNow() {
    // Today at once, never the samples that gave the panes their widths.
    m_wndStatusBar.SetPaneText(1, WeekdayPaneText());
    m_wndStatusBar.SetPaneText(2, DatePaneText());
}

void CMainFrame::OnUpdateWeekdayPane(CCmdUI* pCmdUI) {
    if (!m_bWeekdayRefresh)
        return;
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(WeekdayPaneText());
    m_bWeekdayRefresh = FALSE;
}

void CMainFrame::OnUpdateDatePane(CCmdUI* pCmdUI) {
    std::tm now{};
    CTime::GetCurrentTime().GetLocalTm(&now);
    const int day = (now.tm_year + 1900) * 10000 + (now.tm_mon + 1) * 100 + now.tm_mday;
    if (day == m_iDateShownDay && m_iLanguageOffset == m_iDateShownLanguage)
        return;
    m_iDateShownDay = day;
    m_iDateShownLanguage = m_iLanguageOffset;
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(DatePaneText());
    m_bWeekdayRefresh = TRUE;
}

void CMainFrame::OnUpdateTimePane(CCmdUI* pCmdUI) {
    const CTime now = CTime::GetCurrentTime();
    m_llCurrentTime = now.GetTime();
    std::tm local{};
    now.GetLocalTm(&local);
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(FormatTimePaneText(local.tm_hour, local.tm_min, m_iLanguageOffset));
    // The next update comes with the timer's message, unless the engine has stopped the clock
    // for a multi-sensor measurement.
    if (!(m_bMeasuring && m_iActivatedCount > 1))
        SetTimer(PANE_TIME, 1000, nullptr);
}
