#include "platform/ui/controls/ScrollModel.h"

#include <algorithm>

#include "platform/ui/SystemMetrics.h"

namespace kq::ui {
namespace {

// A rectangle of the bar between two offsets along its axis.
RECT Segment(const RECT& bar, bool vertical, int from, int to) {
    if (to <= from)
        return RECT{};
    if (vertical)
        return RECT{bar.left, bar.top + from, bar.right, bar.top + to};
    return RECT{bar.left + from, bar.top, bar.left + to, bar.bottom};
}

bool Inside(const RECT& r, POINT pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

}  // namespace

int ScrollState::MaxPos() const {
    const int pageExtra = page > 0 ? static_cast<int>(page) - 1 : 0;
    return std::max(min, max - pageExtra);
}

bool ScrollState::RangeEmpty() const {
    const long long range = static_cast<long long>(max) - min + 1;
    if (page > 0)
        return range <= static_cast<long long>(page);
    return max <= min;
}

void ScrollState::Apply(const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        min = info.nMin;
        max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        page = info.nPage;
    const long long range = static_cast<long long>(max) - min + 1;
    if (static_cast<long long>(page) > range)
        page = static_cast<UINT>(range);
    if (info.fMask & SIF_POS)
        pos = info.nPos;
    pos = std::clamp(pos, min, MaxPos());
    if (!tracking)
        trackPos = pos;
    trackPos = std::clamp(trackPos, min, MaxPos());
}

void ScrollState::Fill(SCROLLINFO& info) const {
    if (info.fMask & SIF_RANGE) {
        info.nMin = min;
        info.nMax = max;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = page;
    if (info.fMask & SIF_POS)
        info.nPos = pos;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = tracking ? trackPos : pos;
}

ScrollGeometry LayoutScrollBar(RECT bar, bool vertical, const ScrollState& state, int position,
                               bool enabled) {
    ScrollGeometry g;
    g.vertical = vertical;
    g.bar = bar;
    const int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    if (length <= 0)
        return g;
    const int arrow =
        std::min(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length / 2);
    g.lineUp = Segment(bar, vertical, 0, arrow);
    g.lineDown = Segment(bar, vertical, length - arrow, length);
    g.trackStart = arrow;
    g.trackLength = length - 2 * arrow;
    if (!enabled || state.RangeEmpty() ||
        (state.disabledArrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH)
        return g;
    int thumb = GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    if (state.page > 0) {
        const long long range = static_cast<long long>(state.max) - state.min + 1;
        thumb = static_cast<int>(static_cast<long long>(g.trackLength) * state.page / range);
        thumb = std::max(thumb, kMinThumbLength);
    }
    if (g.trackLength < thumb || g.trackLength < kMinThumbLength)
        return g;
    const int free = g.trackLength - thumb;
    const int span = state.MaxPos() - state.min;
    const int at = std::clamp(position, state.min, state.MaxPos()) - state.min;
    const int offset =
        span > 0 ? static_cast<int>((static_cast<long long>(free) * at + span / 2) / span) : 0;
    g.thumbStart = g.trackStart + offset;
    g.thumbLength = thumb;
    g.thumb = Segment(bar, vertical, g.thumbStart, g.thumbStart + thumb);
    g.pageUp = Segment(bar, vertical, g.trackStart, g.thumbStart);
    g.pageDown = Segment(bar, vertical, g.thumbStart + thumb, g.trackStart + g.trackLength);
    return g;
}

ScrollPart HitScrollBar(const ScrollGeometry& g, POINT pt) {
    if (!Inside(g.bar, pt))
        return ScrollPart::None;
    if (Inside(g.lineUp, pt))
        return ScrollPart::LineUp;
    if (Inside(g.lineDown, pt))
        return ScrollPart::LineDown;
    if (Inside(g.thumb, pt))
        return ScrollPart::Thumb;
    if (Inside(g.pageUp, pt))
        return ScrollPart::PageUp;
    if (Inside(g.pageDown, pt))
        return ScrollPart::PageDown;
    return ScrollPart::None;
}

int PositionForThumb(const ScrollGeometry& g, const ScrollState& state, int thumbStart) {
    const int free = g.trackLength - g.thumbLength;
    if (g.thumbLength == 0 || free <= 0)
        return state.min;
    const int offset = std::clamp(thumbStart - g.trackStart, 0, free);
    const long long span = state.MaxPos() - state.min;
    return state.min + static_cast<int>((span * offset + free / 2) / free);
}

}  // namespace kq::ui
