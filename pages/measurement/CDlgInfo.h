// The about box and the note dialog, shown modally from the Help menu.
#pragma once

#include "platform/framework/Framework.h"

class CDlgInfo {
  public:
    INT_PTR DoModal() { return IDOK; }
};

class CDlgAdvice {
  public:
    explicit CDlgAdvice(const CString& title) : m_strTitle(title) {}
    INT_PTR DoModal() { return IDOK; }
    CString m_strTitle;
};
