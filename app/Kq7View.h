// The view of the shell: a host for the eight pages. It creates them hidden as its children,
// posts their registrations to the main frame once, lays out the logo page when resized, and
// destroys them with itself. Which page shows is the main frame's decision.
#pragma once

#include "pages/common/PageTable.h"
#include "platform/framework/Framework.h"

class CMainFrame;
class CPageDialog;

class CKq7View : public CEditView {
    DECLARE_DYNCREATE(CKq7View)
  public:
    CKq7View();
    ~CKq7View() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;

    CPageDialog* GetPage(int index) const { return m_apPages[index]; }
    // Runs the layout of a resize with the current client size.
    void LayoutPages(int cx, int cy);
    // Destroys and deletes the pages in table order. The frame calls it before its own windows go,
    // while each page can still be destroyed on its own with its controls.
    void DestroyPages();

    CMainFrame* m_pMainFrame = nullptr;
    CPageDialog* m_apPages[kPageCount];
    BOOL m_bRegistrationPending = TRUE;

  protected:
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()
};
