// Choosing a folder in the shell's folder dialog, the way framework code asks for one.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/Wnd.h"
#include "platform/ui/commdlg/CommDlg.h"

namespace kq::fw {

// Shows the folder dialog over the window (the main window when null) with the title above
// the folders, opened on `folder` when it names one. On OK `folder` receives the chosen path
// and the result is TRUE; on Cancel it is left alone.
BOOL BrowseForFolder(CWnd* pParentWnd, LPCTSTR lpszTitle, CString& folder,
                     UINT nFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE);

}  // namespace kq::fw
