// Message boxes of the framework and the application, shown by the window system's message box
// (and noted in the trace). Tests replace the function that shows them.
#pragma once

#include <functional>

#include "platform/base/CString.h"
#include "platform/base/Exceptions.h"

// The text of a string resource, or of the prompt id when the resources lack it.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = 0, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = 0, UINT nIDHelp = static_cast<UINT>(-1));

// Replaces %1 (and %2) in the string resource nIDS.
void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// Replaces %1 to %9 in the pattern with the given texts.
void AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
// Piece iSubString (from 0) of a text whose pieces are separated by chSep; FALSE when missing.
BOOL AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                         char chSep = '\n');

// A validation failure the user has already been told about (thrown by CDataExchange::Fail).
class CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
  public:
    explicit CUserException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
};
[[noreturn]] void AfxThrowUserException();

namespace kq::fw {

// Shows a box: owner window (may be null), text, caption, MB_ type flags; returns the button.
using MessageBoxFunction =
    std::function<int(HWND owner, const CString& text, const CString& caption, UINT type)>;
// Installs the function (an empty one restores the default) and returns the previous one.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
int ShowMessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);

// A string of the program's resources, or the framework's own English text for the framework's
// ids; FALSE (and empty) when neither has it.
BOOL LoadFrameworkString(UINT nID, CString& rString);

}  // namespace kq::fw
