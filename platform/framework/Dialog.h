// CDialog: a window built from a dialog template. Modeless with Create (the object outlives
// the window; destroy it with DestroyWindow), modal with DoModal (the owner is disabled while
// it runs; the result is what EndDialog gave). The window's messages reach the object from the
// first one on; the dialog manager's default handling comes after the message map.
#pragma once

#include "platform/base/ResourceTemplates.h"
#include "platform/framework/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
  public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // --- modeless ---
    using CWnd::Create;
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(const kq::DialogTemplate* lpDialogTemplate,
                                CWnd* pParentWnd = nullptr);

    // --- modal ---
    // IDOK, IDCANCEL or whatever EndDialog gave; -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    // Ends a modal run (or hides a modeless dialog) with the result.
    void EndDialog(int nResult);

    // WM_INITDIALOG: the default fills the controls (UpdateData(FALSE)) and returns TRUE, so the
    // first tab stop takes the focus.
    virtual BOOL OnInitDialog();
    // Called just before OnInitDialog.
    virtual void PreInitDialog();
    // IDOK: takes the controls' values (UpdateData(TRUE)) and ends with IDOK when they are
    // valid. IDCANCEL ends with IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

    // --- the dialog manager ---
    void GotoDlgCtrl(CWnd* pWndCtrl);

    // Keys and mouse messages of the dialog's controls go to the dialog manager (Tab, arrows,
    // Enter, Escape, mnemonics).
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    LPCTSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    const kq::DialogTemplate* m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;

  protected:
    // The owner of a modal run (disabled while it runs).
    HWND PreModal();
    void PostModal();
    const kq::DialogTemplate* FindTemplate() const;

    DECLARE_MESSAGE_MAP()
};

namespace kq::fw {

// Creates the window of a dialog template for the object (as a child when the template has
// WS_CHILD): the object gets every message from the first one on. styleRemove/styleAdd and
// exStyleAdd change the template's styles (form views make their template a child this way).
BOOL CreateDialogWindow(CWnd* pWnd, const kq::DialogTemplate* lpTemplate, HWND hWndParent,
                        DWORD styleRemove = 0, DWORD styleAdd = 0, DWORD exStyleAdd = 0);

}  // namespace kq::fw
