#include "platform/ui/commctrl/TrackbarModel.h"

#include <algorithm>

#include "platform/ui/commctrl/TrackbarApi.h"

namespace kq::ui::commctrl {

LONG TrackbarModel::Clamp(LONG pos) const {
    return std::clamp(pos, min_, max_);
}

void TrackbarModel::SetRange(LONG min, LONG max) {
    min_ = min;
    max_ = std::max(min, max);
    pos_ = Clamp(pos_);
    selStart_ = Clamp(selStart_);
    selEnd_ = Clamp(selEnd_);
    if (autoTics_) {
        LayOutAutoTics();
    } else {
        std::erase_if(tics_, [this](LONG t) { return t <= min_ || t >= max_; });
    }
}

bool TrackbarModel::SetPos(LONG pos) {
    const LONG clamped = Clamp(pos);
    if (clamped == pos_)
        return false;
    pos_ = clamped;
    return true;
}

LONG TrackbarModel::PageSize() const {
    if (page_ >= 0)
        return page_;
    const int64_t fifth = (static_cast<int64_t>(max_) - min_) / 5;
    return static_cast<LONG>(std::max<int64_t>(1, fifth));
}

LONG TrackbarModel::SetPageSize(LONG size) {
    const LONG old = PageSize();
    page_ = size;
    return old;
}

LONG TrackbarModel::SetLineSize(LONG size) {
    const LONG old = line_;
    line_ = size;
    return old;
}

LONG TrackbarModel::StepTarget(WORD code) const {
    // 64-bit sums: a step from near the end of a wide range must not wrap around.
    int64_t target = pos_;
    switch (code) {
        case TB_LINEUP:
            target -= line_;
            break;
        case TB_LINEDOWN:
            target += line_;
            break;
        case TB_PAGEUP:
            target -= PageSize();
            break;
        case TB_PAGEDOWN:
            target += PageSize();
            break;
        case TB_TOP:
            return min_;
        case TB_BOTTOM:
            return max_;
        default:
            return pos_;
    }
    return static_cast<LONG>(std::clamp<int64_t>(target, min_, max_));
}

bool TrackbarModel::AddTic(LONG pos) {
    if (pos <= min_ || pos >= max_)
        return false;
    auto at = std::lower_bound(tics_.begin(), tics_.end(), pos);
    if (at == tics_.end() || *at != pos)
        tics_.insert(at, pos);
    return true;
}

void TrackbarModel::SetAutoTics(bool on, LONG freq) {
    autoTics_ = on;
    freq_ = std::max<LONG>(1, freq);
    if (autoTics_)
        LayOutAutoTics();
}

void TrackbarModel::LayOutAutoTics() {
    // A wide range with a small frequency would ask for billions of marks that no screen can
    // tell apart; the step grows so that there are at most kMaxAutoTics.
    constexpr int64_t kMaxAutoTics = 65536;
    const int64_t span = static_cast<int64_t>(max_) - min_;
    const int64_t step = std::max<int64_t>(freq_, (span + kMaxAutoTics - 1) / kMaxAutoTics);
    tics_.clear();
    for (int64_t t = static_cast<int64_t>(min_) + step; t < max_; t += step)
        tics_.push_back(static_cast<LONG>(t));
}

}  // namespace kq::ui::commctrl
