// The note dialog (template 241), shown modally from the Help menu with its title: the program's
// conditions of use, a bold coloured headline over the text.
#pragma once

#include "controls/RichEditCtrlExtended.h"
#include "platform/framework/Framework.h"

class CDlgAdvice : public CDialog {
  public:
    static constexpr UINT IDD = 241;
    static constexpr COLORREF kHeadlineColor = RGB(0, 70, 140);
    explicit CDlgAdvice(const CString& title);

    CString m_strTitle;
    CRichEditCtrlExtended m_wndText;

  protected:
    BOOL OnInitDialog() override;
};
