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

void CMainFrame::OnUpdateWeekdayPane(CCmdUI* pCmdUI) {
    if (!m_bWeekdayRefresh)
        return;
    CDateTimeText text(LANGUAGE_GERMAN, LANGUAGE_ENGLISH, LANGUAGE_FRENCH_OLD, LANGUAGE_SPANISH,
                       m_iLanguageOffset);
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(" " + text.GetWeekdayName(CTime::GetCurrentTime()) + " ");
    m_bWeekdayRefresh = FALSE;
}

void CMainFrame::OnUpdateDatePane(CCmdUI* pCmdUI) {
    std::tm now{};
    CTime::GetCurrentTime().GetLocalTm(&now);
    const int year = now.tm_year + 1900;
    const int month = now.tm_mon + 1;
    const int day = year * 10000 + month * 100 + now.tm_mday;
    if (day == m_iDateShownDay && m_iLanguageOffset == m_iDateShownLanguage)
        return;
    m_iDateShownDay = day;
    m_iDateShownLanguage = m_iLanguageOffset;
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(::FormatDateText(now.tm_mday, month, year, m_iLanguageOffset));
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
