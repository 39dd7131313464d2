// The values of a trackbar: range, position, page and line sizes, tick marks and selection.
// Positions always stay inside the range; steps stop at its ends.
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

namespace kq::ui::commctrl {

class TrackbarModel {
  public:
    LONG Min() const { return min_; }
    LONG Max() const { return max_; }
    LONG Pos() const { return pos_; }
    // A maximum below the minimum is raised to it. The position, the selection and the tick
    // marks are brought inside the new range; automatic ticks are laid out again.
    void SetRange(LONG min, LONG max);
    void SetMin(LONG min) { SetRange(min, max_ < min ? min : max_); }
    void SetMax(LONG max) { SetRange(min_ > max ? max : min_, max); }
    // Clamped to the range; true when the position changed.
    bool SetPos(LONG pos);
    LONG Clamp(LONG pos) const;

    // Until a page size is set it follows the range (a fifth of it, at least 1).
    LONG PageSize() const;
    LONG SetPageSize(LONG size);  // returns the previous size
    LONG LineSize() const { return line_; }
    LONG SetLineSize(LONG size);

    // The position a TB_ step code leads to (TB_LINEUP .. TB_BOTTOM); the current position for
    // other codes.
    LONG StepTarget(WORD code) const;

    // Tick marks between the ends; the ends themselves always have one.
    const std::vector<LONG>& Tics() const { return tics_; }
    // False for a position outside the range or at its ends.
    bool AddTic(LONG pos);
    void ClearTics() { tics_.clear(); }
    // Lays out ticks every `freq` positions from the minimum (automatic ticks).
    void SetAutoTics(bool on, LONG freq);
    LONG TicFreq() const { return freq_; }

    LONG SelStart() const { return selStart_; }
    LONG SelEnd() const { return selEnd_; }
    void SetSelStart(LONG pos) { selStart_ = Clamp(pos); }
    void SetSelEnd(LONG pos) { selEnd_ = Clamp(pos); }
    void ClearSel() { selStart_ = selEnd_ = min_; }
    bool HasSel() const { return selEnd_ > selStart_; }

  private:
    void LayOutAutoTics();

    LONG min_ = 0;
    LONG max_ = 100;
    LONG pos_ = 0;
    LONG page_ = -1;  // -1: follows the range
    LONG line_ = 1;
    LONG freq_ = 1;
    bool autoTics_ = false;
    std::vector<LONG> tics_;
    LONG selStart_ = 0;
    LONG selEnd_ = 0;
};

}  // namespace kq::ui::commctrl
