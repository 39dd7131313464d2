// The diagram view (form 184) in the diagram bar: the live diagram of a measurement.
#pragma once

#include "platform/framework/Framework.h"

class CAFormDiagram : public CFormView {
    DECLARE_DYNCREATE(CAFormDiagram)
  public:
    enum { IDD = 184 };
    // The version text of the live diagram window, kept in the settings.
    static constexpr const char* kLiveDiagramVersion = "1.01";

    CAFormDiagram();
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Rewrites the diagram's texts in the current language.
    void ApplyLanguage() {}

  protected:
    BOOL m_bRegistered = FALSE;
};
