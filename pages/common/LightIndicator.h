// The pass/fail light that the measurement panel sets. The light view implements it.
#pragma once

class ILightIndicator {
  public:
    // Light states.
    enum { LIGHT_NONE = -1, LIGHT_PASSED = 0, LIGHT_YELLOW = 1, LIGHT_FAILED = 2 };
    // Shows the light of state -1..2; any other value changes nothing.
    virtual void SetLightState(int state) = 0;

  protected:
    ~ILightIndicator() = default;
};
