// The model of one scroll bar, shared by the scroll-bar control and the window scroll bars:
// its range, page and position, and where arrows, page areas and thumb lie in a bar
// rectangle. Drawing renders this geometry; mouse tracking hit-tests it.
#pragma once

#include "platform/ui/UiTypes.h"
#include "platform/ui/controls/ScrollBar.h"

namespace kq::ui {

struct ScrollState {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool tracking = false;    // the thumb is being dragged; trackPos is where it is drawn
    UINT disabledArrows = 0;  // ESB_DISABLE_ flags

    // The highest position: max - (page - 1) with a page, never below min.
    int MaxPos() const;
    // Nothing to scroll: the page covers the range, or the range is a single point.
    bool RangeEmpty() const;
    // Applies the SIF_RANGE, SIF_PAGE and SIF_POS parts, keeping page and position in range.
    void Apply(const SCROLLINFO& info);
    void Fill(SCROLLINFO& info) const;
};

enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct ScrollGeometry {
    bool vertical = true;
    RECT bar{};
    RECT lineUp{};  // left arrow of a horizontal bar
    RECT lineDown{};
    RECT pageUp{};  // empty when the thumb is at the start
    RECT pageDown{};
    RECT thumb{};         // empty when the bar is disabled or too short for a thumb
    int trackStart = 0;   // first pixel between the arrows, along the bar
    int trackLength = 0;  // pixels between the arrows
    int thumbStart = 0;   // along the bar
    int thumbLength = 0;  // 0 without a thumb
};

constexpr int kMinThumbLength = 8;

// Lays out a bar with the thumb at `position` (the position, or the track position while
// dragging). A disabled bar has arrows but neither thumb nor page areas.
ScrollGeometry LayoutScrollBar(RECT bar, bool vertical, const ScrollState& state, int position,
                               bool enabled);
ScrollPart HitScrollBar(const ScrollGeometry& geometry, POINT pt);
// The position for a thumb whose start lies at `thumbStart` along the bar.
int PositionForThumb(const ScrollGeometry& geometry, const ScrollState& state, int thumbStart);

}  // namespace kq::ui
