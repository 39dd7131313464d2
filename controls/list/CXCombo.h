// The in-cell combo of the report list. Besides the self-drawn combo it asks its list to cancel
// or to commit the cell; once the list has taken it out (SetListCtrl(nullptr)) it asks nothing.
#pragma once

#include "controls/list/CAdvComboBox.h"

class CXListCtrl;

class CXCombo : public CAdvComboBox {
    DECLARE_DYNAMIC(CXCombo)
  public:
    explicit CXCombo(CXListCtrl* pListCtrl);

    void SetListCtrl(CXListCtrl* pListCtrl) { m_pListCtrl = pListCtrl; }
    // The cell's text when the combo opened; a focus loss commits only a different choice.
    void SetSavedText(const CString& text) { m_strSaved = text; }

    void OnEscape() override;
    void OnComplete() override;

  protected:
    // True when the window is the combo's own drop-down or a window inside it.
    bool IsOwnDropDown(CWnd* pWnd) const;
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

  protected:
    CXListCtrl* m_pListCtrl;
    CString m_strSaved;
};
