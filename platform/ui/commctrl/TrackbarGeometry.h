// Where the parts of a trackbar lie in its client area. Computed along the bar's axis and
// across it, then turned into client coordinates, so one layout serves both orientations.
#pragma once

#include "platform/ui/commctrl/TrackbarModel.h"

namespace kq::ui::commctrl {

enum class ThumbShape { Rectangle, PointBefore, PointAfter };

class TrackbarGeometry {
  public:
    // thumbLength 0: the thumb fills what the client area and the tick marks leave.
    TrackbarGeometry(DWORD style, const RECT& client, int thumbLength);

    bool Vertical() const { return vertical_; }
    RECT Channel() const;
    RECT Thumb(const TrackbarModel& model) const;
    int ThumbLength() const { return thumbLength_; }
    ThumbShape Shape() const { return shape_; }

    // Along the axis: the pixel of a position (the thumb's centre) and the position nearest
    // to a pixel, clamped to the range.
    int PixelOf(const TrackbarModel& model, LONG pos) const;
    LONG PosAt(const TrackbarModel& model, int pixel) const;
    // The axis coordinate of a client point.
    int AxisOf(POINT pt) const { return vertical_ ? pt.y : pt.x; }

    // Tick marks: which sides have them, and their span across the axis.
    bool TicsBefore() const { return ticsBefore_; }
    bool TicsAfter() const { return ticsAfter_; }
    // A line of tick marks at `axis`, on one side; in client coordinates.
    RECT TicRect(int axis, bool before) const;

    // A rectangle given along and across the axis, in client coordinates.
    RECT Make(int axis0, int across0, int axis1, int across1) const;

  private:
    bool vertical_;
    bool ticsBefore_;
    bool ticsAfter_;
    ThumbShape shape_;
    int channelThickness_;
    int thumbLength_;
    int thumbBreadth_;
    int thumbStart_;
    int channelFirst_;
    int channelLast_;
};

}  // namespace kq::ui::commctrl
