// The about box (template 240), shown modally from the Help menu: product, version, maker and
// rights. The note dialog shown beside it lives in CDlgAdvice.h.
#pragma once

#include "pages/measurement/CDlgAdvice.h"
#include "platform/framework/Framework.h"

class CDlgInfo : public CDialog {
  public:
    static constexpr UINT IDD = 240;
    CDlgInfo();

  protected:
    BOOL OnInitDialog() override;
};
