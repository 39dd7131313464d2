// The pass/fail light view (form 210) in the light bar.
#pragma once

#include "platform/framework/Framework.h"

class CAFormLight : public CFormView {
    DECLARE_DYNCREATE(CAFormLight)
  public:
    enum { IDD = 210 };
    CAFormLight();
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    BOOL m_bRegistered = FALSE;
};
