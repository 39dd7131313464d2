// What every page of the main view shares: it offers its keyboard messages to the main frame's
// shortcut handler before its own dialog keys see them, paints nothing while the frame's start-up
// is pending, and keeps the flag that says its texts must be rewritten when it is next shown.
#pragma once

#include "platform/framework/Framework.h"

class PageHost;

// After new texts, a shown page repaints whole: a caption that got shorter leaves nothing of the
// longer one (group boxes draw over the page's background), and lists show their new titles
// without being clicked.
void RepaintAfterNewTexts(CWnd* page);

class CPageDialog : public CDialog {
    DECLARE_DYNAMIC(CPageDialog)
  public:
    CPageDialog() = default;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Rewrites every text of the page in the current language; TRUE when all were set.
    virtual BOOL SetLanguageTexts() { return TRUE; }

    // Set by a language switch while the page is hidden; the page rewrites its texts when shown.
    BOOL m_bNeedsNewTexts = FALSE;
    // Set by the view when the page's window goes with the view's: the page deletes itself then.
    BOOL m_bDeleteWithWindow = FALSE;

  protected:
    // The client rectangle of the view that hosts the pages, which a page fills; the page's own
    // while the view (or the frame) has no window yet.
    CRect HostClientRect(PageHost* frame);
    void PostNcDestroy() override;
    // A page is part of the main window, not a dialog that ends: Enter and Escape, which the
    // dialog keys turn into OK and Cancel, leave it shown.
    void OnOK() override {}
    void OnCancel() override {}
    void OnPaint();
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
