// Dialog data exchange: DoDataExchange moves values between member variables and controls with
// the DDX_ functions and checks them with the DDV_ functions. Numbers are written and read in
// the "C" form ('.' as decimal point) whatever the process locale. A value the user typed that
// does not parse or is out of range is reported in a message box and stops the exchange
// (UpdateData returns FALSE) with the focus on the offending control.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class CWnd;

class CDataExchange {
  public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control's handle; throws CNotSupportedException when the window has no such child.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus back on the last control (selecting an edit's text) and throws
    // CUserException.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;  // TRUE: controls to variables, with validation
    CWnd* m_pDlgWnd;
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);   // also LONG
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);  // also DWORD
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);  // also LONGLONG
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// value: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group (WS_GROUP); value is the index of the checked
// button in the group, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// Subclasses the control with the given object the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);
// At most nChars characters (UTF-8 characters, not bytes); when loading, the edit control is
// limited to that many.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
