// The back end without a display: the virtual screen lives in memory only (read it with
// Screenshot.h) and input is injected (Input.h).
#pragma once

#include "platform/ui/backend/BackEnd.h"

namespace kq::ui {

class HeadlessBackEnd : public BackEnd {
  public:
    HeadlessBackEnd();
    const char* Name() const override { return "headless"; }
};

}  // namespace kq::ui
