#include "platform/ui/commctrl/TrackbarGeometry.h"

#include <algorithm>

#include "platform/ui/commctrl/TrackbarApi.h"

namespace kq::ui::commctrl {

namespace {
constexpr int kTicSpace = 5;  // a 3-pixel mark and 2 pixels to the thumb
constexpr int kTicLength = 3;
constexpr int kChannelThickness = 4;
constexpr int kSelChannelThickness = 8;  // room to show the selection inside the groove
constexpr int kMinThumbLength = 6;
constexpr int kMaxAutoThumbLength = 24;
}  // namespace

TrackbarGeometry::TrackbarGeometry(DWORD style, const RECT& client, int thumbLength) {
    vertical_ = (style & TBS_VERT) != 0;
    channelThickness_ = (style & TBS_ENABLESELRANGE) ? kSelChannelThickness : kChannelThickness;
    const bool both = (style & TBS_BOTH) != 0;
    const bool top = (style & TBS_TOP) != 0;
    const bool ticks = (style & TBS_NOTICKS) == 0;
    ticsBefore_ = ticks && (both || top);
    ticsAfter_ = ticks && (both || !top);
    shape_ = both ? ThumbShape::Rectangle : top ? ThumbShape::PointBefore : ThumbShape::PointAfter;

    const int axisExtent = vertical_ ? client.bottom - client.top : client.right - client.left;
    const int acrossExtent = vertical_ ? client.right - client.left : client.bottom - client.top;
    const int ticSpace = kTicSpace * ((ticsBefore_ ? 1 : 0) + (ticsAfter_ ? 1 : 0));
    if (thumbLength <= 0)
        thumbLength = std::clamp(acrossExtent - 4 - ticSpace, kMinThumbLength, kMaxAutoThumbLength);
    thumbLength_ = thumbLength;
    thumbBreadth_ = std::max(5, thumbLength_ / 2 + 1);
    const int total = thumbLength_ + ticSpace;
    thumbStart_ = std::max(0, (acrossExtent - total) / 2) + (ticsBefore_ ? kTicSpace : 0);

    const int margin = thumbBreadth_ / 2 + 3;
    channelFirst_ = margin;
    channelLast_ = std::max(channelFirst_, axisExtent - margin - 1);
}

RECT TrackbarGeometry::Make(int axis0, int across0, int axis1, int across1) const {
    return vertical_ ? RECT{across0, axis0, across1, axis1} : RECT{axis0, across0, axis1, across1};
}

RECT TrackbarGeometry::Channel() const {
    const int centre = thumbStart_ + thumbLength_ / 2;
    const int first = centre - channelThickness_ / 2;
    return Make(channelFirst_, first, channelLast_, first + channelThickness_);
}

RECT TrackbarGeometry::Thumb(const TrackbarModel& model) const {
    const int first = PixelOf(model, model.Pos()) - thumbBreadth_ / 2;
    return Make(first, thumbStart_, first + thumbBreadth_, thumbStart_ + thumbLength_);
}

int TrackbarGeometry::PixelOf(const TrackbarModel& model, LONG pos) const {
    const int64_t span = static_cast<int64_t>(model.Max()) - model.Min();
    const int64_t width = channelLast_ - channelFirst_;
    if (span <= 0)
        return channelFirst_;
    const int64_t offset = static_cast<int64_t>(model.Clamp(pos)) - model.Min();
    return channelFirst_ + static_cast<int>((offset * width * 2 + span) / (span * 2));
}

LONG TrackbarGeometry::PosAt(const TrackbarModel& model, int pixel) const {
    const int64_t span = static_cast<int64_t>(model.Max()) - model.Min();
    const int64_t width = channelLast_ - channelFirst_;
    if (width <= 0 || span <= 0)
        return model.Min();
    const int64_t offset = std::clamp<int64_t>(pixel - channelFirst_, 0, width);
    return static_cast<LONG>(model.Min() + (offset * span * 2 + width) / (width * 2));
}

RECT TrackbarGeometry::TicRect(int axis, bool before) const {
    if (before) {
        const int end = thumbStart_ - (kTicSpace - kTicLength);
        return Make(axis, end - kTicLength, axis + 1, end);
    }
    const int begin = thumbStart_ + thumbLength_ + (kTicSpace - kTicLength);
    return Make(axis, begin, axis + 1, begin + kTicLength);
}

}  // namespace kq::ui::commctrl
