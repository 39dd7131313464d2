// A dialog that is made anew for every run of its task: it registers with the main frame when it
// opens (the frame keeps the latest one) and leaves its slot when it goes.
#pragma once

#include "platform/framework/Framework.h"

class CPerRunDialog : public CDialog {
    DECLARE_DYNAMIC(CPerRunDialog)
  public:
    explicit CPerRunDialog(UINT registration) : m_nRegistration(registration) {}
    CPerRunDialog(UINT templateId, UINT registration, CWnd* pParent)
        : CDialog(templateId, pParent), m_nRegistration(registration) {}
    BOOL OnInitDialog() override;

  protected:
    void OnDestroy();
    UINT m_nRegistration;
    DECLARE_MESSAGE_MAP()
};
