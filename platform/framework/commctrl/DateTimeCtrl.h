// The framework's object for a date-time picker, and the data exchange of its value.
#pragma once

#include "platform/base/OleDateTime.h"
#include "platform/base/Time.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/Wnd.h"
#include "platform/ui/commctrl/DateTimePickerApi.h"

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
  public:
    CDateTimeCtrl() = default;
    using CWnd::Create;
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // GDT_VALID, or GDT_ERROR.
    DWORD GetTime(CTime& timeDest) const;
    BOOL GetTime(COleDateTime& timeDest) const;
    // FALSE for a time the control cannot show (an invalid date, or outside its years).
    BOOL SetTime(const CTime* pTimeNew);
    BOOL SetTime(const COleDateTime& timeNew);
    // GDTR_MIN and GDTR_MAX for the limits that are set; the others become invalid.
    DWORD GetRange(COleDateTime* pMinRange, COleDateTime* pMaxRange) const;
    BOOL SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange);
};

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value);
