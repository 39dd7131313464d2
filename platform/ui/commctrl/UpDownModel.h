// The values of an up-down control: a 32-bit range whose ends may come in either order (the
// up arrow moves towards the upper end), the position, acceleration and the number texts it
// writes into and reads from its buddy window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/commctrl/UpDownApi.h"

namespace kq::ui::commctrl {

class UpDownModel {
  public:
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }
    int Pos() const { return pos_; }
    void SetRange(int lower, int upper);
    // Clamped to the range; returns the previous position.
    int SetPos(int pos);
    int Clamp(int64_t pos) const;

    // The change the up (or down) arrow asks for with the given increment: positive when the
    // upper end is the larger one.
    int DeltaFor(bool up, int increment) const;
    // Where a change leads: to the other end past an end with wrapping, else to the end.
    // Computed in 64 bits, so the ends of the 32-bit range neither overflow nor wrap by accident.
    int Target(int delta, bool wrap) const;

    // The increment after the arrow has been held for `heldMs`.
    int IncrementAfter(int64_t heldMs) const;
    void SetAccel(const UDACCEL* accels, int count);
    const std::vector<UDACCEL>& Accel() const { return accels_; }

    int Base() const { return base_; }
    // 10 or 16; returns the previous base, or 0 (nothing changes) for another value.
    int SetBase(int base);

    // The buddy's text for a position: decimal with digit groups unless `noThousands`, or
    // "0x" and hexadecimal digits for base 16.
    std::string Format(int pos, bool noThousands) const;
    // A number typed into the buddy, in the current base; digit-group separators are allowed.
    std::optional<int> Parse(std::string_view text) const;

  private:
    int lower_ = 100;  // the system's default range runs from 100 down to 0
    int upper_ = 0;
    int pos_ = 0;
    int base_ = 10;
    std::vector<UDACCEL> accels_{{0, 1}, {2, 5}, {5, 20}};
};

}  // namespace kq::ui::commctrl
