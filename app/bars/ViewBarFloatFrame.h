// The floating frame the main window's bars float in. Its close box hides each shown bar
// without redrawing before the framework's own close handling, which is how a bar learns that
// the user closed it (the program's own hides redraw).
#pragma once

#include "platform/framework/Framework.h"

class CViewBarFloatFrame : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CViewBarFloatFrame)
  public:
    CViewBarFloatFrame() = default;

  protected:
    void OnClose();
    DECLARE_MESSAGE_MAP()
};
