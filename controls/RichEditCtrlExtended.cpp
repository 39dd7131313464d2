// Appending formatted text to the rich edit control.
#include "controls/RichEditCtrlExtended.h"

#include "platform/ui/SystemMetrics.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/nonclient/NonClientMetrics.h"

IMPLEMENT_DYNAMIC(CRichEditCtrlExtended, CRichEditCtrl)

CRichEditCtrlExtended::CRichEditCtrlExtended() {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const LONG h = metrics.lfMenuFont.lfHeight;
    m_Font.CreateFont(h < 0 ? h - 1 : h + 1, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      FIXED_PITCH, nullptr);
}

void CRichEditCtrlExtended::AddFormattedText(CString text, COLORREF color, bool bold, bool) {
    if (text.IsEmpty())
        return;
    CHARFORMAT cf{};
    cf.cbSize = sizeof(cf);
    SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    cf.dwMask = CFM_COLOR | CFM_BOLD;
    cf.dwEffects &= ~CFE_AUTOCOLOR;
    cf.dwEffects = bold ? (cf.dwEffects | CFE_BOLD) : (cf.dwEffects & ~CFE_BOLD);
    cf.crTextColor = color;
    long start = 0, end = 0;
    GetSel(start, end);
    ReplaceSel(text);
    long newStart = 0, newEnd = 0;
    GetSel(newStart, newEnd);
    // The replacement starts where the old selection started.
    SetSel(start, newEnd);
    SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SetSel(newEnd, newEnd);
    LineScroll(1);
}

void CRichEditCtrlExtended::AddText(CString text, bool bold, bool flag) {
    AddFormattedText(text, RGB(0, 0, 0), bold, flag);
}

void CRichEditCtrlExtended::AddNewLines(int count) {
    m_nLineCount += count;
    for (int i = 0; i < count; ++i)
        ReplaceSel("\r\n");
}

int CRichEditCtrlExtended::GetLineCount(bool reset) {
    const int count = m_nLineCount;
    if (reset)
        m_nLineCount = 0;
    return count;
}
