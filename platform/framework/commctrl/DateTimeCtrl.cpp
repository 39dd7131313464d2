#include "platform/framework/commctrl/DateTimeCtrl.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

namespace {

bool Read(HWND hwnd, SYSTEMTIME& time) {
    return ::SendMessage(hwnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) ==
           static_cast<LRESULT>(GDT_VALID);
}

BOOL Write(HWND hwnd, const SYSTEMTIME& time) {
    return static_cast<BOOL>(
        ::SendMessage(hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)));
}

}  // namespace

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(DATETIMEPICK_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const {
    SYSTEMTIME time{};
    if (!Read(m_hWnd, time))
        return static_cast<DWORD>(GDT_ERROR);
    timeDest = CTime(time);
    return GDT_VALID;
}

BOOL CDateTimeCtrl::GetTime(COleDateTime& timeDest) const {
    SYSTEMTIME time{};
    if (!Read(m_hWnd, time))
        return FALSE;
    timeDest = COleDateTime(time);
    return TRUE;
}

BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew) {
    SYSTEMTIME time{};
    if (!pTimeNew || !pTimeNew->GetAsSystemTime(time))
        return FALSE;
    return Write(m_hWnd, time);
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime& timeNew) {
    SYSTEMTIME time{};
    if (!timeNew.GetAsSystemTime(time))
        return FALSE;
    return Write(m_hWnd, time);
}

DWORD CDateTimeCtrl::GetRange(COleDateTime* pMinRange, COleDateTime* pMaxRange) const {
    SYSTEMTIME range[2] = {};
    const DWORD flags =
        static_cast<DWORD>(SendMessage(DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
    if (pMinRange) {
        *pMinRange = COleDateTime(range[0]);
        if (!(flags & GDTR_MIN))
            pMinRange->SetStatus(COleDateTime::invalid);
    }
    if (pMaxRange) {
        *pMaxRange = COleDateTime(range[1]);
        if (!(flags & GDTR_MAX))
            pMaxRange->SetStatus(COleDateTime::invalid);
    }
    return flags;
}

BOOL CDateTimeCtrl::SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange) {
    SYSTEMTIME range[2] = {};
    DWORD flags = 0;
    if (pMinRange && pMinRange->GetAsSystemTime(range[0]))
        flags |= GDTR_MIN;
    if (pMaxRange && pMaxRange->GetAsSystemTime(range[1]))
        flags |= GDTR_MAX;
    return static_cast<BOOL>(SendMessage(DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)));
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value) {
    HWND hwnd = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME time{};
    if (pDX->m_bSaveAndValidate) {
        if (Read(hwnd, time))
            value = COleDateTime(time);
        else
            value.SetStatus(COleDateTime::invalid);
    } else if (value.GetAsSystemTime(time)) {
        Write(hwnd, time);
    }
}
