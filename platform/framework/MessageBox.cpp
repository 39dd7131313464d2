#include "platform/framework/MessageBox.h"

#include <map>
#include <mutex>

#include "platform/base/Trace.h"
#include "platform/framework/AfxRes.h"
#include "platform/framework/WinApp.h"
#include "platform/ui/dialog/MessageBox.h"

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void AfxThrowUserException() {
    throw new CUserException;
}

namespace {

std::mutex g_boxMutex;
kq::fw::MessageBoxFunction g_boxFunction;

// The window system's message box; the trace keeps a line of each.
int DefaultMessageBox(HWND owner, const CString& text, const CString& caption, UINT type) {
    CString line;
    line.Format("[message box] %s: %s (type 0x%x)\n", caption.GetString(), text.GetString(),
                type);
    kq::WriteTrace(line.View());
    return ::MessageBox(owner, text, caption, type);
}

const std::map<UINT, const char*>& FrameworkTexts() {
    static const std::map<UINT, const char*> texts = {
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {AFX_IDS_UNTITLED, "Untitled"},
        {AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
        {AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
        {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
        {AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
        {AFX_IDP_FAILED_TO_START_PRINT, "Failed to start print job."},
        {AFX_IDP_PARSE_INT, "Please enter an integer."},
        {AFX_IDP_PARSE_REAL, "Please enter a number."},
        {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
        {AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2."},
        {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
        {AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button."},
        {AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255."},
        {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
        {AFX_IDP_INTERNAL_FAILURE, "Internal application error."},
        {AFX_IDP_COMMAND_FAILURE, "Command failed."},
    };
    return texts;
}

}  // namespace

namespace kq::fw {

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    std::lock_guard lock(g_boxMutex);
    MessageBoxFunction previous = std::move(g_boxFunction);
    g_boxFunction = std::move(function);
    return previous;
}

int ShowMessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    MessageBoxFunction function;
    {
        std::lock_guard lock(g_boxMutex);
        function = g_boxFunction;
    }
    CString title = caption;
    if (caption == nullptr) {
        CWinApp* app = AfxGetApp();
        title = app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : "Error";
    }
    const CString body = text != nullptr ? text : "";
    if (function)
        return function(owner, body, title, type);
    return DefaultMessageBox(owner, body, title, type);
}

BOOL LoadFrameworkString(UINT nID, CString& rString) {
    if (rString.LoadString(nID))
        return TRUE;
    auto it = FrameworkTexts().find(nID);
    if (it == FrameworkTexts().end())
        return FALSE;
    rString = it->second;
    return TRUE;
}

}  // namespace kq::fw

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    return kq::fw::ShowMessageBox(nullptr, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    if (!kq::fw::LoadFrameworkString(nIDPrompt, text))
        text.Format("Message %u", nIDPrompt);
    if (nIDHelp == static_cast<UINT>(-1))
        nIDHelp = nIDPrompt;
    return AfxMessageBox(text, nType, nIDHelp);
}

void AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString) {
    CString result;
    for (const char* p = lpszFormat; p != nullptr && *p != '\0'; ++p) {
        if (*p == '%' && p[1] >= '1' && p[1] <= '9') {
            const int index = p[1] - '1';
            if (index < nString && rglpsz[index] != nullptr)
                result += rglpsz[index];
            ++p;
        } else {
            result += *p;
        }
    }
    rString = result;
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1) {
    CString format;
    kq::fw::LoadFrameworkString(nIDS, format);
    AfxFormatStrings(rString, format, &lpsz1, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2) {
    CString format;
    kq::fw::LoadFrameworkString(nIDS, format);
    LPCTSTR texts[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, format, texts, 2);
}

BOOL AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, char chSep) {
    rString.Empty();
    if (lpszFullString == nullptr || iSubString < 0)
        return FALSE;
    const char* p = lpszFullString;
    for (; iSubString > 0; --iSubString) {
        p = std::strchr(p, chSep);
        if (p == nullptr)
            return FALSE;
        ++p;
    }
    const char* end = std::strchr(p, chSep);
    rString = end != nullptr ? CString(p, static_cast<int>(end - p)) : CString(p);
    return TRUE;
}
