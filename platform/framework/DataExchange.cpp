#include "platform/framework/DataExchange.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/base/Exceptions.h"
#include "platform/base/Trace.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/Wnd.h"
#include "platform/framework/detail/ControlMessages.h"

namespace ctl = kq::fw::ctl;

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWndCtrl = nullptr;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == nullptr) {
        TRACE("Error: no data exchange control with ID %d.\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_idLastControl = static_cast<UINT>(nIDC);
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND last = nullptr;
        m_pDlgWnd->GetDlgItem(static_cast<int>(m_idLastControl), &last);
        if (last != nullptr) {
            ::SetFocus(last);
            if (m_bEditLastControl)
                ::SendMessage(last, ctl::kEmSetSel, 0, -1);
        }
    }
    AfxThrowUserException();
}

namespace {

CString TextOf(HWND hWnd) {
    CString text;
    const int length = ::GetWindowTextLength(hWnd);
    char* buffer = text.GetBuffer(length + 1);
    text.ReleaseBuffer(::GetWindowText(hWnd, buffer, length + 1));
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text between leading and trailing blanks.
std::string_view Trimmed(const CString& text) {
    std::string_view view = text.View();
    while (!view.empty() && IsBlank(view.front()))
        view.remove_prefix(1);
    while (!view.empty() && IsBlank(view.back()))
        view.remove_suffix(1);
    return view;
}

// A whole decimal integer with an optional sign; nothing else but blanks around it.
template <class T>
bool ParseInteger(const CString& text, T& value) {
    std::string_view view = Trimmed(text);
    if (!view.empty() && view.front() == '+')
        view.remove_prefix(1);
    if (view.empty() || (std::is_unsigned_v<T> && view.front() == '-'))
        return false;
    T parsed{};
    auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), parsed, 10);
    if (error != std::errc() || end != view.data() + view.size())
        return false;
    value = parsed;
    return true;
}

// A finite decimal number, '.' as decimal point.
bool ParseDouble(const CString& text, double& value) {
    std::string_view view = Trimmed(text);
    if (!view.empty() && view.front() == '+')
        view.remove_prefix(1);
    if (view.empty())
        return false;
    double parsed = 0;
    auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), parsed);
    if (error != std::errc() || end != view.data() + view.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, const char* format, UINT promptId) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (!ParseInteger(TextOf(hWndCtrl), value)) {
            AfxMessageBox(promptId);
            pDX->Fail();
        }
    } else {
        CString text;
        text.Format(format, value);
        AfxSetWindowText(hWndCtrl, text);
    }
}

void ExchangeDouble(CDataExchange* pDX, int nIDC, double& value, int digits, double limit) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double parsed = 0;
        if (!ParseDouble(TextOf(hWndCtrl), parsed) || std::fabs(parsed) > limit) {
            AfxMessageBox(AFX_IDP_PARSE_REAL);
            pDX->Fail();
        }
        value = parsed;
    } else {
        CString text;
        text.Format("%.*g", digits, value);
        AfxSetWindowText(hWndCtrl, text);
    }
}

void FailRange(CDataExchange* pDX, const CString& minText, const CString& maxText, UINT promptId) {
    if (!pDX->m_bSaveAndValidate) {
        TRACE("Warning: initial dialog data is out of range.\n");
        return;
    }
    CString prompt;
    AfxFormatString2(prompt, promptId, minText, maxText);
    AfxMessageBox(prompt, 0x30 /* MB_ICONEXCLAMATION */, promptId);
    pDX->Fail();
}

template <class T>
void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, const char* format) {
    if (value >= minVal && value <= maxVal)
        return;
    CString minText;
    CString maxText;
    minText.Format(format, minVal);
    maxText.Format(format, maxVal);
    FailRange(pDX, minText, maxText, AFX_IDP_PARSE_INT_RANGE);
}

void CheckRangeReal(CDataExchange* pDX, double value, double minVal, double maxVal, int digits) {
    if (value >= minVal && value <= maxVal)
        return;
    CString minText;
    CString maxText;
    minText.Format("%.*g", digits, minVal);
    maxText.Format("%.*g", digits, maxVal);
    FailRange(pDX, minText, maxText, AFX_IDP_PARSE_REAL_RANGE);
}

int Utf8Length(const CString& text) {
    int count = 0;
    for (char c : text.View()) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
    int wide = value;
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (!ParseInteger(TextOf(hWndCtrl), wide) || wide < 0 || wide > 255) {
            AfxMessageBox(AFX_IDP_PARSE_BYTE);
            pDX->Fail();
        }
        value = static_cast<BYTE>(wide);
    } else {
        CString text;
        text.Format("%u", static_cast<unsigned>(value));
        AfxSetWindowText(hWndCtrl, text);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    ExchangeInteger(pDX, nIDC, value, "%d", AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    ExchangeInteger(pDX, nIDC, value, "%u", AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    ExchangeInteger(pDX, nIDC, value, "%ld", AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
    double wide = value;
    ExchangeDouble(pDX, nIDC, wide, FLT_DIG, FLT_MAX);
    value = static_cast<float>(wide);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    ExchangeDouble(pDX, nIDC, value, DBL_DIG, DBL_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = TextOf(hWndCtrl);
    else
        AfxSetWindowText(hWndCtrl, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(hWndCtrl, ctl::kBmGetCheck, 0, 0));
    } else {
        if (value < 0 || value > 2) {
            TRACE("Warning: dialog data checkbox value (%d) out of range.\n", value);
            value = 0;
        }
        ::SendMessage(hWndCtrl, ctl::kBmSetCheck, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & ctl::kDlgcRadioButton) {
            if (pDX->m_bSaveAndValidate) {
                if (value == -1 && ::SendMessage(hWndCtrl, ctl::kBmGetCheck, 0, 0) != 0)
                    value = index;
            } else {
                ::SendMessage(hWndCtrl, ctl::kBmSetCheck, index == value ? 1 : 0, 0);
            }
            ++index;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWndCtrl, ctl::kCbGetCurSel, 0, 0));
    else
        ::SendMessage(hWndCtrl, ctl::kCbSetCurSel, static_cast<WPARAM>(index), 0);
}

namespace {

constexpr DWORD kCbsDropDownList = 0x0003;

bool IsDropDownList(HWND hWnd) {
    return (::GetWindowLong(hWnd, GWL_STYLE) & 0x0003) == kCbsDropDownList;
}

CString SelectedComboText(HWND hWnd) {
    CString text;
    const auto sel = ::SendMessage(hWnd, ctl::kCbGetCurSel, 0, 0);
    if (sel == ctl::kCbErr)
        return text;
    const auto length = ::SendMessage(hWnd, ctl::kCbGetLbTextLen, static_cast<WPARAM>(sel), 0);
    if (length <= 0)
        return text;
    char* buffer = text.GetBuffer(static_cast<int>(length) + 1);
    buffer[0] = '\0';
    ::SendMessage(hWnd, ctl::kCbGetLbText, static_cast<WPARAM>(sel),
                  reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer();
    return text;
}

}  // namespace

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        // A drop-down list shows its selection; the others show their edit text.
        value = IsDropDownList(hWndCtrl) ? SelectedComboText(hWndCtrl) : TextOf(hWndCtrl);
    } else if (::SendMessage(hWndCtrl, ctl::kCbSelectString, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(value.GetString())) == ctl::kCbErr) {
        if (!IsDropDownList(hWndCtrl))
            AfxSetWindowText(hWndCtrl, value);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    CheckRange(pDX, value, minVal, maxVal, "%d");
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal) {
    CheckRangeReal(pDX, value, minVal, maxVal, DBL_DIG);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (Utf8Length(value) > nChars) {
            CString count;
            count.Format("%d", nChars);
            CString prompt;
            AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, count);
            AfxMessageBox(prompt, 0x30 /* MB_ICONEXCLAMATION */, AFX_IDP_PARSE_STRING_SIZE);
            pDX->Fail();
        }
    } else if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
        HWND last = nullptr;
        pDX->m_pDlgWnd->GetDlgItem(static_cast<int>(pDX->m_idLastControl), &last);
        if (last != nullptr)
            ::SendMessage(last, ctl::kEmLimitText, static_cast<WPARAM>(nChars), 0);
    }
}
