// What the settings pages (measure configuration, documentation, diagnostic) share: shown, they
// stop a running measurement first, since their changes must not meet a measurement half-way;
// and their captions come from a table of control and text ids.
#pragma once

#include <cstddef>

#include "controls/BrowseCtrl.h"
#include "pages/common/PageDialog.h"

// A control and the id of its text in the string table.
struct PageLabel {
    UINT control;
    int text;
};

// Sets each label's text in the current language (only counted while the page has no window);
// TRUE when every text was found.
BOOL SetPageLabelTexts(CWnd* page, const PageLabel* labels, size_t count);

class CSettingsPage : public CPageDialog {
    DECLARE_DYNAMIC(CSettingsPage)
  public:
    CSettingsPage() = default;

  protected:
    void OnShowWindow(BOOL bShow, UINT nStatus);
    // Puts the browse control where the template's placeholder of the id stands, in its place.
    void PlaceBrowseControl(CBrowseCtrl& browse, UINT id, DWORD style, UINT notifyId);
    BOOL SetLabelTexts(const PageLabel* labels, size_t count) {
        return SetPageLabelTexts(this, labels, count);
    }
    DECLARE_MESSAGE_MAP()
};
