// A check box that is set only when its state really changes; an indeterminate box is left
// alone.
#pragma once

#include "platform/framework/Controls.h"

class CCheckBox : public CButton {
    DECLARE_DYNAMIC(CCheckBox)
  public:
    // Answers the box's state after the call (an indeterminate box stays so: false).
    bool SetChecked(bool check);
    bool IsChecked() const;
    bool SetEnabled(bool enable);
    bool SetVisible(bool visible);
};
