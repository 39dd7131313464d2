// A rich edit control that appends coloured and bold text at the caret and counts the line
// breaks it added.
#pragma once

#include "platform/base/SyncObjects.h"
#include "platform/framework/commctrl/RichEditCtrl.h"
#include "platform/gfx/GdiWrappers.h"

class CRichEditCtrlExtended : public CRichEditCtrl {
    DECLARE_DYNAMIC(CRichEditCtrlExtended)
  public:
    CRichEditCtrlExtended();
    ~CRichEditCtrlExtended() override = default;

    // Inserts the text at the selection and formats exactly what was inserted; an empty text
    // changes nothing. The flag has no effect.
    void AddFormattedText(CString text, COLORREF color, bool bold, bool flag);
    void AddText(CString text, bool bold, bool flag);
    void AddNewLines(int count);
    void ResetLineCount() { m_nLineCount = 0; }
    int GetLineCount(bool reset);

    CFont m_Font;  // the menu font one unit larger; the control does not apply it
    CCriticalSection m_Lock;
    int m_nLineCount = 0;
};
